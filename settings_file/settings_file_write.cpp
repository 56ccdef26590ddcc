// The writer of settings files.

#include "settings_file/settings_file.h"

#include "device/control_characters.h"
#include "device/latin1.h"
#include "settings_file/toml_text.h"
#include "settings_file/value_checks.h"

namespace settings {
namespace {

using namespace file;

// The comment after a key: its unit and range.
std::string rangeComment(const Field& f)
{
    if (*f.note && f.kind != Kind::Number) return f.note;
    switch (f.kind) {
    case Kind::Number: {
        const NumberRule& rule = *f.rule;
        std::string text = *f.unit ? std::string(f.unit) + ", " : "";
        text += "0 to " + std::to_string(rule.max);
        if (rule.unit != 1) text += " in steps of " + std::to_string(rule.unit);
        return text + f.note;
    }
    case Kind::Switch:
    case Kind::GpsBit: return "true (on) or false (off)";
    case Kind::CallSign:
    case Kind::GpsMessage: return "up to " + std::to_string(textWidth(f)) + " characters, Latin-1; filled with blanks";
    case Kind::Message: return "up to " + std::to_string(textWidth(f)) + " characters, Latin-1";
    case Kind::Baud: return "baud, " + joined(baudRates(), " or ");
    case Kind::Mode: return modeList(" or ");
    default: return "0x00 to 0xFF";
    }
}

// A comment holds the text with every control character as '?'.
std::string commentText(std::string_view latin1)
{
    std::string text(latin1);
    for (char& c : text)
        if (text::isControlCharacter(static_cast<unsigned char>(c))) c = '?';
    return latin1::toUtf8(text);
}

// One line: the key, its value and its range; a value that was not read, or
// that the file could not give back, as a comment.
void writeField(std::string& out, const Field& f, const Snapshot& snapshot)
{
    const std::optional<Held> held = f.get(snapshot);
    if (!held) {
        out += std::string("# ") + f.key + ": not read\n";
        return;
    }
    const Given given = givenOf(f, *held);
    const Judged back = judge(f, given);
    const std::string line = std::string(f.key) + " = " + valueText(f, given);
    if (back.value == held) out += line + "  # " + rangeComment(f) + "\n";
    else out += "# " + line + " is left out: " + (back.value ? "it reads back otherwise" : back.problem) + "\n";
}

}  // namespace

std::string writeSettingsFile(const Snapshot& snapshot, const FileOrigin& origin)
{
    auto yesNo = [](bool has) { return has ? "yes" : "no"; };
    const Features& features = origin.features;
    std::string out = "format = " + std::to_string(FileFormatVersion) + "\n";
    out += "# Settings of a DV Brisel adapter, written by brisel-setting " + commentText(origin.programVersion) + "\n";
    out += "# Firmware: " + commentText(origin.firmwareVersion) + "\n";
    out += std::string("# Optional features: slow data ") + yesNo(features.slowData) + ", beacon " +
           yesNo(features.beacon) + ", serial port " + yesNo(features.serialPort) + ", S/N squelch " +
           yesNo(features.basic.squelch) + ", jitter buffer " + yesNo(features.basic.jitterBuffer) + "\n";
    for (const Group group : AllGroups) {
        if (!snapshot.has(group)) continue;
        out += std::string("\n[") + groupName(group) + "]\n";
        for (const Field& f : fields())
            if (f.group == group) writeField(out, f, snapshot);
    }
    return out;
}

}  // namespace settings
