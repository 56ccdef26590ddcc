#include "settings_file/write_record.h"

#include "settings/groups.h"
#include "settings_file/file_writer.h"
#include "settings_file/read_whole.h"
#include "settings_file/restore.h"
#include "settings_file/settings_store.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>

namespace settings {

namespace {

// Whether `groups` lists `group`.
bool lists(const std::vector<Group>& groups, Group group)
{
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

// Whether the adapter, holding `adapter`, holds every value of `group` that
// `values` has: a write of that group would change nothing. A group that
// `values` leaves out is not held by it.
bool holdsWhole(const Snapshot& adapter, const Snapshot& values, Group group)
{
    return values.has(group) && adapter.has(group) &&
           differences(onlyGroup(adapter, group), onlyGroup(values, group)).empty();
}

// The record's lines, each a comment of the settings file.
constexpr const char* JobLine = "# brisel-setting record of a write: ";
constexpr const char* BegunLine = "# begun: ";
constexpr const char* GroupsLine = "# groups to write: ";
constexpr const char* DoneLine = "# groups done: ";
// How earlier versions named the adapter; own_copy.cpp writes this line now.
constexpr const char* PortLine = "# adapter at USB port: ";

constexpr std::pair<RecordJob, const char*> JobNames[] = {
    {RecordJob::Restore, "restore"}, {RecordJob::Set, "set"}, {RecordJob::Load, "load"}, {RecordJob::Save, "save"}};

const char* jobName(RecordJob job)
{
    for (const auto& [known, name] : JobNames)
        if (known == job) return name;
    return "unknown";
}

RecordJob jobNamed(const std::string& name)
{
    for (const auto& [known, text] : JobNames)
        if (name == text) return known;
    return RecordJob::Unknown;
}

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

const char* recordJobName(RecordJob job)
{
    return jobName(job);
}

std::vector<Group> halfWritten(const WriteRecord& record)
{
    std::vector<Group> groups;
    for (Group group : record.groups)
        if (!lists(record.done, group)) groups.push_back(group);
    return groups;
}

std::string recordName(const AdapterIdentity& adapter)
{
    if (adapter.emulated) return adapter.demoFile.empty() ? "demo" : "demo-" + shortDigest(adapter.demoFile);
    if (!adapter.port.empty()) return adapter.port;
    if (!adapter.address) return "unknown";
    return "device-" + std::to_string(adapter.address->bus) + "-" + std::to_string(adapter.address->device);
}

std::string recordPath(const std::string& folder, const AdapterIdentity& adapter)
{
    std::string name = recordName(adapter).substr(0, 40);
    for (char& c : name)
        if (!((c >= '0' && c <= '9') || c == '-' || c == '.' || (c >= 'a' && c <= 'z'))) c = '_';
    return pathIn(folder, "interrupted-" + name + ".toml");
}

void writeRecord(const std::string& path, const WriteRecord& record, const Snapshot& before, const FileOrigin& origin)
{
    const std::string settings = writeSettingsFile(before, origin);
    std::string text = std::string(JobLine) + jobName(record.job) + "\n" + BegunLine + record.begun + "\n" +
                       GroupsLine + groupList(record.groups) + "\n" + DoneLine + groupList(record.done) + "\n";
    text += ownCopyLines(OwnCopy::Kind::Record, record.adapter, settings);
    text +=
        "# The settings below are those the adapter held before; brisel-ctl restore of this file puts them "
        "back.\n";
    text += settings;
    try {
        makePrivateFolder(folderOf(path));
        writeWholeFile(path, text, true, true);
    } catch (const WriteError& error) {
        throw cannotWrite(error);
    }
}

std::optional<WriteRecord> readRecord(const std::string& path)
{
    if (nothingAt(path)) return std::nullopt;
    std::string text;
    try {
        text = readSettingsText(path, true);
    } catch (const StoreError& error) {
        if (error.problem().kind == StoreProblem::Kind::CannotRead && error.problem().error == ENOENT)
            return std::nullopt;
        StoreProblem problem = error.problem();
        problem.earlierRecord = true;
        throw StoreError(StoreError::Kind::Unreadable, std::move(problem));
    }
    WriteRecord record;
    std::string job, begun, groups, done, port;
    const std::pair<const char*, std::string*> fields[] = {
        {JobLine, &job}, {BegunLine, &begun}, {GroupsLine, &groups}, {DoneLine, &done}, {PortLine, &port}};
    bool ours = false;
    // The record's lines stand first, above the settings; each is taken up
    // to 200 bytes.
    std::size_t at = 0;
    for (int n = 0; n < 12 && at < text.size(); ++n) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, std::min<std::size_t>(end - at, 200));
        at = end + 1;
        for (const auto& [start, value] : fields)
            if (line.starts_with(start) && value->empty()) *value = line.substr(std::string_view(start).size());
        ours = ours || (n == 0 && line.starts_with(JobLine));
    }
    if (!ours) return std::nullopt;
    record.job = jobNamed(job);
    record.begun = begun;
    record.groups = groupsOf(groups);
    record.done = groupsOf(done);
    if (const auto own = ownCopyOf(text); own && own->kind == OwnCopy::Kind::Record) {
        record.adapter = own->adapter;
    } else if (port == "demo") {
        record.adapter.emulated = true;  // as earlier versions named the emulated adapter
    } else if (port.starts_with("device-")) {
        AdapterAddress address;
        if (std::sscanf(port.c_str(), "device-%3d-%3d", &address.bus, &address.device) == 2)
            record.adapter.address = address;
    } else {
        record.adapter.port = port;
    }
    return record;
}

int removeRecord(const std::string& path)
{
    return unlink(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

RecordKeeper::RecordKeeper(std::string path, RecordJob job, const AdapterIdentity& adapter, const Snapshot& before,
                           const Features& features)
    // The firmware is named once, by the record's own lines above its settings.
    : path_(std::move(path)), before_(before), origin_{BRISEL_VERSION, {}, features}
{
    record_.job = job;
    record_.adapter = adapter;
    record_.begun = recordTime();
    std::optional<WriteRecord> older;
    try {
        older = readRecord(path_);
    } catch (const StoreError& error) {
        // Something there that cannot be read is never replaced.
        throw StoreError(StoreError::Kind::CannotWrite, error.problem());
    }
    if (older) {
        FileContents held;
        try {
            held = loadSettingsFile(path_, true);
        } catch (const StoreError& error) {
            StoreProblem problem = error.problem();
            problem.earlierRecord = true;
            throw StoreError(StoreError::Kind::CannotWrite, std::move(problem));
        }
        // The older record's values stand for its groups: they are from
        // before the older write. A group it may have left half written
        // stays so unless this write writes it again.
        for (Group group : older->groups)
            if (held.values.has(group)) copyGroup(held.values, before_, group);
        for (Group group : AllGroups) {
            if (before.has(group) || lists(older->groups, group)) record_.groups.push_back(group);
            if (!before.has(group) && lists(older->done, group)) record_.done.push_back(group);
            if (lists(older->groups, group) && !lists(older->done, group)) olderHalfWritten_.push_back(group);
        }
        olderGroups_ = older->groups;
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
    const auto done = [this](Group group) { return lists(record_.done, group); };
    if (keep_ && record_.done.size() < record_.groups.size()) return;
    std::vector<Group> left;
    for (Group group : olderHalfWritten_)
        if (!done(group)) left.push_back(group);
    if (cut_ && !done(*cut_) && !lists(left, *cut_)) left.push_back(*cut_);
    if (left.empty()) {
        removeRecord(path_);
        return;
    }
    // A loss ends the write: its groups after the one it cut were never
    // begun, hold what they held, and have nothing to put back.
    if (cut_) {
        std::vector<Group> begun;
        Snapshot kept;
        for (Group group : record_.groups) {
            if (!done(group) && group != *cut_ && !lists(olderGroups_, group)) continue;
            begun.push_back(group);
            copyGroup(before_, kept, group);
        }
        record_.groups = std::move(begun);
        before_ = std::move(kept);
    }
    // This write's own groups are settled, told with its result, but for
    // one a loss cut short; the older write's are not.
    if (!cut_) {
        record_.job = olderJob_;
        record_.begun = olderBegun_;
    }
    record_.done.clear();
    for (Group group : record_.groups)
        if (!lists(left, group)) record_.done.push_back(group);
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

void RecordKeeper::settle(const Snapshot& adapter, const Snapshot& wanted)
{
    for (Group group : olderHalfWritten_)
        if (holdsWhole(adapter, before_, group) || holdsWhole(adapter, wanted, group)) record_.done.push_back(group);
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

void settleHeldGroups(const std::string& path, const Snapshot& held, const Snapshot& wanted, const Features& features)
{
    try {
        std::optional<WriteRecord> record = readRecord(path);
        if (!record) return;
        const std::vector<Group> left = halfWritten(*record);
        std::vector<Group> settled;
        for (Group group : left)
            if (holdsWhole(held, wanted, group)) settled.push_back(group);
        if (settled.empty()) return;
        if (settled.size() == left.size()) {
            removeRecord(path);
            return;
        }
        const Snapshot before = loadSettingsFile(path, true).values;
        record->done.clear();
        for (Group group : record->groups)
            if (!lists(left, group) || lists(settled, group)) record->done.push_back(group);
        writeRecord(path, *record, before, {BRISEL_VERSION, {}, features});
    } catch (const StoreError&) {
        // A record that cannot be read or rewritten keeps what it said.
    }
}

std::shared_ptr<RecordKeeper> startRecord(const RecordPlace& place, const Snapshot& before, const Features& features,
                                          std::optional<StoreError>& error)
{
    try {
        return std::make_shared<RecordKeeper>(place.path, place.job, place.adapter, before, features);
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
