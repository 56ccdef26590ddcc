#include "tests/usb/usb_testbed.h"

#include <gtest/gtest.h>
#include <umockdev.h>

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>

namespace usbtest {

namespace {

// The path of the first object mapped into this process whose file name
// contains `part`, or an empty text.
std::string loadedObject(const char* part)
{
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find('/') != std::string::npos && line.find(part, line.rfind('/')) != std::string::npos)
            return line.substr(line.find('/'));
    return {};
}

template <typename... Values>
std::string format(const char* pattern, Values... values)
{
    char text[128];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// What the node file holds, as libusb 0.1 reads it, in the upper-case hex
// that umockdev parses: the device descriptor (USB 2.00, vendor class, 8-byte
// control packets, one configuration), then configuration 1 (18 bytes in all,
// bus powered, 100 mA) with one vendor-specific interface and no endpoints
// beyond the default control endpoint.
std::string descriptors(const NodeIdentity& id)
{
    return format(
        "1201000200000008%02X%02X%02X%02X000100000001"
        "0902120001010080320904000000FF000000",
        id.vendor & 0xFF, id.vendor >> 8, id.product & 0xFF, id.product >> 8);
}

// Each testbed takes bus numbers never used before in this process: libusb
// 0.1 keeps what it learnt of a bus and device of the same name across scans.
std::atomic<int> nextBusBase{0};

}  // namespace

std::string unavailableReason()
{
    if (!loadedObject("libumockdev-preload").empty()) return {};
    return "libumockdev-preload.so.0 is not loaded into the test process (is the umockdev "
           "package installed?), so libusb cannot be shown emulated devices";
}

std::string preloadList()
{
    std::string list = loadedObject("asan");  // libasan or libclang_rt.asan
    return list + (list.empty() ? "" : ":") + "libumockdev-preload.so.0";
}

struct UsbTestbed::Device {
    std::mutex* mutex = nullptr;  // the testbed's
    unsigned int address = 0;
    emu::Emulator* emulator = nullptr;
    UMockdevIoctlBase* handler = nullptr;
    std::string devName, nodeFile, sysPath, port;
    bool vanishAfterScan = false;
    bool removed = false;  // unplugged: what is still open of it answers ENODEV
    int pullOutAt = 0;     // the control request that unplugs it, from 1; 0: none
    int controls = 0;
    std::vector<int> configurations;
};

struct UsbTestbed::Impl {
    UMockdevTestbed* testbed = nullptr;
    std::string root;
    int busBase = 0;
    mutable std::mutex mutex;
    std::vector<std::unique_ptr<Device>> devices;
};

namespace {

// The `length` bytes an ioctl argument points to (at `offset` of a block
// already reached). libusb hands only valid pointers to the ioctls.
UMockdevIoctlData* resolve(UMockdevIoctlData* data, std::size_t offset, std::size_t length)
{
    UMockdevIoctlData* child = umockdev_ioctl_data_resolve(data, offset, length, nullptr);
    if (child == nullptr) g_error("usb testbed: cannot reach an ioctl argument");
    return child;
}

// Answers a control transfer from the emulator; only the bytes received
// reach the caller's buffer. Returns the result, a negative errno on failure.
int control(UsbTestbed::Device& device, UMockdevIoctlData* arg)
{
    g_autoptr(UMockdevIoctlData) block = resolve(arg, 0, sizeof(usbdevfs_ctrltransfer));
    usbdevfs_ctrltransfer t;
    std::memcpy(&t, block->data, sizeof t);
    const int length = t.wLength;
    g_autoptr(UMockdevIoctlData) buffer =
        length > 0 ? resolve(block, offsetof(usbdevfs_ctrltransfer, data), std::size_t(length)) : nullptr;
    std::vector<std::uint8_t> bytes(std::size_t(length) + 1, 0);
    if (buffer != nullptr) std::memcpy(bytes.data(), buffer->data, std::size_t(length));
    const int result = device.emulator->controlRequest(t.bRequestType, t.bRequest, t.wValue, t.wIndex, bytes.data(),
                                                       length, int(t.timeout));
    if (result > 0 && (t.bRequestType & 0x80) != 0 && buffer != nullptr)
        std::memcpy(buffer->data, bytes.data(), std::size_t(std::min(result, length)));
    return result;
}

gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer userData)
{
    auto& device = *static_cast<UsbTestbed::Device*>(userData);
    std::lock_guard lock(*device.mutex);
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    struct stat node {};
    int result = -ENOTTY;
    if (device.removed) {
        result = -ENODEV;
    } else if (stat(device.nodeFile.c_str(), &node) != 0 || (node.st_mode & S_IWUSR) == 0) {
        result = -EPERM;  // held read-only
    } else if (request == USBDEVFS_CONNECTINFO) {
        g_autoptr(UMockdevIoctlData) info = resolve(arg, 0, sizeof(usbdevfs_connectinfo));
        usbdevfs_connectinfo answer{device.address, 0};
        umockdev_ioctl_data_update(info, 0, reinterpret_cast<guint8*>(&answer), sizeof answer);
        result = 0;
    } else if (request == USBDEVFS_IOCTL) {
        // The hub query, libusb's last step of the scan. No driver is bound
        // to the adapter's interface: not a hub.
        result = -ENODATA;
        if (device.vanishAfterScan) unlink(device.nodeFile.c_str());
    } else if (request == USBDEVFS_SETCONFIGURATION) {
        g_autoptr(UMockdevIoctlData) value = resolve(arg, 0, sizeof(unsigned int));
        unsigned int configuration = 0;
        std::memcpy(&configuration, value->data, sizeof configuration);
        device.configurations.push_back(static_cast<int>(configuration));
        result = configuration == 1 ? 0 : -EINVAL;
    } else if (request == USBDEVFS_CONTROL && ++device.controls == device.pullOutAt) {
        device.removed = true;
        unlink(device.nodeFile.c_str());
        result = -ENODEV;
    } else if (request == USBDEVFS_CONTROL) {
        result = control(device, arg);
    }
    umockdev_ioctl_client_complete(client, result < 0 ? -1 : result, result < 0 ? -result : 0);
    return TRUE;
}

}  // namespace

UsbTestbed::UsbTestbed() : impl_(std::make_unique<Impl>())
{
    impl_->testbed = umockdev_testbed_new();
    g_autofree gchar* root = umockdev_testbed_get_root_dir(impl_->testbed);
    impl_->root = root;
    impl_->busBase = nextBusBase.fetch_add(10);
    // libusb looks for /dev/bus/usb and then /proc/bus/usb; without them in
    // the testbed it would fall through to the host's real buses.
    for (const char* folder : {"/dev/bus/usb", "/proc/bus/usb"})
        if (g_mkdir_with_parents((impl_->root + folder).c_str(), 0755) != 0)
            g_error("usb testbed: cannot create %s", folder);
}

UsbTestbed::~UsbTestbed()
{
    // Give the nodes back their mode so that the testbed's folder can be removed.
    for (const auto& device : impl_->devices) chmod(device->nodeFile.c_str(), 0644);
    g_object_unref(impl_->testbed);
    for (const auto& device : impl_->devices) g_object_unref(device->handler);
}

int UsbTestbed::addDevice(const NodeIdentity& identity, emu::Emulator* emulator)
{
    auto device = std::make_unique<Device>();
    device->mutex = &impl_->mutex;
    device->address = static_cast<unsigned int>(identity.address);
    device->emulator = emulator;
    const int bus = impl_->busBase + identity.bus;
    const std::string node = format("bus/usb/%03d/%03d", bus, identity.address);
    device->devName = "/dev/" + node;
    device->nodeFile = impl_->root + device->devName;
    device->port = format("%d-", bus) + (identity.port.empty() ? std::to_string(identity.address) : identity.port);
    device->sysPath = "/sys/devices/pci0000:00/0000:00:14.0/usb" + format("%d/", bus) + device->port;
    const std::string description = "P: " + device->sysPath.substr(4) + "\nN: " + node + "=" + descriptors(identity) +
                                    "\nE: DEVNAME=" + device->devName + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n" +
                                    format("A: idVendor=%04x\nA: idProduct=%04x\n", identity.vendor, identity.product) +
                                    format("A: busnum=%d\nA: devnum=%d\n", bus, identity.address);
    GError* error = nullptr;
    umockdev_testbed_add_from_string(impl_->testbed, description.c_str(), &error);
    g_assert_no_error(error);
    device->handler = umockdev_ioctl_base_new();
    g_signal_connect(device->handler, "handle-ioctl", G_CALLBACK(onIoctl), device.get());
    umockdev_testbed_attach_ioctl(impl_->testbed, device->devName.c_str(), device->handler, &error);
    g_assert_no_error(error);
    std::lock_guard lock(impl_->mutex);
    impl_->devices.push_back(std::move(device));
    return static_cast<int>(impl_->devices.size()) - 1;
}

void UsbTestbed::removeDevice(int device)
{
    Device& d = *impl_->devices.at(device);
    {
        std::lock_guard lock(impl_->mutex);
        d.removed = true;
    }
    umockdev_testbed_remove_device(impl_->testbed, d.sysPath.c_str());
    unlink(d.nodeFile.c_str());  // umockdev leaves the node file behind
}

std::string UsbTestbed::devName(int device) const
{
    return impl_->devices.at(device)->devName;
}

std::string UsbTestbed::portPath(int device) const
{
    return impl_->devices.at(device)->port;
}

void UsbTestbed::setMode(int device, mode_t mode)
{
    if (chmod(impl_->devices.at(device)->nodeFile.c_str(), mode) != 0) g_error("usb testbed: cannot change a mode");
}

void UsbTestbed::vanishAfterScan(int device)
{
    std::lock_guard lock(impl_->mutex);
    impl_->devices.at(device)->vanishAfterScan = true;
}

void UsbTestbed::pullOutAtRequest(int device, int n)
{
    std::lock_guard lock(impl_->mutex);
    impl_->devices.at(device)->pullOutAt = n;
}

std::vector<int> UsbTestbed::configurations(int device) const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->devices.at(device)->configurations;
}

std::vector<emu::LogEntry> UsbTestbed::log(int device) const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->devices.at(device)->emulator->log();
}

std::vector<std::string> UsbTestbed::environment() const
{
    return {"UMOCKDEV_DIR=" + impl_->root, "LD_PRELOAD=" + preloadList()};
}

}  // namespace usbtest

// main() of the USB test programs: they need libumockdev-preload.so loaded
// before anything else (after a sanitizer runtime), so a program started
// without it starts itself again with it in LD_PRELOAD. If that does not help,
// the tests skip and say why.
int main(int argc, char** argv)
{
    constexpr const char* Marker = "BRISEL_USB_TEST_PRELOADED";
    if (!usbtest::unavailableReason().empty() && std::getenv(Marker) == nullptr) {
        std::string list = usbtest::preloadList();
        if (const char* old = std::getenv("LD_PRELOAD"); old != nullptr && *old != '\0') list += std::string(":") + old;
        setenv("LD_PRELOAD", list.c_str(), 1);
        setenv(Marker, "1", 1);
        // By its own path, not /proc/self/exe, so that its process keeps its
        // name (a lock holder is named by it).
        char self[4096] = {};
        if (readlink("/proc/self/exe", self, sizeof self - 1) > 0) execv(self, argv);
        // Not started again: the tests report that umockdev is missing.
    }
    unsetenv(Marker);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
