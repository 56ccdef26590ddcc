#pragma once
// Finding the adapter on USB for one command.

#include "cli/options.h"
#include "device/adapter_connection.h"
#include "interrupts/stop_request.h"

#include <chrono>
#include <ostream>

// Opens the adapter that --device names, or the first in bus order, on
// `busWalk`'s bus (not set: USB); after a loss only that same adapter (see
// trackingOpener).
AdapterOpener usbOpener(const Options& options, const std::function<AdapterWalk()>& busWalk = {});

// How long --wait lets a command look for its adapter, from its start.
class AdapterWait {
public:
    explicit AdapterWait(const Options& options);
    bool waiting() const { return waiting_; }

    // Calls `opener` until it finds the adapter, as long as --wait allows
    // (once without it). Nothing is sent to the adapter while waiting. While
    // only other adapters are there than the one that was lost, while the
    // adapter's node is not there yet, or while the user may not use it yet
    // (udev gives it to the user a moment after it appears), it waits on.
    // A signal while it waits is only noted: the wait ends with Interrupted
    // (group_writer.h), so that the command's result is told.
    AdapterAccess open(const AdapterOpener& opener, std::ostream& err, const interrupts::StopRequest& stop = {});

private:
    using Clock = std::chrono::steady_clock;
    bool waiting_ = false;
    bool forever_ = false;
    Clock::time_point deadline_;
    bool toldAbsent_ = false;
    bool toldUnready_ = false;
};
