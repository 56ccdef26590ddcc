// The writer of settings files.

#include "settings_file/settings_file.h"

#include "device/control_characters.h"
#include "device/latin1.h"
#include "device/shown_text.h"
#include "settings_file/toml_text.h"
#include "settings_file/value_checks.h"

#include <cstdio>

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
    else
        out += "# " + line + " is left out: " + (back.value ? "it reads back otherwise" : leftOutReason(back.problem)) +
               "\n";
}

}  // namespace

std::string writeSettingsFile(const Snapshot& snapshot, const FileOrigin& origin)
{
    auto yesNo = [](bool has) { return has ? "yes" : "no"; };
    const Features& features = origin.features;
    std::string out = "format = " + std::to_string(FileFormatVersion) + "\n";
    out += "# Settings of a DV Brisel adapter, written by brisel-setting " + commentText(origin.programVersion) + "\n";
    if (!origin.firmwareVersion.empty()) out += "# Firmware: " + commentText(origin.firmwareVersion) + "\n";
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

namespace settings::file {

std::string leftOutReason(const ValueProblem& problem)
{
    using Why = ValueProblem::Kind;
    const std::string given = std::to_string(problem.given);
    switch (problem.kind) {
    case Why::HoldsNul: return "holds a NUL character";
    case Why::TooLong: return "is " + given + " characters long, more than " + std::to_string(problem.most);
    case Why::OutOfRange:
        return given + " is outside 0 to " + std::to_string(problem.most) + (problem.unit.empty() ? "" : " ") +
               problem.unit +
               (problem.wireMost != problem.most ? "; the adapter holds at most " + std::to_string(problem.wireMost)
                                                 : "");
    case Why::NotAStep:
        return given + " is not a multiple of " + std::to_string(problem.step) + ": the adapter keeps it in steps of " +
               std::to_string(problem.step);
    case Why::NotABaudRate: return given + " is not one of " + joined(baudRates(), " or ");
    case Why::NotAByte: return given + " is outside 0x00 to 0xFF";
    case Why::ModeCode: return "code " + given + " has no button; expected one of " + modeList(" or ");
    case Why::NotUtf8: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(problem.given & 0xFF));
        return std::string("is not UTF-8 text: it holds the byte ") + hex + "; give the text in UTF-8";
    }
    case Why::NotLatin1: return "holds a character outside Latin-1 (the adapter keeps one byte per character)";
    case Why::NotAMode: return "\"" + shown::clipped(problem.text) + "\" is not one of " + modeList(" or ");
    case Why::WrongType: break;
    }
    return problem.expected == ValueProblem::Type::Switch ? "expected true or false"
           : problem.expected == ValueProblem::Type::Text ? "expected a text in quotes"
                                                          : "expected a whole number";
}

}  // namespace settings::file
