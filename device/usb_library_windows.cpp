// libusb0.dll, loaded once per process, and the libusb 0.1 calls of
// device/usb_api.h passed on to it.
#include "device/usb_api.h"
#include "device/usb_library.h"
#include "device/windows_text.h"

#include <windows.h>

#include <mutex>

namespace {

struct Functions {
    libusb0::Init init = nullptr;
    libusb0::FindBusses findBusses = nullptr;
    libusb0::FindDevices findDevices = nullptr;
    libusb0::GetBusses getBusses = nullptr;
    libusb0::Open open = nullptr;
    libusb0::Close close = nullptr;
    libusb0::SetConfiguration setConfiguration = nullptr;
    libusb0::ControlMsg controlMsg = nullptr;
};

std::mutex loading;
bool loaded = false;
Functions functions;

template <typename Function>
bool find(HMODULE library, const char* name, Function& function)
{
    // GetProcAddress gives every function one type; the library's own is
    // the one device/libusb0_windows.h declares for it.
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}

// Takes the library's functions, or lets the library go when one is missing.
void take(HMODULE library, const std::string& shown)
{
    if (library == nullptr) throw UsbLibraryMissing(shown);
    Functions found;
    if (!find(library, "usb_init", found.init) || !find(library, "usb_find_busses", found.findBusses) ||
        !find(library, "usb_find_devices", found.findDevices) || !find(library, "usb_get_busses", found.getBusses) ||
        !find(library, "usb_open", found.open) || !find(library, "usb_close", found.close) ||
        !find(library, "usb_set_configuration", found.setConfiguration) ||
        !find(library, "usb_control_msg", found.controlMsg)) {
        FreeLibrary(library);
        throw UsbLibraryMissing(shown);
    }
    functions = found;
    loaded = true;
}

const Functions& library()
{
    loadUsbLibrary();
    return functions;
}

}  // namespace

void loadUsbLibrary()
{
    const std::lock_guard guard(loading);
    if (!loaded) take(LoadLibraryExW(L"libusb0.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "libusb0.dll");
}

void loadUsbLibraryFrom(const std::string& path)
{
    const std::lock_guard guard(loading);
    const std::wstring file = windows_text::wide(path);
    if (!loaded && !file.empty())
        take(LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR),
             path);
    if (!loaded) throw UsbLibraryMissing(path);
}

void usb_init()
{
    library().init();
}

int usb_find_busses()
{
    return library().findBusses();
}

int usb_find_devices()
{
    return library().findDevices();
}

usb_bus* usb_get_busses()
{
    return library().getBusses();
}

usb_dev_handle* usb_open(usb_device* device)
{
    return library().open(device);
}

int usb_close(usb_dev_handle* handle)
{
    return library().close(handle);
}

int usb_set_configuration(usb_dev_handle* handle, int configuration)
{
    return library().setConfiguration(handle, configuration);
}

int usb_control_msg(usb_dev_handle* handle, int requestType, int request, int value, int index, char* bytes, int size,
                    int timeoutMs)
{
    return library().controlMsg(handle, requestType, request, value, index, bytes, size, timeoutMs);
}
