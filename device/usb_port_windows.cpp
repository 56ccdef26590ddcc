// Windows: libusb-win32 names a device by its driver's device name and a bus
// by "bus-N"; it knows no USB port paths, so no adapter has one there and
// --device takes BUS:DEVICE alone, the numbers of those names.
#include "device/usb_port.h"

#include <cctype>

namespace {

// The digits after `prefix` at the start of `name`, without leading zeros
// ("0001" gives "1"); empty when there are none.
std::string numberAfter(const std::string& name, const std::string& prefix)
{
    if (name.rfind(prefix, 0) != 0) return {};
    std::size_t end = prefix.size();
    while (end < name.size() && end - prefix.size() < 8 && std::isdigit(static_cast<unsigned char>(name[end]))) ++end;
    std::string digits = name.substr(prefix.size(), end - prefix.size());
    const std::size_t first = digits.find_first_not_of('0');
    if (digits.empty()) return {};
    return first == std::string::npos ? "0" : digits.substr(first);
}

}  // namespace

std::string usbPortPath(const std::string&, AdapterAddress)
{
    return {};
}

std::string deviceNodeOf(const SeenDevice& device)
{
    return device.deviceName;
}

std::pair<std::string, std::string> addressTextOf(const SeenDevice& device)
{
    return {numberAfter(device.busName, "bus-"), numberAfter(device.deviceName, "\\\\.\\libusb0-")};
}
