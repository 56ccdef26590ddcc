// A stand-in libusb0.dll for the tests under Wine, where there is no
// libusb-win32: it plays the role umockdev plays on Linux. It exports the
// libusb 0.1 functions the program calls, with the structures of
// device/libusb0_windows.h, and lists the devices the test plugs in; each
// device's control requests are answered by the test's transport (an
// emulated adapter), as the adapter would answer them. Since it shares the
// program's declarations, it cannot tell whether they match libusb-win32's.
//
// Buses are named "bus-N" and devices "\\.\libusb0-NNNN--0xVVVV-0xPPPP",
// as libusb-win32 names them. A device that is gone fails every request
// with -ENODEV.
//
// In the system folder, as brisel-ctl.exe's own libusb0.dll, it lists the
// devices of BRISEL_STANDIN_DEVICES ("BUS:ADDRESS:VENDOR:PRODUCT,...", the
// IDs in hexadecimal), each an emulated adapter of its own, and writes each
// request that reaches one to the file BRISEL_STANDIN_LOG, a line each.

#include "device/adapter_connection.h"
#include "device/libusb0_windows.h"
#include "device/transport.h"
#include "emulator/emulator.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace {

struct Plugged {
    int bus = 0;
    int address = 0;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    Transport* answerer = nullptr;
    bool present = true;
    int pullOutAt = 0;  // the request (from 1) at which it is pulled out; 0: never
    int requests = 0;
    std::vector<int> configurations;
};

struct Handle {
    std::size_t device;
};

std::mutex mutex;
std::vector<Plugged> plugged;
// Every bus and device record ever listed: a record stays valid for as long
// as the process runs, so no pointer the program holds dangles.
std::deque<usb_bus> busRecords;
std::deque<usb_device> deviceRecords;
std::map<const usb_device*, std::size_t> deviceOf;
usb_bus* busList = nullptr;
std::set<const Handle*> handles;

// An emulated adapter that notes each request in the log file.
class LoggedAdapter final : public Transport {
public:
    explicit LoggedAdapter(const char* logFile) : logFile_(logFile != nullptr ? logFile : "") {}
    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override
    {
        const int result = adapter_.controlRequest(requestType, request, value, index, data, length, timeoutMs);
        if (std::FILE* log = logFile_.empty() ? nullptr : std::fopen(logFile_.c_str(), "a")) {
            std::fprintf(log, "%s\n", emu::describe(adapter_.log().back()).c_str());
            std::fclose(log);
        }
        return result;
    }

private:
    emu::Emulator adapter_;
    std::string logFile_;
};

std::deque<LoggedAdapter> ownAdapters;

// The devices BRISEL_STANDIN_DEVICES names, plugged in once.
void plugNamedDevices()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const char* list = std::getenv("BRISEL_STANDIN_DEVICES");
        for (const char* at = list; at != nullptr && *at != '\0';) {
            Plugged p;
            unsigned vendor = 0, product = 0;
            int used = 0;
            if (std::sscanf(at, "%d:%d:%x:%x%n", &p.bus, &p.address, &vendor, &product, &used) != 4) return;
            p.vendor = static_cast<std::uint16_t>(vendor);
            p.product = static_cast<std::uint16_t>(product);
            p.answerer = &ownAdapters.emplace_back(std::getenv("BRISEL_STANDIN_LOG"));
            plugged.push_back(p);
            at += used;
            if (*at == ',') ++at;
        }
    });
}

template <std::size_t Size>
void name(char (&field)[Size], const char* format, int number, int vendor = 0, int product = 0)
{
    std::snprintf(field, Size, format, number, vendor, product);
}

void nameDevice(char (&field)[libusb0::PathMax], const Plugged& p)
{
    name(field, "\\\\.\\libusb0-%04d--0x%04x-0x%04x", p.address, p.vendor, p.product);
}

Plugged* deviceBehind(usb_dev_handle* handle)
{
    const auto* h = reinterpret_cast<const Handle*>(handle);
    if (handles.count(h) == 0) return nullptr;
    return &plugged.at(h->device);
}

}  // namespace

extern "C" {

// ---------------------------------------------------------------------------
// The library's functions.

__declspec(dllexport) void usb_init() {}

__declspec(dllexport) int usb_find_busses()
{
    const std::lock_guard guard(mutex);
    plugNamedDevices();
    std::set<int> numbers;
    for (const Plugged& p : plugged)
        if (p.present) numbers.insert(p.bus);
    usb_bus* previous = nullptr;
    busList = nullptr;
    for (int number : numbers) {
        usb_bus& bus = busRecords.emplace_back();
        std::memset(&bus, 0, sizeof bus);
        name(bus.dirname, "bus-%d", number);
        bus.prev = previous;
        (previous != nullptr ? previous->next : busList) = &bus;
        previous = &bus;
    }
    return static_cast<int>(numbers.size());
}

__declspec(dllexport) int usb_find_devices()
{
    const std::lock_guard guard(mutex);
    int found = 0;
    for (usb_bus* bus = busList; bus != nullptr; bus = bus->next) {
        usb_device* previous = nullptr;
        for (std::size_t i = 0; i < plugged.size(); ++i) {
            const Plugged& p = plugged[i];
            char busName[sizeof bus->dirname];
            name(busName, "bus-%d", p.bus);
            if (!p.present || std::strcmp(busName, bus->dirname) != 0) continue;
            usb_device& device = deviceRecords.emplace_back();
            std::memset(&device, 0, sizeof device);
            nameDevice(device.filename, p);
            device.bus = bus;
            device.descriptor = {18, 1, 0x0200, 0xFF, 0, 0, 8, p.vendor, p.product, 0x0100, 1, 2, 0, 1};
            device.prev = previous;
            (previous != nullptr ? previous->next : bus->devices) = &device;
            previous = &device;
            deviceOf[&device] = i;
            ++found;
        }
    }
    return found;
}

__declspec(dllexport) usb_bus* usb_get_busses()
{
    const std::lock_guard guard(mutex);
    return busList;
}

__declspec(dllexport) usb_dev_handle* usb_open(usb_device* device)
{
    const std::lock_guard guard(mutex);
    const auto found = deviceOf.find(device);
    if (found == deviceOf.end() || !plugged.at(found->second).present) return nullptr;
    const Handle* handle = *handles.insert(new Handle{found->second}).first;
    return reinterpret_cast<usb_dev_handle*>(const_cast<Handle*>(handle));
}

__declspec(dllexport) int usb_close(usb_dev_handle* handle)
{
    const std::lock_guard guard(mutex);
    const auto* h = reinterpret_cast<const Handle*>(handle);
    if (handles.erase(h) == 0) return -EINVAL;
    delete h;
    return 0;
}

__declspec(dllexport) int usb_set_configuration(usb_dev_handle* handle, int configuration)
{
    const std::lock_guard guard(mutex);
    Plugged* device = deviceBehind(handle);
    if (device == nullptr) return -EINVAL;
    if (!device->present) return DeviceGoneResult;
    device->configurations.push_back(configuration);
    return 0;
}

__declspec(dllexport) int usb_control_msg(usb_dev_handle* handle, int requestType, int request, int value, int index,
                                          char* bytes, int size, int timeoutMs)
{
    Transport* answerer = nullptr;
    {
        const std::lock_guard guard(mutex);
        Plugged* device = deviceBehind(handle);
        if (device == nullptr) return -EINVAL;
        if (device->present && ++device->requests == device->pullOutAt) device->present = false;
        if (!device->present) return DeviceGoneResult;
        answerer = device->answerer;
    }
    return answerer->controlRequest(static_cast<std::uint8_t>(requestType), static_cast<std::uint8_t>(request),
                                    static_cast<std::uint16_t>(value), static_cast<std::uint16_t>(index),
                                    reinterpret_cast<std::uint8_t*>(bytes), size, timeoutMs);
}

// ---------------------------------------------------------------------------
// The test's side: the devices plugged in and what reached them.

// Plugs in a device whose requests `answerer` answers (it must outlive its
// use); returns the device's number.
__declspec(dllexport) int standin_plug(int bus, int address, std::uint16_t vendor, std::uint16_t product,
                                       Transport* answerer)
{
    const std::lock_guard guard(mutex);
    Plugged p;
    p.bus = bus;
    p.address = address;
    p.vendor = vendor;
    p.product = product;
    p.answerer = answerer;
    plugged.push_back(p);
    return static_cast<int>(plugged.size() - 1);
}

// Unplugs the device: the next scan no longer lists it, and a handle still
// open to it fails every request.
__declspec(dllexport) void standin_unplug(int device)
{
    const std::lock_guard guard(mutex);
    plugged.at(device).present = false;
}

// The device is pulled out at its n-th control request (from 1).
__declspec(dllexport) void standin_pull_out_at(int device, int n)
{
    const std::lock_guard guard(mutex);
    plugged.at(device).pullOutAt = n;
}

// The device's name, as the scan lists it.
__declspec(dllexport) void standin_name(int device, char* out, int size)
{
    const std::lock_guard guard(mutex);
    char field[libusb0::PathMax];
    nameDevice(field, plugged.at(device));
    std::snprintf(out, static_cast<std::size_t>(size), "%s", field);
}

// The configurations selected on the device, in order: up to `capacity` of
// them into `out`; returns how many there are.
__declspec(dllexport) int standin_configurations(int device, int* out, int capacity)
{
    const std::lock_guard guard(mutex);
    const std::vector<int>& selected = plugged.at(device).configurations;
    for (std::size_t i = 0; i < selected.size() && static_cast<int>(i) < capacity; ++i) out[i] = selected[i];
    return static_cast<int>(selected.size());
}

}  // extern "C"
