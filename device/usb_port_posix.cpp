#include "device/usb_port.h"

#include <dirent.h>

#include <charconv>
#include <fstream>
#include <memory>

namespace {

// The decimal number a sysfs attribute holds, or -1.
int attribute(const std::string& path)
{
    std::ifstream file(path);
    std::string text;
    if (!std::getline(file, text) || text.size() > 3) return -1;
    int number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc{} && end == text.data() + text.size() ? number : -1;
}

}  // namespace

std::string usbPortPath(const std::string& root, AdapterAddress address)
{
    const std::string folder = root + "/sys/bus/usb/devices/";
    const std::unique_ptr<DIR, int (*)(DIR*)> devices(opendir(folder.c_str()), closedir);
    if (!devices) return {};
    while (const dirent* entry = readdir(devices.get())) {
        std::string name = entry->d_name;
        // A device's folder is named by its port path alone; interfaces
        // ("1-1.2:1.0"), root hubs ("usb1") and anything odd are passed over,
        // so that the name is safe to show.
        if (name.empty() || name.size() > 32 || name[0] == '.' ||
            name.find_first_not_of("0123456789-.") != std::string::npos)
            continue;
        const std::string device = folder + name;
        if (attribute(device + "/busnum") == address.bus && attribute(device + "/devnum") == address.device)
            return name;
    }
    return {};
}

std::string deviceNodeOf(const SeenDevice& device)
{
    return "/dev/bus/usb/" + device.busName + "/" + device.deviceName;
}

std::pair<std::string, std::string> addressTextOf(const SeenDevice& device)
{
    return {device.busName, device.deviceName};
}
