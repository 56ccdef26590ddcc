#include "cli/adapter_access.h"

#include "cli/write_result.h"
#include "device/shown_text.h"
#include "device/usb_transport.h"
#include "interrupts/signals.h"

#include <optional>
#include <thread>

namespace {
// How often the bus is walked again while waiting for the adapter.
constexpr std::chrono::milliseconds WalkInterval{250};
}  // namespace

AdapterOpener usbOpener(const Options& options, const std::function<AdapterWalk()>& busWalk)
{
    std::optional<AdapterChoice> choice;
    if (options.device) choice = parseAdapterChoice(*options.device);
    return busWalk ? trackingOpener(busWalk, choice) : usbAdapterOpener(choice);
}

AdapterWait::AdapterWait(const Options& options)
    : waiting_(options.waitForever || options.waitSeconds.has_value()), forever_(options.waitForever),
      deadline_(Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                   std::chrono::duration<double>(options.waitSeconds.value_or(0))))
{}

AdapterAccess AdapterWait::open(const AdapterOpener& opener, std::ostream& err, const interrupts::StopRequest& stop)
{
    // While it may wait, a signal is noted, and ends the wait.
    std::optional<interrupts::Deferral> noted;
    if (waiting_) noted.emplace();
    for (;;) {
        if (const int signal = stop.asked())
            throw Interrupted(signal, std::string("Stopped by ") + interrupts::signalName(signal) +
                                          " while waiting for the adapter; nothing was sent to it.");
        AdapterAccess access = opener();
        // An adapter whose node udev has not yet made or given to the user
        // is one that is still being plugged in.
        const bool absent = access.status == OpenStatus::NotFound || access.status == OpenStatus::OtherAdapter ||
                            access.status == OpenStatus::NodeMissing;
        const bool unready = access.status == OpenStatus::NoPermission;
        if ((!absent && !unready) || !waiting_) return access;
        if (!forever_ && Clock::now() >= deadline_) return access;
        if (absent && !toldAbsent_) {
            err << "Waiting for the DV Brisel (Relavox) to be plugged in...\n" << std::flush;
            toldAbsent_ = true;
        }
        if (unready && !toldUnready_) {
            err << "Waiting for permission to use the DV Brisel (Relavox) at " << shown::fromUtf8(access.node)
                << "...\n"
                << std::flush;
            toldUnready_ = true;
        }
        std::this_thread::sleep_for(WalkInterval);
    }
}
