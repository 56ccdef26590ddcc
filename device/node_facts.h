#pragma once
// What to tell a user who may not use the adapter: who owns its device node
// and with which mode, and whether this program's udev rule, which gives the
// user at the local seat access to the adapter, is installed and where.

#include <optional>
#include <string>
#include <vector>

struct NodeFacts {
    std::string owner;  // the owner's user name, or its number when it has none
    std::string group;  // the group's name, or its number
    unsigned mode = 0;  // the permission bits, 0664 (shown in octal)
};

// Nothing when the node cannot be looked at.
std::optional<NodeFacts> nodeFacts(const std::string& path);

// The program's udev rule files present on this system: the packaged rule in
// each folder udev reads it from, and the local ones in /etc/udev/rules.d
// named 70-brisel-setting*.rules. A file reached by two names (/lib as a link
// to /usr/lib) is given once. `root` is put before each place looked at.
std::vector<std::string> installedUdevRules(const std::string& root = {});
