// Emulated adapters as the program reaches real ones: opened through a
// transport, and plugged into an emulated bus that is walked like USB.

#include "emulator/emulator.h"

namespace emu {

AdapterAccess openEmulated(Emulator& emulator)
{
    // The emulator stays with its owner; the program gets a port to it.
    class Port final : public Transport {
    public:
        explicit Port(Emulator& emulator) : emulator_(emulator) {}
        int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                           std::uint8_t* data, int length, int timeoutMs) override
        {
            return emulator_.controlRequest(requestType, request, value, index, data, length, timeoutMs);
        }

    private:
        Emulator& emulator_;
    };
    AdapterAccess access;
    if (!emulator.pluggedIn()) return access;
    access.status = OpenStatus::Opened;
    access.transport = std::make_unique<Port>(emulator);
    return access;
}

std::function<AdapterWalk()> emulatedBusWalk(const std::vector<BusSlot>& bus)
{
    return rememberingWalk([&bus] {
        AdapterWalk walk;
        for (std::size_t i = 0; i < bus.size(); ++i)
            if (bus[i].adapter->pluggedIn())
                walk.adapters.push_back({i, bus[i].address, "/dev/bus/usb/emulated", bus[i].port});
        walk.open = [&bus](const AdapterNode& node) {
            const BusSlot& slot = bus[node.index];
            if (!slot.heldBy) return openEmulated(*slot.adapter);
            AdapterAccess refused;
            refused.status = OpenStatus::InUse;
            refused.holder = *slot.heldBy;
            return refused;
        };
        walk.holder = [&bus](const AdapterNode& node) { return bus[node.index].heldBy; };
        return walk;
    });
}

AdapterOpener emulatedBusOpener(const std::vector<BusSlot>& bus, std::optional<AdapterChoice> choice)
{
    return trackingOpener(emulatedBusWalk(bus), std::move(choice));
}

}  // namespace emu
