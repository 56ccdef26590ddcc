#include "cli/adapter_access.h"

#include "device/usb_transport.h"

#include <chrono>
#include <thread>

AdapterOpener usbOpener(const Options& options)
{
    std::optional<AdapterAddress> address;
    if (options.device) address = parseAdapterAddress(*options.device);
    return usbAdapterOpener(address);
}

AdapterAccess waitForAdapter(const AdapterOpener& opener, const Options& options, std::ostream& err)
{
    using Clock = std::chrono::steady_clock;
    const bool waiting = options.waitForever || options.waitSeconds.has_value();
    const auto deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(options.waitSeconds.value_or(0)));
    bool told = false;
    for (;;) {
        AdapterAccess access = opener();
        if (access.status != OpenStatus::NotFound || !waiting) return access;
        if (!options.waitForever && Clock::now() >= deadline) return access;
        if (!told) {
            err << "Waiting for the DV Brisel (Relavox) to be plugged in...\n" << std::flush;
            told = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
}
