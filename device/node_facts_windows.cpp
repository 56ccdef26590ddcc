// Windows has no device nodes with an owner and mode, and no udev: access to
// an adapter comes from the libusb-win32 driver bound to it.
#include "device/node_facts.h"

std::optional<NodeFacts> nodeFacts(const std::string&)
{
    return std::nullopt;
}

std::vector<std::string> installedUdevRules(const std::string&)
{
    return {};
}
