#include "device/node_facts.h"

#include <glob.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

std::optional<NodeFacts> nodeFacts(const std::string& path)
{
    struct stat node {};
    if (stat(path.c_str(), &node) != 0) return std::nullopt;
    const struct passwd* user = getpwuid(node.st_uid);
    const struct group* group = getgrgid(node.st_gid);
    return NodeFacts{user != nullptr ? user->pw_name : std::to_string(node.st_uid),
                     group != nullptr ? group->gr_name : std::to_string(node.st_gid),
                     static_cast<unsigned>(node.st_mode & 07777)};
}

std::vector<std::string> installedUdevRules(const std::string& root)
{
    static const char* const places[] = {
        "/etc/udev/rules.d/70-brisel-setting*.rules",
        "/usr/lib/udev/rules.d/70-brisel-setting.rules",
        "/usr/local/lib/udev/rules.d/70-brisel-setting.rules",
        "/lib/udev/rules.d/70-brisel-setting.rules",
    };
    std::vector<std::string> found, files;
    for (const char* place : places) {
        glob_t matches{};
        if (glob((root + place).c_str(), 0, nullptr, &matches) == 0) {
            for (std::size_t i = 0; i < matches.gl_pathc; ++i) {
                char real[PATH_MAX];
                if (realpath(matches.gl_pathv[i], real) == nullptr ||
                    std::find(files.begin(), files.end(), real) != files.end())
                    continue;
                files.emplace_back(real);
                found.emplace_back(matches.gl_pathv[i]);
            }
        }
        globfree(&matches);
    }
    return found;
}
