// The reader of settings files: every problem with its line.

#include "settings_file/settings_file.h"

#include "device/shown_text.h"
#include "settings_file/key_depth.h"
#include "settings_file/value_checks.h"

#include <algorithm>

namespace settings {
namespace {

using namespace file;

int lineOf(const toml::source_region& where)
{
    return static_cast<int>(where.begin.line);
}

void readGroup(Group group, const toml::table& table, FileContents& out)
{
    makeThere(out.values, group);
    int gpsKeys = 0;
    for (auto&& [key, node] : table) {
        const Field* f = findField(group, key.str());
        const std::string name = std::string(groupName(group)) + "." + shown::clipped(key.str());
        if (!f) {
            out.problems.push_back({lineOf(key.source()), "unknown key " + name});
            continue;
        }
        out.lines[name] = lineOf(key.source());
        if (f->kind == Kind::GpsBit) ++gpsKeys;
        const Judged judged = judgeNode(*f, node);
        if (judged.value) f->put(out.values, *judged.value);
        else out.problems.push_back({lineOf(node.source()), name + ": " + judged.problem});
    }
    const auto gpsFields =
        std::count_if(fields().begin(), fields().end(), [](const Field& f) { return f.kind == Kind::GpsBit; });
    if (gpsKeys != 0 && gpsKeys != gpsFields) {
        out.problems.push_back({lineOf(table.source()),
                                "serial_port: the GPS keys gprmc, gpgga, gpgll, gpgsa, gpvtg and message_send are "
                                "one setting of the adapter: give all six or none"});
        out.values.serialPort->gpsBits.reset();
    }
}

// Nothing when the format is one this program reads; a newer one is the
// only problem reported, since its keys may mean other things.
std::optional<FileProblem> formatProblem(const toml::table& root, bool& newer)
{
    const toml::node* format = root.get("format");
    if (!format) return FileProblem{1, "format is missing: a settings file begins with format = 1"};
    const auto* version = format->as_integer();
    const int line = lineOf(format->source());
    if (!version) return FileProblem{line, "format: expected a whole number"};
    const std::string given = std::to_string(version->get());
    const std::string known = std::to_string(FileFormatVersion);
    newer = version->get() > FileFormatVersion;
    if (newer)
        return FileProblem{line, "format " + given + " is written by a newer program; this one reads format " + known};
    if (version->get() < 1)
        return FileProblem{line, "format " + given + " is unknown; this program reads format " + known};
    return std::nullopt;
}

}  // namespace

FileContents readSettingsFile(std::string_view text)
{
    FileContents out;
    if (const std::optional<DeepKey> deep = findDeepKey(text)) {
        out.problems.push_back({deep->line, "a key or table name of more than " + std::to_string(DeepestKey) +
                                                " dotted parts; a settings key has two"});
        return out;
    }
    toml::table root;
    try {
        root = toml::parse(text);
    } catch (const toml::parse_error& error) {
        out.problems.push_back({lineOf(error.source()), std::string(error.description())});
        return out;
    }
    bool newer = false;
    if (auto problem = formatProblem(root, newer)) {
        out.problems.push_back(*problem);
        if (newer) return out;
    }
    for (auto&& [key, node] : root) {
        if (key == "format") continue;
        const std::optional<Group> group = groupNamed(key.str());
        const toml::table* table = node.as_table();
        if (!group) out.problems.push_back({lineOf(key.source()), "unknown table or key " + shown::clipped(key.str())});
        else if (!table) out.problems.push_back({lineOf(node.source()), std::string(key.str()) + " must be a table"});
        else readGroup(*group, *table, out);
    }
    std::stable_sort(out.problems.begin(), out.problems.end(),
                     [](const FileProblem& a, const FileProblem& b) { return a.line < b.line; });
    return out;
}

}  // namespace settings
