#include "cli/adapter_access.h"

#include "device/usb_transport.h"

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

AdapterAccess AdapterWait::open(const AdapterOpener& opener, std::ostream& err)
{
    for (;;) {
        AdapterAccess access = opener();
        const bool absent = access.status == OpenStatus::NotFound || access.status == OpenStatus::OtherAdapter;
        if (!absent || !waiting_) return access;
        if (!forever_ && Clock::now() >= deadline_) return access;
        if (!told_) {
            err << "Waiting for the DV Brisel (Relavox) to be plugged in...\n" << std::flush;
            told_ = true;
        }
        std::this_thread::sleep_for(WalkInterval);
    }
}
