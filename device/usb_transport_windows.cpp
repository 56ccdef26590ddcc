// Windows: libusb0.dll is loaded from the system folder before the buses are
// walked. Its structures differ from Linux's (the path lengths, the
// packing) and are not declared here yet: until they are, a walk finds no
// adapter.
#include "device/usb_library.h"
#include "device/usb_transport.h"

#include <windows.h>

#include <mutex>

namespace {

HMODULE library = nullptr;

}  // namespace

void loadUsbLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { library = LoadLibraryExW(L"libusb0.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32); });
    if (library == nullptr) throw UsbLibraryMissing("libusb0.dll");
}

UsbTransport::~UsbTransport() = default;

int UsbTransport::controlRequest(std::uint8_t, std::uint8_t, std::uint16_t, std::uint16_t, std::uint8_t*, int, int)
{
    return -1;
}

AdapterWalk usbWalk()
{
    loadUsbLibrary();
    return AdapterWalk{};
}

std::vector<AdapterNode> listAdapters()
{
    return usbWalk().adapters;
}

AdapterAccess OpenDevice(const std::optional<AdapterChoice>& choice)
{
    const AdapterWalk walk = usbWalk();
    const auto chosen = chooseAdapter(walk.adapters, choice);
    return chosen && walk.open ? walk.open(*chosen) : AdapterAccess{};
}

AdapterOpener usbAdapterOpener(std::optional<AdapterChoice> choice)
{
    return trackingOpener(usbWalk, std::move(choice));
}
