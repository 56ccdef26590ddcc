// detect: every adapter on the buses, and whether the one a command would
// use (the first, or the one --device names) can be used: opened, in use by
// another program, or no permission, with what to do about it.

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "cli/session.h"
#include "device/adapter_list.h"
#include "device/latin1.h"
#include "device/node_facts.h"
#include "device/shown_text.h"
#include "device/usb_transport.h"

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
    std::string message;   // why it cannot be used
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

// Why the adapter cannot be used, in the words of both the listing and the
// JSON document's message.
std::string refusalWords(const Finding& f, bool demo)
{
    if (!demo && f.adapters.empty()) return "No DV Brisel (Relavox) on the USB buses.";
    if (f.status == exit_status::NoPermission)
        return "No permission to use " + (f.used ? f.used->path : std::string("the adapter")) + ".";
    return f.message;
}

void printText(const Finding& f, bool demo, std::ostream& out)
{
    if (demo) {
        out << "demo: the built-in emulated adapter\n";
    } else {
        // With no adapter at all, the listing says so and nothing more.
        out << (f.adapters.empty() ? shown::fromUtf8(refusalWords(f, demo))
                                   : "DV Brisel (Relavox) adapters, in bus order:")
            << '\n';
        for (const AdapterNode& node : f.adapters) {
            out << "  " << node.address.bus << ':' << node.address.device;
            if (!node.port.empty()) out << "  " << shown::fromUtf8(node.port);
            out << "  " << shown::fromUtf8(node.path);
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
        out << shown::fromUtf8(refusalWords(f, demo)) << '\n';
        if (f.facts)
            out << "  owner " << shown::fromUtf8(f.facts->owner) << ", group " << shown::fromUtf8(f.facts->group)
                << ", mode " << octal(f.facts->mode) << '\n';
        if (f.rules.empty()) out << "  The udev rule of this program is not installed.\n";
        for (const std::string& rule : f.rules) out << "  udev rule installed: " << shown::fromUtf8(rule) << '\n';
        out << AccessAdvice << '\n';
        break;
    default:
        if (demo || !f.adapters.empty()) out << shown::linesFromUtf8(refusalWords(f, demo)) << '\n';
    }
}

using Json = JsonReport::Json;

void putJson(const Finding& f, bool demo, JsonReport& report)
{
    const char* state = adapterState(f.status);
    if (state == nullptr) state = "not_found";
    Json json = {{"demo", demo}, {"adapters", Json::array()}};
    for (const AdapterNode& node : f.adapters)
        json["adapters"].push_back({{"bus", node.address.bus},
                                    {"device", node.address.device},
                                    {"port", node.port.empty() ? Json() : Json(node.port)},
                                    {"node", node.path},
                                    {"used", f.used && node == *f.used}});
    json["status"] = state;
    if (f.status == exit_status::Ok) {
        json["firmware"] = latin1::toUtf8(f.firmware);
        json["features"] = Json::object();
        for (const auto& [name, present] : f.features) json["features"][name] = present;
    } else {
        json["message"] = refusalWords(f, demo);
    }
    if (f.status == exit_status::NoPermission) {
        if (f.facts) {
            json["owner"] = f.facts->owner;
            json["group"] = f.facts->group;
            json["mode"] = octal(f.facts->mode);
        }
        json["udev_rules"] = f.rules;
    }
    report.add(json);
}

}  // namespace

int detectCommand(const Options& options, CtlIo& io)
{
    Finding f;
    if (!options.demo) {
        f.adapters = io.busWalk ? io.busWalk().adapters : listAdapters();
        std::optional<AdapterChoice> choice;
        if (options.device) choice = parseAdapterChoice(*options.device);
        f.used = chooseAdapter(f.adapters, choice);
    }
    try {
        Session session(options, io);
        f.status = exit_status::Ok;
        f.firmware = session.firmwareVersion();
        const settings::Features& ft = session.features();
        f.features = {{"slow_data", ft.slowData},
                      {"beacon", ft.beacon},
                      {"serial_port_and_gps", ft.serialPort},
                      {"sn_squelch", ft.basic.squelch},
                      {"jitter_buffer", ft.basic.jitterBuffer}};
    } catch (const CtlError& error) {
        f.status = error.code();
        f.message = error.text();
        if (f.status == exit_status::NoPermission && f.used) {
            f.facts = nodeFacts(f.used->path);
            f.rules = installedUdevRules();
        }
    }
    if (io.report) putJson(f, options.demo, *io.report);
    else printText(f, options.demo, io.out);
    return f.status;
}
