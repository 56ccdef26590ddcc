#include "device/bus_walk.h"

#include <cerrno>

std::optional<AdapterPosition> findAdapter(const std::vector<std::vector<UsbDeviceId>>& buses)
{
    for (std::size_t b = 0; b < buses.size(); ++b) {
        for (std::size_t d = 0; d < buses[b].size(); ++d) {
            const UsbDeviceId& id = buses[b][d];
            if (id.vendor == adapter::VendorId && id.product == adapter::ProductId)
                return AdapterPosition{b, d};
        }
    }
    return std::nullopt;
}

OpenStatus judgeOpen(bool handleIsNull, int setConfigurationResult)
{
    if (handleIsNull) return OpenStatus::NoPermission;
    if (setConfigurationResult == -EPERM || setConfigurationResult == -EACCES ||
        setConfigurationResult == -EBADF)
        return OpenStatus::NoPermission;
    return OpenStatus::Opened;
}
