// The emulated USB devices of usb_testbed.h on Windows, where the program
// reaches the adapter through libusb0.dll: the stand-in library of
// tests/windows/libusb0_standin.cpp, loaded from the folder "standin" beside
// the test program, lists the devices plugged in here and passes each
// device's requests to its emulator. There are no device nodes, modes or
// port paths.

#include "tests/usb/usb_testbed.h"

#include "device/usb_library.h"
#include "device/windows_text.h"

#include <windows.h>

#include <array>
#include <stdexcept>

namespace usbtest {

namespace {

// The stand-in's file: standin\libusb0.dll beside this program.
std::string standinFile()
{
    std::array<wchar_t, 4096> self{};
    const DWORD length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    std::wstring folder(self.data(), length < self.size() ? length : 0);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return windows_text::utf8(folder + L"standin\\libusb0.dll");
}

// The stand-in as the program loaded it, or null with `why` told.
HMODULE standin(std::string* why = nullptr)
{
    try {
        loadUsbLibraryFrom(standinFile());
    } catch (const UsbLibraryMissing& missing) {
        if (why != nullptr) *why = "the stand-in " + missing.library() + " cannot be loaded";
        return nullptr;
    }
    return GetModuleHandleW(L"libusb0.dll");
}

template <typename Function>
Function standinFunction(const char* name)
{
    HMODULE library = standin();
    const auto found = library != nullptr ? GetProcAddress(library, name) : nullptr;
    if (found == nullptr) throw std::runtime_error(std::string("the stand-in libusb0.dll lacks ") + name);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace

struct UsbTestbed::Device {
    int standin = -1;
    emu::Emulator* emulator = nullptr;
};

struct UsbTestbed::Impl {
    std::vector<Device> devices;
};

std::string unavailableReason()
{
    std::string why;
    return standin(&why) != nullptr ? std::string() : why;
}

UsbTestbed::UsbTestbed() : impl_(std::make_unique<Impl>()) {}

UsbTestbed::~UsbTestbed()
{
    // What this testbed plugged in is gone for the next one.
    for (std::size_t d = 0; d < impl_->devices.size(); ++d) removeDevice(static_cast<int>(d));
}

int UsbTestbed::addDevice(const NodeIdentity& identity, emu::Emulator* emulator)
{
    using Plug = int (*)(int, int, std::uint16_t, std::uint16_t, Transport*);
    const int number = standinFunction<Plug>("standin_plug")(identity.bus, identity.address, identity.vendor,
                                                             identity.product, emulator);
    impl_->devices.push_back({number, emulator});
    return static_cast<int>(impl_->devices.size() - 1);
}

void UsbTestbed::removeDevice(int device)
{
    standinFunction<void (*)(int)>("standin_unplug")(impl_->devices.at(device).standin);
}

void UsbTestbed::pullOutAtRequest(int device, int n)
{
    standinFunction<void (*)(int, int)>("standin_pull_out_at")(impl_->devices.at(device).standin, n);
}

std::string UsbTestbed::devName(int device) const
{
    std::array<char, 600> name{};
    standinFunction<void (*)(int, char*, int)>("standin_name")(impl_->devices.at(device).standin, name.data(),
                                                               static_cast<int>(name.size()));
    return name.data();
}

std::string UsbTestbed::portPath(int) const
{
    return {};
}

std::vector<int> UsbTestbed::configurations(int device) const
{
    const auto selected = standinFunction<int (*)(int, int*, int)>("standin_configurations");
    std::vector<int> out(16);
    out.resize(static_cast<std::size_t>(selected(impl_->devices.at(device).standin, out.data(), 16)));
    return out;
}

std::vector<emu::LogEntry> UsbTestbed::log(int device) const
{
    return impl_->devices.at(device).emulator->log();
}

}  // namespace usbtest
