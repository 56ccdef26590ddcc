#pragma once
// Keeps the windows painted while a device sequence runs: after each request
// the event loop takes what is pending, user input excepted, so a settings
// group of a dozen requests never freezes the window for their sum. The
// requests themselves go out unchanged and in order.

#include "app/end_on_signals.h"
#include "device/transport.h"

#include <QCoreApplication>
#include <QEventLoop>

class ResponsiveTransport final : public Transport {
public:
    explicit ResponsiveTransport(Transport& inner) : inner_(inner) {}

    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override
    {
        const RequestUnderWay underWay;
        const int result = inner_.controlRequest(requestType, request, value, index, data, length, timeoutMs);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return result;
    }

private:
    Transport& inner_;
};
