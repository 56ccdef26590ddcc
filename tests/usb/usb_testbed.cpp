#include "tests/usb/usb_testbed.h"

#include <umockdev.h>

#include <dirent.h>
#include <fcntl.h>
#include <link.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace usbtest {

namespace {

// Paths of the shared objects loaded into this process.
std::vector<std::string> loadedObjects()
{
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* out) {
            if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
                static_cast<std::vector<std::string>*>(out)->push_back(info->dlpi_name);
            return 0;
        },
        &names);
    return names;
}

std::string hex(const std::vector<std::uint8_t>& bytes)
{
    std::string out;
    char pair[3];
    for (std::uint8_t b : bytes) {
        // umockdev parses only upper-case hex in its description lines.
        std::snprintf(pair, sizeof pair, "%02X", b);
        out += pair;
    }
    return out;
}

// What the node file holds, as libusb 0.1 reads it: the device descriptor
// followed by the one configuration (one vendor-class interface, no
// endpoints beyond the default control endpoint).
std::vector<std::uint8_t> descriptors(const NodeIdentity& identity)
{
    const auto lo = [](std::uint16_t v) { return static_cast<std::uint8_t>(v & 0xFF); };
    const auto hi = [](std::uint16_t v) { return static_cast<std::uint8_t>(v >> 8); };
    return {
        // device: USB 2.00, vendor class, 8-byte control packets, one configuration
        0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x08, lo(identity.vendor), hi(identity.vendor),
        lo(identity.product), hi(identity.product), 0x00, 0x01, 0x00, 0x00, 0x00, 0x01,
        // configuration 1, 18 bytes in all, bus powered, 100 mA
        0x09, 0x02, 0x12, 0x00, 0x01, 0x01, 0x00, 0x80, 0x32,
        // interface 0, no endpoints, vendor specific
        0x09, 0x04, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00};
}

std::string threeDigits(int n)
{
    char text[8];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

// Each testbed takes bus numbers never used before in this process: libusb
// 0.1 keeps what it learnt of a bus and device of the same name across scans.
std::atomic<int> nextBusBase{0};

}  // namespace

std::string unavailableReason()
{
    for (const std::string& name : loadedObjects())
        if (name.find("libumockdev-preload") != std::string::npos) return {};
    return "libumockdev-preload.so.0 is not loaded into the test process (is the umockdev "
           "package installed?), so libusb cannot be shown emulated devices";
}

std::string sanitizerRuntime()
{
    for (const std::string& name : loadedObjects())
        if (name.find("libasan") != std::string::npos ||
            name.find("libclang_rt.asan") != std::string::npos)
            return name;
    return {};
}

std::string preloadList()
{
    std::string list = sanitizerRuntime();
    if (!list.empty()) list += ':';
    return list + "libumockdev-preload.so.0";
}

struct UsbTestbed::Device {
    UsbTestbed::Impl* owner = nullptr;
    NodeIdentity identity;
    int bus = 0;
    emu::Emulator* emulator = nullptr;
    UMockdevIoctlBase* handler = nullptr;
    std::string devName;
    std::string nodeFile;
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
    const std::string fdDir = "/proc/" + std::to_string(pid) + "/fd";
    DIR* dir = opendir(fdDir.c_str());
    if (dir == nullptr) return false;
    bool readOnly = false;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        char target[PATH_MAX];
        const ssize_t n = readlink((fdDir + "/" + entry->d_name).c_str(), target, sizeof target - 1);
        if (n <= 0) continue;
        target[n] = '\0';
        if (nodeFile != target) continue;
        std::ifstream info("/proc/" + std::to_string(pid) + "/fdinfo/" + entry->d_name);
        std::string key;
        while (info >> key) {
            if (key != "flags:") continue;
            std::string octal;
            info >> octal;
            if ((std::strtol(octal.c_str(), nullptr, 8) & O_ACCMODE) == O_RDONLY) readOnly = true;
            break;
        }
    }
    closedir(dir);
    return readOnly;
}

UMockdevIoctlData* resolve(UMockdevIoctlData* data, gsize offset, gsize length)
{
    GError* error = nullptr;
    UMockdevIoctlData* child = umockdev_ioctl_data_resolve(data, offset, length, &error);
    if (child == nullptr) {
        std::fprintf(stderr, "usb testbed: cannot reach the ioctl argument: %s\n",
                     error != nullptr ? error->message : "?");
        g_clear_error(&error);
    }
    return child;
}

// Answers a control transfer from the emulator. Returns the ioctl result and
// sets `error` for a failed one.
long control(UsbTestbed::Device& device, UMockdevIoctlData* arg, int& error)
{
    UMockdevIoctlData* block = resolve(arg, 0, sizeof(usbdevfs_ctrltransfer));
    if (block == nullptr) {
        error = EFAULT;
        return -1;
    }
    usbdevfs_ctrltransfer transfer;
    std::memcpy(&transfer, block->data, sizeof transfer);
    const bool in = (transfer.bRequestType & 0x80) != 0;
    const int length = transfer.wLength;

    UMockdevIoctlData* buffer = nullptr;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length) + 1, 0);
    if (length > 0) {
        // The data pointer sits at offset 16 of the 24-byte request block.
        buffer = resolve(block, offsetof(usbdevfs_ctrltransfer, data), static_cast<gsize>(length));
        if (buffer == nullptr) {
            g_object_unref(block);
            error = EFAULT;
            return -1;
        }
        std::memcpy(bytes.data(), buffer->data, static_cast<std::size_t>(length));
    }

    int result = emu::StallResult;
    if (device.emulator != nullptr)
        result = device.emulator->controlRequest(transfer.bRequestType, transfer.bRequest,
                                                 transfer.wValue, transfer.wIndex, bytes.data(),
                                                 length, static_cast<int>(transfer.timeout));
    if (result >= 0 && in && result > 0 && buffer != nullptr) {
        // Only the bytes received reach the caller's buffer.
        std::memcpy(buffer->data, bytes.data(), static_cast<std::size_t>(std::min(result, length)));
    }
    if (buffer != nullptr) g_object_unref(buffer);
    g_object_unref(block);
    if (result < 0) {
        error = -result;
        return -1;
    }
    return result;
}

gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer userData)
{
    auto& device = *static_cast<UsbTestbed::Device*>(userData);
    auto& owner = *device.owner;
    std::lock_guard lock(owner.mutex);

    NodeIoctl record;
    record.request = umockdev_ioctl_client_get_request(client);
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    long result = -1;
    int error = 0;

    switch (record.request) {
    case USBDEVFS_CONNECTINFO: record.kind = NodeIoctl::Kind::ConnectInfo; break;
    case USBDEVFS_IOCTL: record.kind = NodeIoctl::Kind::HubQuery; break;
    case USBDEVFS_SETCONFIGURATION: record.kind = NodeIoctl::Kind::SetConfiguration; break;
    case USBDEVFS_CONTROL: record.kind = NodeIoctl::Kind::Control; break;
    default: record.kind = NodeIoctl::Kind::Other; break;
    }

    if (record.kind == NodeIoctl::Kind::Other) {
        error = ENOTTY;
    } else if (openedReadOnly(owner.client, device.nodeFile)) {
        error = EPERM;
    } else if (record.kind == NodeIoctl::Kind::ConnectInfo) {
        if (UMockdevIoctlData* info = resolve(arg, 0, sizeof(usbdevfs_connectinfo))) {
            usbdevfs_connectinfo answer{static_cast<unsigned int>(device.identity.address), 0};
            umockdev_ioctl_data_update(info, 0, reinterpret_cast<guint8*>(&answer), sizeof answer);
            g_object_unref(info);
            result = 0;
        } else {
            error = EFAULT;
        }
    } else if (record.kind == NodeIoctl::Kind::HubQuery) {
        // No driver is bound to the adapter's interface: not a hub.
        error = ENODATA;
    } else if (record.kind == NodeIoctl::Kind::SetConfiguration) {
        if (UMockdevIoctlData* value = resolve(arg, 0, sizeof(unsigned int))) {
            unsigned int configuration = 0;
            std::memcpy(&configuration, value->data, sizeof configuration);
            record.configuration = static_cast<int>(configuration);
            g_object_unref(value);
            if (configuration == 1) result = 0;
            else error = EINVAL;
        } else {
            error = EFAULT;
        }
    } else {
        result = control(device, arg, error);
    }

    record.error = result < 0 ? error : 0;
    device.ioctls.push_back(record);
    umockdev_ioctl_client_complete(client, result, result < 0 ? error : 0);

    if (record.kind == NodeIoctl::Kind::HubQuery && device.lockAfterScan)
        chmod(device.nodeFile.c_str(), 0);
    return TRUE;
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
    for (const char* folder : {"/dev/bus/usb", "/proc/bus/usb"}) {
        const std::string path = impl_->root + folder;
        if (g_mkdir_with_parents(path.c_str(), 0755) != 0)
            throw std::runtime_error("cannot create " + path);
    }
}

UsbTestbed::~UsbTestbed()
{
    // Give the node back its mode so that the testbed's folder can be removed.
    for (const auto& device : impl_->devices) chmod(device->nodeFile.c_str(), 0644);
    g_object_unref(impl_->testbed);
    for (const auto& device : impl_->devices) g_object_unref(device->handler);
}

int UsbTestbed::addDevice(const NodeIdentity& identity, emu::Emulator* emulator)
{
    auto device = std::make_unique<Device>();
    device->owner = impl_.get();
    device->identity = identity;
    device->bus = impl_->busBase + identity.bus;
    device->emulator = emulator;
    const std::string bus = threeDigits(device->bus);
    const std::string address = threeDigits(identity.address);
    device->devName = "/dev/bus/usb/" + bus + "/" + address;
    device->nodeFile = impl_->root + device->devName;

    char ids[32];
    std::snprintf(ids, sizeof ids, "%04x %04x", identity.vendor, identity.product);
    const std::string sysPath = "/devices/pci0000:00/0000:00:14.0/usb" + std::to_string(device->bus) +
                                "/" + std::to_string(device->bus) + "-" + std::to_string(identity.address);
    const std::string description =
        "P: " + sysPath + "\n" +
        "N: bus/usb/" + bus + "/" + address + "=" + hex(descriptors(identity)) + "\n" +
        "E: DEVNAME=" + device->devName + "\n" +
        "E: SUBSYSTEM=usb\n"
        "E: DEVTYPE=usb_device\n"
        "A: idVendor=" + std::string(ids, 4) + "\n" +
        "A: idProduct=" + std::string(ids + 5, 4) + "\n" +
        "A: busnum=" + std::to_string(device->bus) + "\n" +
        "A: devnum=" + std::to_string(identity.address) + "\n";
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(impl_->testbed, description.c_str(), &error)) {
        const std::string why = error != nullptr ? error->message : "?";
        g_clear_error(&error);
        throw std::runtime_error("umockdev refused the device: " + why);
    }

    device->handler = umockdev_ioctl_base_new();
    g_signal_connect(device->handler, "handle-ioctl", G_CALLBACK(onIoctl), device.get());
    if (!umockdev_testbed_attach_ioctl(impl_->testbed, device->devName.c_str(), device->handler,
                                       &error)) {
        const std::string why = error != nullptr ? error->message : "?";
        g_clear_error(&error);
        throw std::runtime_error("umockdev cannot answer the node's ioctls: " + why);
    }
    std::lock_guard lock(impl_->mutex);
    impl_->devices.push_back(std::move(device));
    return static_cast<int>(impl_->devices.size()) - 1;
}

std::string UsbTestbed::devName(int device) const { return impl_->devices.at(device)->devName; }

std::string UsbTestbed::nodeFile(int device) const { return impl_->devices.at(device)->nodeFile; }

void UsbTestbed::setMode(int device, mode_t mode)
{
    if (chmod(nodeFile(device).c_str(), mode) != 0)
        throw std::runtime_error("cannot change the mode of " + nodeFile(device));
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

std::string UsbTestbed::root() const { return impl_->root; }

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

std::string describe(const NodeIoctl& ioctl)
{
    switch (ioctl.kind) {
    case NodeIoctl::Kind::ConnectInfo: return "CONNECTINFO";
    case NodeIoctl::Kind::HubQuery: return "IOCTL";
    case NodeIoctl::Kind::SetConfiguration:
        return "SETCONFIGURATION " + std::to_string(ioctl.configuration);
    case NodeIoctl::Kind::Control: return "CONTROL";
    case NodeIoctl::Kind::Other: break;
    }
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", ioctl.request);
    return text;
}

}  // namespace usbtest
