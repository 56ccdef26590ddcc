// detect: every adapter on the buses, and whether the one a command would
// use (the first, or the one --device names) can be used: opened, in use by
// another program, or no permission, with what to do about it.

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/session.h"
#include "device/adapter_list.h"
#include "device/latin1.h"
#include "device/node_facts.h"
#include "device/shown_text.h"
#include "device/usb_transport.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace {

std::string octal(unsigned mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode);
    return text;
}

// What detect found, printed as text or as one JSON object.
struct Finding {
    std::vector<AdapterNode> adapters;
    std::optional<AdapterNode> used;
    int status = exit_status::NoAdapter;
    std::string message;  // why it cannot be used
    std::string firmware;  // as the adapter holds it, Latin-1
    std::vector<std::pair<std::string, bool>> features;
    std::optional<NodeFacts> facts;
    std::vector<std::string> rules;
};

const char* AccessAdvice =
    "At the local seat, the installed udev rule (tag \"uaccess\") gives the logged-in user access;\n"
    "log out and in again after installing it, or unplug and replug the adapter.\n"
    "Over ssh (no seat), give the adapter to a group with a local udev rule and join that group,\n"
    "as \"Access to the adapter\" in the README says.";

void printText(const Finding& f, bool demo, std::ostream& out)
{
    if (demo) {
        out << "demo: the built-in emulated adapter\n";
    } else {
        out << (f.adapters.empty() ? "No DV Brisel (Relavox) on the USB buses.\n" : "DV Brisel (Relavox) adapters, in bus order:\n");
        for (const AdapterNode& node : f.adapters) {
            out << "  " << node.address.bus << ':' << node.address.device << "  " << shown::fromUtf8(node.path);
            if (f.used && node == *f.used) out << "  (used)";
            out << '\n';
        }
    }
    switch (f.status) {
    case exit_status::Ok:
        out << "Opened. Firmware: " << shown::fromLatin1(f.firmware) << "\nFeatures:\n";
        for (const auto& [name, present] : f.features) out << "  " << name << ": " << (present ? "yes" : "no") << '\n';
        break;
    case exit_status::NoPermission:
        out << "No permission to use " << shown::fromUtf8(f.used ? f.used->path : "the adapter") << ".\n";
        if (f.facts)
            out << "  owner " << shown::fromUtf8(f.facts->owner) << ", group " << shown::fromUtf8(f.facts->group)
                << ", mode " << octal(f.facts->mode) << '\n';
        if (f.rules.empty()) out << "  The udev rule of this program is not installed.\n";
        for (const std::string& rule : f.rules) out << "  udev rule installed: " << shown::fromUtf8(rule) << '\n';
        out << AccessAdvice << '\n';
        break;
    default:
        // With no adapter at all the listing has said it.
        if (demo || !f.adapters.empty()) out << shown::linesFromUtf8(f.message) << '\n';
    }
}

using Json = nlohmann::ordered_json;

// One line, with a blank after each ':' and ','; every key and value is
// written by nlohmann-json. A byte that is not UTF-8 (a file name, a user
// name) becomes U+FFFD rather than failing the output.
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

void printJson(const Finding& f, bool demo, std::ostream& out)
{
    const char* state = f.status == exit_status::Ok             ? "opened"
                        : f.status == exit_status::NoPermission ? "no_permission"
                        : f.status == exit_status::InUse        ? "in_use"
                                                           : "not_found";
    Json json = {{"demo", demo}, {"adapters", Json::array()}};
    for (const AdapterNode& node : f.adapters)
        json["adapters"].push_back({{"bus", node.address.bus},
                                    {"device", node.address.device},
                                    {"node", node.path},
                                    {"used", f.used && node == *f.used}});
    json["status"] = state;
    if (f.status == exit_status::Ok) {
        json["firmware"] = latin1::toUtf8(f.firmware);
        json["features"] = Json::object();
        for (const auto& [name, present] : f.features) json["features"][name] = present;
    } else {
        json["message"] = f.message;
    }
    if (f.status == exit_status::NoPermission) {
        if (f.facts) {
            json["owner"] = f.facts->owner;
            json["group"] = f.facts->group;
            json["mode"] = octal(f.facts->mode);
        }
        json["udev_rules"] = f.rules;
    }
    out << oneLine(json) << '\n';
}

}  // namespace

int detectCommand(const Options& options, CtlIo& io)
{
    Finding f;
    if (!options.demo) {
        f.adapters = ListAdapters();
        std::optional<AdapterAddress> address;
        if (options.device) address = parseAdapterAddress(*options.device);
        f.used = chooseAdapter(f.adapters, address);
    }
    try {
        Session session(options, io);
        f.status = exit_status::Ok;
        f.firmware = session.firmwareVersion();
        const settings::Features& ft = session.features();
        f.features = {{"slow_data", ft.slowData},         {"beacon", ft.beacon},
                      {"serial_port_and_gps", ft.serialPort}, {"sn_squelch", ft.basic.squelch},
                      {"jitter_buffer", ft.basic.jitterBuffer}};
    } catch (const CtlError& error) {
        f.status = error.code();
        f.message = error.what();
        if (f.status == exit_status::NoPermission && f.used) {
            f.facts = nodeFacts(f.used->path);
            f.rules = installedUdevRules();
        }
    }
    if (options.json) printJson(f, options.demo, io.out);
    else printText(f, options.demo, io.out);
    return f.status;
}
