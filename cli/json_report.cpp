#include "cli/json_report.h"

#include "cli/exit_status.h"
#include "cli/options.h"
#include "device/latin1.h"
#include "interrupts/signals.h"
#include "settings_file/file_value.h"

namespace {

using Json = JsonReport::Json;

// A value as the settings file writes it; null where there is none ("(not
// read)", or nothing known).
Json valueJson(const std::string& text)
{
    const std::optional<settings::FileValue> value = settings::fileValue(text);
    if (!value) return nullptr;
    return std::visit([](const auto& v) { return Json(v); }, *value);
}

Json changeJson(const settings::FieldChange& change)
{
    return {{"key", change.key}, {"adapter", valueJson(change.from)}, {"file", valueJson(change.to)}};
}

}  // namespace

JsonReport::JsonReport(const std::string& command) : document_{{"command", command.empty() ? Json() : Json(command)}} {}

JsonReport::JsonReport(const Options& options) : JsonReport(options.command)
{
    if (options.command == "restore") {
        document_["dry_run"] = options.dryRun;
        if (options.dryRun) return;
        document_["backup"] = nullptr;
    } else if (options.command != "set") {
        return;
    }
    // Known from the start: nothing written yet, no backup yet.
    document_["written"] = Json::array();
    document_["lost_during"] = nullptr;
    document_["cut_short"] = nullptr;
    document_["not_taken"] = Json::array();
    document_["not_sent"] = Json::array();
}

void JsonReport::add(const Json& keys)
{
    for (const auto& [key, value] : keys.items()) document_[key] = value;
}

void JsonReport::settings(const settings::Snapshot& snapshot, const std::string& firmware)
{
    document_["firmware"] = latin1::toUtf8(firmware);
    Json& tables = document_["settings"] = Json::object();
    for (const std::string& key : settings::allKeys()) {
        const std::optional<std::string> text = settings::valueText(snapshot, key);
        if (!text) continue;
        const std::size_t dot = key.find('.');
        tables[key.substr(0, dot)][key.substr(dot + 1)] = valueJson(*text);
    }
}

void JsonReport::values(const std::vector<std::string>& keys, const settings::Snapshot& snapshot)
{
    Json& values = document_["values"] = Json::object();
    for (const std::string& key : keys) values[key] = valueJson(settings::valueText(snapshot, key).value_or(""));
}

void JsonReport::changes(const std::vector<settings::FieldChange>& changes)
{
    Json& list = document_["changes"] = Json::array();
    for (const settings::FieldChange& change : changes) list.push_back(changeJson(change));
}

void JsonReport::restore(const settings::Restore& restore)
{
    Json& written = document_["written"] = Json::array();
    for (const auto& [group, changes] : restore.written) {
        Json entry = {{"group", settings::groupName(group)}, {"changes", Json::array()}};
        for (const settings::FieldChange& change : changes) entry["changes"].push_back(changeJson(change));
        written.push_back(std::move(entry));
    }
    document_["lost_during"] = restore.lostDuring ? Json(settings::groupName(*restore.lostDuring)) : Json();
    // A group the loss may have left half written, and how far its writes came.
    if (const auto& cut = restore.cut; cut && restore.lostDuring && !cut->whole())
        document_["cut_short"] = {{"group", settings::groupName(cut->group)},
                                  {"reached", cut->reached},
                                  {"may_have_reached", cut->maybe},
                                  {"not_sent", cut->notSent}};
    using Why = settings::ValueNotTaken::Why;
    Json& notTaken = document_["not_taken"] = Json::array();
    for (const settings::ValueNotTaken& value : restore.notTaken) {
        const char* why = value.why == Why::Differs       ? "differs"
                          : value.why == Why::NotReadBack ? "not_read_back"
                          : value.why == Why::Refused     ? "refused"
                                                          : "not_sent";
        notTaken.push_back({{"key", value.key},
                            {"why", why},
                            {"written", valueJson(value.sent)},
                            {"reads_back", value.why == Why::Differs ? valueJson(value.holds) : Json()}});
    }
    document_["not_sent"] = restore.notSent;
    if (restore.interruptedBy == 0) return;
    document_["interrupted_by"] = interrupts::signalName(restore.interruptedBy);
    Json& notBegun = document_["not_begun"] = Json::array();
    for (settings::Group group : restore.notBegun) notBegun.push_back(settings::groupName(group));
}

void JsonReport::interrupted(int signal)
{
    document_["interrupted_by"] = interrupts::signalName(signal);
}

void JsonReport::unreadableRecord(const std::string& path, const std::string& message)
{
    document_["record"] = {{"path", path}, {"readable", false}, {"message", message}};
}

void JsonReport::record(const settings::WriteRecord& record, const std::string& path, const std::string& message,
                        const std::string& restoreCommand)
{
    Json groups = Json::array(), done = Json::array();
    for (settings::Group group : record.groups) groups.push_back(settings::groupName(group));
    for (settings::Group group : record.done) done.push_back(settings::groupName(group));
    document_["record"] = {{"path", path},
                           {"readable", true},
                           {"job", settings::recordJobName(record.job)},
                           {"port", settings::recordName(record.adapter)},
                           {"begun", record.begun},
                           {"groups", groups},
                           {"done", done},
                           {"message", message},
                           {"restore_command", restoreCommand}};
}

void JsonReport::leftOut(const std::vector<settings::Lacking>& lacking)
{
    Json& list = document_["left_out"] = Json::array();
    for (const settings::Lacking& lack : lacking)
        list.push_back(lack.group ? std::string(settings::groupName(*lack.group)) : lack.key);
}

void JsonReport::fixedFlagBits()
{
    document_["fixed_flag_bits"] = true;
}

void JsonReport::backup(const std::string& path, const std::string& restoreCommand)
{
    document_["backup"] = path;
    document_["backup_restore_command"] = restoreCommand;
}

void JsonReport::failed(const std::string& message)
{
    failure_ = message;
}

const char* adapterState(int status)
{
    switch (status) {
    case exit_status::Ok: return "opened";
    case exit_status::NoAdapter: return "not_found";
    case exit_status::InUse: return "in_use";
    case exit_status::NoPermission: return "no_permission";
    default: return nullptr;
    }
}

void JsonReport::print(int status, const std::string& failure, std::ostream& out)
{
    // Whatever the command, a failure to reach the adapter names its state,
    // as detect does.
    if (status != exit_status::Ok && !document_.contains("status"))
        if (const char* state = adapterState(status)) document_["status"] = state;
    document_["exit_status"] = status;
    if (!failure.empty()) failure_ = failure;
    if (!failure_.empty()) document_["message"] = failure_;
    out << oneLine(document_) << '\n';
}

std::string oneLine(const Json& value)
{
    if (!value.is_structured()) return value.dump(-1, ' ', false, Json::error_handler_t::replace);
    std::string out;
    for (auto it = value.begin(); it != value.end(); ++it) {
        out += it == value.begin() ? "" : ", ";
        if (value.is_object()) out += oneLine(Json(it.key())) + ": ";
        out += oneLine(*it);
    }
    return value.is_object() ? "{" + out + "}" : "[" + out + "]";
}
