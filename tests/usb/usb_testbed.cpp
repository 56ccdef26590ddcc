#include "tests/usb/usb_testbed.h"

#include <umockdev.h>

#include <dirent.h>
#include <fcntl.h>
#include <link.h>
#include <linux/capability.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <mutex>
#include <stdexcept>

namespace usbtest {

namespace {

// The path of the first shared object loaded into this process whose path
// contains `part`, or an empty text.
std::string loadedObject(const char* part)
{
    std::pair<const char*, std::string> search{part, {}};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto& [wanted, found] = *static_cast<std::pair<const char*, std::string>*>(data);
            if (info->dlpi_name == nullptr || std::strstr(info->dlpi_name, wanted) == nullptr)
                return 0;
            found = info->dlpi_name;
            return 1;
        },
        &search);
    return search.second;
}

std::string format(const char* pattern, int a, int b = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

// What the node file holds, as libusb 0.1 reads it, in upper-case hex (the
// only case umockdev parses): the device descriptor followed by the one
// configuration (one vendor-class interface, no endpoints beyond the default
// control endpoint).
std::string descriptors(const NodeIdentity& id)
{
    const std::uint8_t bytes[] = {
        // device: USB 2.00, vendor class, 8-byte control packets, one configuration
        0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x08, std::uint8_t(id.vendor & 0xFF),
        std::uint8_t(id.vendor >> 8), std::uint8_t(id.product & 0xFF), std::uint8_t(id.product >> 8),
        0x00, 0x01, 0x00, 0x00, 0x00, 0x01,
        // configuration 1, 18 bytes in all, bus powered, 100 mA
        0x09, 0x02, 0x12, 0x00, 0x01, 0x01, 0x00, 0x80, 0x32,
        // interface 0, no endpoints, vendor specific
        0x09, 0x04, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00};
    std::string out;
    for (std::uint8_t b : bytes) out += format("%02X", b);
    return out;
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
    UsbTestbed::Impl* owner = nullptr;
    NodeIdentity identity;
    emu::Emulator* emulator = nullptr;
    UMockdevIoctlBase* handler = nullptr;
    std::string devName, nodeFile, sysPath;
    bool lockAfterScan = false;
    std::vector<NodeIoctl> ioctls;
};

struct UsbTestbed::Impl {
    UMockdevTestbed* testbed = nullptr;
    std::string root;
    int busBase = 0;
    pid_t client = getpid();
    mutable std::mutex mutex;
    std::vector<std::unique_ptr<Device>> devices;
};

namespace {

// Whether the client process holds the node open read-only. usbfs refuses
// every ioctl on such a descriptor with EPERM; libusb falls back to a
// read-only open when it may not write the node.
bool openedReadOnly(pid_t pid, const std::string& nodeFile)
{
    const std::string proc = "/proc/" + std::to_string(pid);
    DIR* dir = opendir((proc + "/fd").c_str());
    if (dir == nullptr) return false;
    bool readOnly = false;
    while (dirent* entry = readdir(dir)) {
        char target[PATH_MAX];
        const ssize_t n =
            readlink((proc + "/fd/" + entry->d_name).c_str(), target, sizeof target - 1);
        if (n <= 0 || nodeFile != std::string(target, static_cast<std::size_t>(n))) continue;
        std::ifstream info(proc + "/fdinfo/" + entry->d_name);
        std::string key, octal;
        while (info >> key >> octal && key != "flags:") {}
        if (key == "flags:")
            readOnly |= (std::strtol(octal.c_str(), nullptr, 8) & O_ACCMODE) == O_RDONLY;
    }
    closedir(dir);
    return readOnly;
}

// The bytes at `offset` of an ioctl argument, or null (and EFAULT).
UMockdevIoctlData* resolve(UMockdevIoctlData* data, gsize offset, gsize length, int& error)
{
    UMockdevIoctlData* child = umockdev_ioctl_data_resolve(data, offset, length, nullptr);
    if (child == nullptr) error = EFAULT;
    return child;
}

// Answers a control transfer from the emulator; only the bytes received
// reach the caller's buffer. Returns the ioctl result, -1 with `error` set
// for a failed one.
long control(UsbTestbed::Device& device, UMockdevIoctlData* arg, int& error)
{
    UMockdevIoctlData* block = resolve(arg, 0, sizeof(usbdevfs_ctrltransfer), error);
    if (block == nullptr) return -1;
    usbdevfs_ctrltransfer t;
    std::memcpy(&t, block->data, sizeof t);
    const int length = t.wLength;
    UMockdevIoctlData* buffer = nullptr;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length) + 1, 0);
    if (length > 0) {
        buffer = resolve(block, offsetof(usbdevfs_ctrltransfer, data), std::size_t(length), error);
        if (buffer == nullptr) {
            g_object_unref(block);
            return -1;
        }
        std::memcpy(bytes.data(), buffer->data, std::size_t(length));
    }
    const int result = device.emulator == nullptr
                           ? emu::StallResult
                           : device.emulator->controlRequest(t.bRequestType, t.bRequest, t.wValue,
                                                             t.wIndex, bytes.data(), length,
                                                             static_cast<int>(t.timeout));
    if (result > 0 && (t.bRequestType & 0x80) != 0 && buffer != nullptr)
        std::memcpy(buffer->data, bytes.data(), std::size_t(std::min(result, length)));
    if (buffer != nullptr) g_object_unref(buffer);
    g_object_unref(block);
    if (result < 0) error = -result;
    return result < 0 ? -1 : result;
}

gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer userData)
{
    auto& device = *static_cast<UsbTestbed::Device*>(userData);
    std::lock_guard lock(device.owner->mutex);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    NodeIoctl record;
    long result = -1;
    int error = 0;
    switch (umockdev_ioctl_client_get_request(client)) {
    case USBDEVFS_CONNECTINFO: record.kind = NodeIoctl::Kind::ConnectInfo; break;
    case USBDEVFS_IOCTL: record.kind = NodeIoctl::Kind::HubQuery; break;
    case USBDEVFS_SETCONFIGURATION: record.kind = NodeIoctl::Kind::SetConfiguration; break;
    case USBDEVFS_CONTROL: record.kind = NodeIoctl::Kind::Control; break;
    default: break;
    }

    if (record.kind == NodeIoctl::Kind::Other) {
        error = ENOTTY;
    } else if (openedReadOnly(device.owner->client, device.nodeFile)) {
        error = EPERM;
    } else if (record.kind == NodeIoctl::Kind::ConnectInfo) {
        if (UMockdevIoctlData* info = resolve(arg, 0, sizeof(usbdevfs_connectinfo), error)) {
            usbdevfs_connectinfo answer{static_cast<unsigned int>(device.identity.address), 0};
            umockdev_ioctl_data_update(info, 0, reinterpret_cast<guint8*>(&answer), sizeof answer);
            g_object_unref(info);
            result = 0;
        }
    } else if (record.kind == NodeIoctl::Kind::HubQuery) {
        error = ENODATA;  // no driver is bound to the adapter's interface: not a hub
    } else if (record.kind == NodeIoctl::Kind::SetConfiguration) {
        if (UMockdevIoctlData* value = resolve(arg, 0, sizeof(unsigned int), error)) {
            std::memcpy(&record.configuration, value->data, sizeof(unsigned int));
            g_object_unref(value);
            result = record.configuration == 1 ? 0 : -1;
            error = record.configuration == 1 ? 0 : EINVAL;
        }
    } else {
        result = control(device, arg, error);
    }

    device.ioctls.push_back(record);
    umockdev_ioctl_client_complete(client, result, result < 0 ? error : 0);
    if (record.kind == NodeIoctl::Kind::HubQuery && device.lockAfterScan)
        chmod(device.nodeFile.c_str(), 0);
    return TRUE;
}

[[noreturn]] void refused(const std::string& what, GError* error)
{
    const std::string why = error != nullptr ? error->message : "?";
    g_clear_error(&error);
    throw std::runtime_error(what + ": " + why);
}

}  // namespace

UsbTestbed::UsbTestbed() : impl_(std::make_unique<Impl>())
{
    impl_->testbed = umockdev_testbed_new();
    gchar* root = umockdev_testbed_get_root_dir(impl_->testbed);
    char real[PATH_MAX];
    impl_->root = realpath(root, real) != nullptr ? real : root;
    g_free(root);
    impl_->busBase = nextBusBase.fetch_add(10);
    // libusb looks for /dev/bus/usb and then /proc/bus/usb; without them in
    // the testbed it would fall through to the host's real buses.
    for (const char* folder : {"/dev/bus/usb", "/proc/bus/usb"})
        if (g_mkdir_with_parents((impl_->root + folder).c_str(), 0755) != 0)
            throw std::runtime_error("cannot create " + impl_->root + folder);
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
    device->owner = impl_.get();
    device->identity = identity;
    device->emulator = emulator;
    const int bus = impl_->busBase + identity.bus;
    const std::string node = format("bus/usb/%03d/%03d", bus, identity.address);
    device->devName = "/dev/" + node;
    device->nodeFile = impl_->root + device->devName;
    device->sysPath = "/sys/devices/pci0000:00/0000:00:14.0/usb" + format("%d/%d-", bus, bus) +
                      std::to_string(identity.address);
    const std::string description =
        "P: " + device->sysPath.substr(4) + "\nN: " + node + "=" + descriptors(identity) +
        "\nE: DEVNAME=" + device->devName + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n" +
        format("A: idVendor=%04x\nA: idProduct=%04x\n", identity.vendor, identity.product) +
        format("A: busnum=%d\nA: devnum=%d\n", bus, identity.address);
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(impl_->testbed, description.c_str(), &error))
        refused("umockdev refused the device", error);
    device->handler = umockdev_ioctl_base_new();
    g_signal_connect(device->handler, "handle-ioctl", G_CALLBACK(onIoctl), device.get());
    if (!umockdev_testbed_attach_ioctl(impl_->testbed, device->devName.c_str(), device->handler,
                                       &error))
        refused("umockdev cannot answer the node's ioctls", error);
    std::lock_guard lock(impl_->mutex);
    impl_->devices.push_back(std::move(device));
    return static_cast<int>(impl_->devices.size()) - 1;
}

void UsbTestbed::removeDevice(int device)
{
    const Device& d = *impl_->devices.at(device);
    GError* error = nullptr;
    if (!umockdev_testbed_detach_ioctl(impl_->testbed, d.devName.c_str(), &error))
        refused("umockdev cannot detach the node's ioctls", error);
    umockdev_testbed_remove_device(impl_->testbed, d.sysPath.c_str());
    unlink(d.nodeFile.c_str());  // umockdev leaves the node file behind
}

std::string UsbTestbed::devName(int device) const { return impl_->devices.at(device)->devName; }

void UsbTestbed::setMode(int device, mode_t mode)
{
    if (chmod(impl_->devices.at(device)->nodeFile.c_str(), mode) != 0)
        throw std::runtime_error("cannot change the mode of " + devName(device));
}

void UsbTestbed::lockAfterScan(int device)
{
    std::lock_guard lock(impl_->mutex);
    impl_->devices.at(device)->lockAfterScan = true;
}

void UsbTestbed::setClient(pid_t pid)
{
    std::lock_guard lock(impl_->mutex);
    impl_->client = pid;
}

std::vector<NodeIoctl> UsbTestbed::ioctls(int device) const
{
    std::lock_guard lock(impl_->mutex);
    return impl_->devices.at(device)->ioctls;
}

std::vector<emu::LogEntry> UsbTestbed::log(int device) const
{
    std::lock_guard lock(impl_->mutex);
    const emu::Emulator* emulator = impl_->devices.at(device)->emulator;
    return emulator != nullptr ? emulator->log() : std::vector<emu::LogEntry>{};
}

std::vector<std::string> UsbTestbed::environment() const
{
    return {"UMOCKDEV_DIR=" + impl_->root, "LD_PRELOAD=" + preloadList()};
}

ModesTakeEffect::ModesTakeEffect()
{
    static_assert(sizeof saved_ == 2 * sizeof(__user_cap_data_struct));
    if (geteuid() != 0) return;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    auto* data = reinterpret_cast<__user_cap_data_struct*>(saved_);
    if (syscall(SYS_capget, &header, data) != 0) return;
    __user_cap_data_struct reduced[2] = {data[0], data[1]};
    reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    dropped_ = syscall(SYS_capset, &header, reduced) == 0;
}

ModesTakeEffect::~ModesTakeEffect()
{
    if (!dropped_) return;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    syscall(SYS_capset, &header, reinterpret_cast<__user_cap_data_struct*>(saved_));
}

bool ModesTakeEffect::usable() const { return geteuid() != 0 || dropped_; }

}  // namespace usbtest
