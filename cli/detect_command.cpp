// detect: every adapter on the buses, and whether the one a command would
// use (the first, or the one --device names) can be used: opened, in use by
// another program, or no permission, with what to do about it.

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/session.h"
#include "device/adapter_list.h"
#include "device/node_facts.h"
#include "device/usb_transport.h"

#include <cstdio>
#include <sstream>

namespace {

std::string quoted(const std::string& text)
{
    std::string json = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            json += escape;
        } else {
            json += static_cast<char>(c);
        }
    }
    return json + "\"";
}

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
    int status = status::NoAdapter;
    std::string message;  // why it cannot be used
    std::string firmware;
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
            out << "  " << node.address.bus << ':' << node.address.device << "  " << node.path;
            if (f.used && node == *f.used) out << "  (used)";
            out << '\n';
        }
    }
    switch (f.status) {
    case status::Ok:
        out << "Opened. Firmware: " << f.firmware << "\nFeatures:\n";
        for (const auto& [name, present] : f.features) out << "  " << name << ": " << (present ? "yes" : "no") << '\n';
        break;
    case status::NoPermission:
        out << "No permission to use " << (f.used ? f.used->path : std::string("the adapter")) << ".\n";
        if (f.facts)
            out << "  owner " << f.facts->owner << ", group " << f.facts->group << ", mode " << octal(f.facts->mode) << '\n';
        if (f.rules.empty()) out << "  The udev rule of this program is not installed.\n";
        for (const std::string& rule : f.rules) out << "  udev rule installed: " << rule << '\n';
        out << AccessAdvice << '\n';
        break;
    default:
        // With no adapter at all the listing has said it.
        if (demo || !f.adapters.empty()) out << f.message << '\n';
    }
}

void printJson(const Finding& f, bool demo, std::ostream& out)
{
    const char* state = f.status == status::Ok             ? "opened"
                        : f.status == status::NoPermission ? "no_permission"
                        : f.status == status::InUse        ? "in_use"
                                                           : "not_found";
    out << "{\"demo\": " << (demo ? "true" : "false") << ", \"adapters\": [";
    for (std::size_t i = 0; i < f.adapters.size(); ++i) {
        const AdapterNode& node = f.adapters[i];
        out << (i ? ", " : "") << "{\"bus\": " << node.address.bus << ", \"device\": " << node.address.device
            << ", \"node\": " << quoted(node.path) << ", \"used\": " << (f.used && node == *f.used ? "true" : "false")
            << '}';
    }
    out << "], \"status\": \"" << state << '"';
    if (f.status == status::Ok) {
        out << ", \"firmware\": " << quoted(f.firmware) << ", \"features\": {";
        for (std::size_t i = 0; i < f.features.size(); ++i)
            out << (i ? ", " : "") << quoted(f.features[i].first) << ": " << (f.features[i].second ? "true" : "false");
        out << '}';
    } else {
        out << ", \"message\": " << quoted(f.message);
    }
    if (f.status == status::NoPermission) {
        if (f.facts)
            out << ", \"owner\": " << quoted(f.facts->owner) << ", \"group\": " << quoted(f.facts->group)
                << ", \"mode\": " << quoted(octal(f.facts->mode));
        out << ", \"udev_rules\": [";
        for (std::size_t i = 0; i < f.rules.size(); ++i) out << (i ? ", " : "") << quoted(f.rules[i]);
        out << ']';
    }
    out << "}\n";
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
        f.status = status::Ok;
        f.firmware = session.firmwareVersion();
        const settings::Features& ft = session.features();
        f.features = {{"slow_data", ft.slowData},         {"beacon", ft.beacon},
                      {"serial_port_and_gps", ft.serialPort}, {"sn_squelch", ft.basic.squelch},
                      {"jitter_buffer", ft.basic.jitterBuffer}};
    } catch (const CtlError& error) {
        f.status = error.code();
        f.message = error.what();
        if (f.status == status::NoPermission && f.used) {
            f.facts = nodeFacts(f.used->path);
            f.rules = installedUdevRules();
        }
    }
    if (options.json) printJson(f, options.demo, io.out);
    else printText(f, options.demo, io.out);
    return f.status;
}
