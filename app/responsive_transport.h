#pragma once
// Keeps the windows painted while a device sequence runs: between requests
// the event loop takes what is pending, user input excepted, so a settings
// group of a dozen requests never freezes the window for their sum. It does
// so once some milliseconds have passed since it last did, not after every
// request: a request takes a millisecond or more on the wire, and taking the
// events more often than a few times a frame shows nothing more and costs
// CPU in each request. The requests themselves go out unchanged and in order.

#include "app/end_on_signals.h"
#include "device/transport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

class ResponsiveTransport final : public Transport {
public:
    explicit ResponsiveTransport(Transport& inner) : inner_(inner) {}

    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override
    {
        const RequestUnderWay underWay;
        const int result = inner_.controlRequest(requestType, request, value, index, data, length, timeoutMs);
        if (!sinceEvents_.isValid() || sinceEvents_.hasExpired(EventsEveryMs)) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceEvents_.start();
        }
        return result;
    }

private:
    // A quarter of a 60 Hz frame at most between two turns of the loop.
    static constexpr qint64 EventsEveryMs = 4;
    Transport& inner_;
    QElapsedTimer sinceEvents_;
};
