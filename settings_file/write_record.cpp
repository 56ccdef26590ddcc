#include "settings_file/write_record.h"

#include "settings/groups.h"
#include "settings_file/file_writer.h"
#include "settings_file/restore.h"
#include "settings_file/settings_store.h"

#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <fstream>

namespace settings {

namespace {

// The record's lines, each a comment of the settings file.
constexpr const char* JobLine = "# brisel-setting record of a write: ";
constexpr const char* PortLine = "# adapter at USB port: ";
constexpr const char* BegunLine = "# begun: ";
constexpr const char* GroupsLine = "# groups to write: ";
constexpr const char* DoneLine = "# groups done: ";

std::string groupList(const std::vector<Group>& groups)
{
    std::string text;
    for (Group group : groups) text += (text.empty() ? "" : " ") + std::string(groupName(group));
    return text;
}

std::vector<Group> groupsOf(const std::string& text)
{
    std::vector<Group> groups;
    std::size_t at = 0;
    while (at < text.size() && groups.size() < AllGroups.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (const auto group = groupNamed(text.substr(at, end - at))) groups.push_back(*group);
        at = end + 1;
    }
    return groups;
}

}  // namespace

std::string recordPort(const std::optional<AdapterNode>& adapter)
{
    if (!adapter) return "demo";
    if (!adapter->port.empty()) return adapter->port;
    return "device-" + std::to_string(adapter->address.bus) + "-" + std::to_string(adapter->address.device);
}

std::string recordPath(const std::string& folder, const std::string& port)
{
    std::string name = port.substr(0, 40);
    for (char& c : name)
        if (!((c >= '0' && c <= '9') || c == '-' || c == '.' || (c >= 'a' && c <= 'z'))) c = '_';
    return folder + "/interrupted-" + name + ".toml";
}

void writeRecord(const std::string& path, const WriteRecord& record, const Snapshot& before, const FileOrigin& origin)
{
    std::string text = std::string(JobLine) + record.job + "\n" + PortLine + record.port + "\n" + BegunLine +
                       record.begun + "\n" + GroupsLine + groupList(record.groups) + "\n" + DoneLine +
                       groupList(record.done) + "\n";
    text +=
        "# The settings below are those the adapter held before; brisel-ctl restore of this file puts them "
        "back.\n";
    text += writeSettingsFile(before, origin);
    try {
        makePrivateFolder(path.substr(0, path.rfind('/')));
        writeWholeFile(path, text, true);
    } catch (const WriteError& error) {
        throw cannotWrite(error);
    }
}

std::optional<WriteRecord> readRecord(const std::string& path)
{
    std::ifstream file(path);
    if (!file) return std::nullopt;
    WriteRecord record;
    const std::pair<const char*, std::string*> fields[] = {
        {JobLine, &record.job}, {PortLine, &record.port}, {BegunLine, &record.begun}};
    std::string groups, done;
    const std::pair<const char*, std::string*> lists[] = {{GroupsLine, &groups}, {DoneLine, &done}};
    bool ours = false;
    std::string line;
    // The record's lines stand first; a line is read only up to 200 bytes.
    for (int n = 0; n < 5; ++n) {
        line.clear();
        for (int c; (c = file.get()) != EOF && c != '\n';)
            if (line.size() < 200) line.push_back(static_cast<char>(c));
        for (const auto& [start, value] : fields)
            if (line.starts_with(start)) *value = line.substr(std::string_view(start).size());
        for (const auto& [start, value] : lists)
            if (line.starts_with(start)) *value = line.substr(std::string_view(start).size());
        ours = ours || line.starts_with(JobLine);
    }
    if (!ours) return std::nullopt;
    record.groups = groupsOf(groups);
    record.done = groupsOf(done);
    return record;
}

void removeRecord(const std::string& path)
{
    unlink(path.c_str());
}

RecordKeeper::RecordKeeper(std::string path, const std::string& job, const std::string& port, const Snapshot& before,
                           const Features& features)
    : path_(std::move(path)), before_(before), origin_{BRISEL_VERSION, {}, features}
{
    record_.job = job;
    record_.port = port;
    record_.begun = recordTime();
    if (const auto older = readRecord(path_)) {
        FileContents held;
        try {
            held = loadSettingsFile(path_);
        } catch (const StoreError& error) {
            StoreProblem problem = error.problem();
            problem.earlierRecord = true;
            throw StoreError(StoreError::Kind::CannotWrite, std::move(problem));
        }
        const auto has = [](const std::vector<Group>& groups, Group group) {
            return std::find(groups.begin(), groups.end(), group) != groups.end();
        };
        // The older record's values stand for its groups: they are from
        // before the older write. A group it may have left half written
        // stays so unless this write writes it again.
        for (Group group : older->groups)
            if (held.values.has(group)) copyGroup(held.values, before_, group);
        for (Group group : AllGroups) {
            if (before.has(group) || has(older->groups, group)) record_.groups.push_back(group);
            if (!before.has(group) && has(older->done, group)) record_.done.push_back(group);
            if (has(older->groups, group) && !has(older->done, group)) olderHalfWritten_.push_back(group);
        }
        olderJob_ = older->job;
        olderBegun_ = older->begun;
    } else {
        for (Group group : AllGroups)
            if (before.has(group)) record_.groups.push_back(group);
    }
    writeRecord(path_, record_, before_, origin_);
}

RecordKeeper::~RecordKeeper()
{
    const auto done = [this](Group group) {
        return std::find(record_.done.begin(), record_.done.end(), group) != record_.done.end();
    };
    if (keep_ && record_.done.size() < record_.groups.size()) return;
    std::vector<Group> halfWritten;
    for (Group group : olderHalfWritten_)
        if (!done(group)) halfWritten.push_back(group);
    if (halfWritten.empty()) {
        removeRecord(path_);
        return;
    }
    // This write's own groups are settled, told with its result; the older
    // write's are not.
    record_.job = olderJob_;
    record_.begun = olderBegun_;
    record_.done.clear();
    for (Group group : record_.groups)
        if (std::find(halfWritten.begin(), halfWritten.end(), group) == halfWritten.end())
            record_.done.push_back(group);
    try {
        writeRecord(path_, record_, before_, origin_);
    } catch (const StoreError&) {
        // The record keeps what it said: more groups shown as not done.
    }
}

void RecordKeeper::groupDone(Group group)
{
    record_.done.push_back(group);
    try {
        writeRecord(path_, record_, before_, origin_);
    } catch (const StoreError&) {}
}

void RecordKeeper::settle(const Snapshot& adapter)
{
    for (Group group : olderHalfWritten_)
        if (before_.has(group) && differences(onlyGroup(adapter, group), onlyGroup(before_, group)).empty())
            record_.done.push_back(group);
}

void settleRecord(const std::string& path, const Snapshot& adapter)
{
    if (!readRecord(path)) return;
    try {
        if (differences(adapter, loadSettingsFile(path).values).empty()) removeRecord(path);
    } catch (const StoreError&) {
        // A record whose values cannot be read is left as it is.
    }
}

std::shared_ptr<RecordKeeper> startRecord(const std::string& path, const std::string& job, const std::string& port,
                                          const Snapshot& held, const Snapshot& wanted, const Features& features,
                                          std::optional<StoreError>& error)
{
    try {
        return std::make_shared<RecordKeeper>(path, job, port, heldBeforeWriting(held, wanted), features);
    } catch (const StoreError& e) {
        error = e;
        return nullptr;
    }
}

std::string recordTime()
{
    return localTimeText("%Y-%m-%d %H:%M");
}

}  // namespace settings
