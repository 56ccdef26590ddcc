#include "settings/settings_file.h"

#include "device/encodings.h"
#include "settings/groups.h"
#include "settings/rules.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cstdio>
#include <type_traits>
#include <variant>

namespace settings {
namespace {

// A value as the adapter holds it: a number (a switch is 0 or 1) or the
// bytes of a text.
using Held = std::variant<std::uint32_t, std::string>;
// A value as the file gives it: in the dialogs' units, texts in UTF-8.
using Given = std::variant<std::int64_t, bool, std::string>;

enum class Kind { Number, Switch, Hex, FlagByte, CallSign, Message, GpsMessage, Baud, Mode, GpsBit };

bool isText(Kind kind)
{
    return kind == Kind::CallSign || kind == Kind::Message || kind == Kind::GpsMessage || kind == Kind::Mode;
}

// One key of the file and where its value lives in a snapshot.
struct Field {
    Group group;
    const char* key;
    Kind kind;
    const NumberRule* rule;  // numbers
    const char* unit;        // numbers: the unit in the key's name
    std::size_t index;       // call signs: which of CallSignFields
    const char* note;        // the comment, where the kind's own does not say enough
    std::optional<Held> (*get)(const Snapshot&);
    // Sets the value, making the group there if it is not.
    void (*put)(Snapshot&, const Held&);
};

template <class T>
Held toHeld(const T& value)
{
    if constexpr (std::is_same_v<T, std::string>) return value;
    else return static_cast<std::uint32_t>(value);
}

template <class T>
T fromHeld(const Held& value)
{
    if constexpr (std::is_same_v<T, std::string>) return std::get<std::string>(value);
    else return static_cast<T>(std::get<std::uint32_t>(value));
}

template <auto Member, int Index>
decltype(auto) member(auto& values)
{
    if constexpr (Index < 0) return (values.*Member);
    else return ((values.*Member)[Index]);
}

template <auto GroupSlot, auto Member, int Index>
std::optional<Held> getValue(const Snapshot& snapshot)
{
    const auto& group = snapshot.*GroupSlot;
    if (!group) return std::nullopt;
    const auto& value = member<Member, Index>(*group);
    if (!value) return std::nullopt;
    return toHeld(*value);
}

template <auto GroupSlot, auto Member, int Index>
void putValue(Snapshot& snapshot, const Held& value)
{
    auto& group = snapshot.*GroupSlot;
    if (!group) group.emplace();
    auto& slot = member<Member, Index>(*group);
    slot = fromHeld<typename std::remove_reference_t<decltype(slot)>::value_type>(value);
}

// The GPS sentence switches share one byte: each key is one bit of it.
template <std::uint8_t Mask>
std::optional<Held> getGpsBit(const Snapshot& snapshot)
{
    if (!snapshot.serialPort || !snapshot.serialPort->gpsBits) return std::nullopt;
    return Held{(*snapshot.serialPort->gpsBits & Mask) != 0 ? 1u : 0u};
}

template <std::uint8_t Mask>
void putGpsBit(Snapshot& snapshot, const Held& value)
{
    auto& group = snapshot.serialPort;
    if (!group) group.emplace();
    const std::uint8_t bits = group->gpsBits.value_or(0);
    group->gpsBits = static_cast<std::uint8_t>(std::get<std::uint32_t>(value) ? bits | Mask : bits & ~Mask);
}

constexpr Group groupOf(std::optional<BasicValues> Snapshot::*) { return Group::Basic; }
constexpr Group groupOf(std::optional<RepeaterValues> Snapshot::*) { return Group::Repeater; }
constexpr Group groupOf(std::optional<SlowDataValues> Snapshot::*) { return Group::SlowData; }
constexpr Group groupOf(std::optional<BeaconValues> Snapshot::*) { return Group::Beacon; }
constexpr Group groupOf(std::optional<SerialPortValues> Snapshot::*) { return Group::SerialPort; }

template <auto GroupSlot, auto Member, int Index = -1>
Field field(const char* key, Kind kind, const char* note = "")
{
    return Field{groupOf(GroupSlot), key, kind, nullptr, "", Index < 0 ? 0u : std::size_t(Index), note,
                 &getValue<GroupSlot, Member, Index>, &putValue<GroupSlot, Member, Index>};
}

template <auto GroupSlot, auto Member>
Field number(const char* key, const NumberRule& rule, const char* unit, const char* note = "")
{
    Field f = field<GroupSlot, Member>(key, Kind::Number, note);
    f.rule = &rule;
    f.unit = unit;
    return f;
}

template <std::uint8_t Mask>
Field gpsBit(const char* key)
{
    return Field{Group::SerialPort, key, Kind::GpsBit, nullptr, "", 0, "", &getGpsBit<Mask>, &putGpsBit<Mask>};
}

// Every key in file order.
const std::vector<Field>& fields()
{
    static const std::vector<Field> all = [] {
        constexpr auto B = &Snapshot::basic;
        constexpr auto R = &Snapshot::repeater;
        constexpr auto D = &Snapshot::slowData;
        constexpr auto C = &Snapshot::beacon;
        constexpr auto S = &Snapshot::serialPort;
        using BV = BasicValues;
        using RV = RepeaterValues;
        return std::vector<Field>{
            number<B, &BV::delayTime>("delay_time_ms", rule::DelayTime, "ms"),
            number<B, &BV::timeOut>("time_out_s", rule::TimeOut, "s"),
            number<B, &BV::keepAlive>("keep_alive_ms", rule::KeepAlive, "ms"),
            number<B, &BV::resyncErrorBits>("resync_error_bits", rule::ResyncErrorBits, "bits"),
            number<B, &BV::lastFrameErrorBits>("last_frame_error_bits", rule::LastFrameErrorBits, "bits"),
            field<B, &BV::crcCheck>("crc_check", Kind::Switch),
            field<B, &BV::cosCheck>("cos_check", Kind::Switch),
            field<B, &BV::lastFrameSend>("last_frame_send", Kind::Switch),
            field<B, &BV::halfDuplex>("half_duplex", Kind::Switch, "true: half duplex, false: full duplex"),
            field<B, &BV::preBitPattern>("pre_bit_pattern", Kind::Hex, "0x00 to 0xFF, recommended 0xF0"),
            field<B, &BV::postBitPattern>("post_bit_pattern", Kind::Hex, "0x00 to 0xFF, recommended 0x66"),
            field<B, &BV::txInvert>("tx_invert", Kind::Switch),
            field<B, &BV::rxInvert>("rx_invert", Kind::Switch),
            field<B, &BV::autoRxDetect>("auto_rx_detect", Kind::Switch, "automatic RX polarity, true or false"),
            number<B, &BV::squelchLevel>("squelch_level", rule::SquelchLevel, "", "; 0 needs cos_check = true"),
            number<B, &BV::jitterBuffer>("jitter_buffer_size", rule::JitterBuffer, ""),

            field<R, &RV::callSigns, 0>("my_repeater_call", Kind::CallSign),
            field<R, &RV::callSigns, 1>("alt_my_call", Kind::CallSign),
            field<R, &RV::callSigns, 2>("alt_my_call2", Kind::CallSign),
            field<R, &RV::callSigns, 3>("alt_your_call", Kind::CallSign),
            field<R, &RV::callSigns, 4>("alt_rpt1_call", Kind::CallSign),
            field<R, &RV::callSigns, 5>("alt_rpt2_call", Kind::CallSign),
            field<R, &RV::switches, 0>("call_check", Kind::Switch),
            field<R, &RV::switches, 1>("dup_check", Kind::Switch),
            field<R, &RV::switches, 2>("dup_clear", Kind::Switch),
            field<R, &RV::switches, 3>("replace_alt_my_call", Kind::Switch),
            field<R, &RV::switches, 4>("replace_alt_my_call2", Kind::Switch),
            field<R, &RV::switches, 5>("replace_alt_your_call", Kind::Switch),
            field<R, &RV::switches, 6>("replace_alt_rpt1_call", Kind::Switch),
            field<R, &RV::switches, 7>("replace_alt_rpt2_call", Kind::Switch),
            field<R, &RV::switches, 8>("replace_flag_byte", Kind::Switch),
            field<R, &RV::flagByte>("flag_byte", Kind::FlagByte,
                                    "0x00 to 0xFF; bits 7 and 4 stay as the adapter holds them"),

            field<D, &SlowDataValues::insertBefore>("insert_before", Kind::Switch),
            field<D, &SlowDataValues::insertAfter>("insert_after", Kind::Switch),
            field<D, &SlowDataValues::digitalCodeInsert>("digital_code_insert", Kind::Switch),
            field<D, &SlowDataValues::digitalCode>("digital_code", Kind::Hex, "0x00 to 0xFF, two digits"),
            field<D, &SlowDataValues::message>("message", Kind::Message),

            field<C, &BeaconValues::message>("message", Kind::Message),
            number<C, &BeaconValues::interval>("interval_s", rule::BeaconInterval, "s"),

            field<S, &SerialPortValues::baudCode>("baud_rate", Kind::Baud),
            field<S, &SerialPortValues::modeCode>("mode", Kind::Mode),
            gpsBit<0x01>("gprmc"),
            gpsBit<0x02>("gpgga"),
            gpsBit<0x04>("gpgll"),
            gpsBit<0x08>("gpgsa"),
            gpsBit<0x10>("gpvtg"),
            gpsBit<0x80>("message_send"),
            field<S, &SerialPortValues::gpsMessage>("gps_message", Kind::GpsMessage),
        };
    }();
    return all;
}

std::string fullKey(const Field& f)
{
    return std::string(groupName(f.group)) + "." + f.key;
}

const Field* findField(Group group, std::string_view key)
{
    for (const Field& f : fields())
        if (f.group == group && key == f.key) return &f;
    return nullptr;
}

const Field* findField(std::string_view key)
{
    const std::size_t dot = key.find('.');
    if (dot == std::string_view::npos) return nullptr;
    const std::optional<Group> group = groupNamed(key.substr(0, dot));
    return group ? findField(*group, key.substr(dot + 1)) : nullptr;
}

// Applies `action` to the group's slot in the snapshot.
template <class Action>
void withGroup(Snapshot& snapshot, Group group, Action&& action)
{
    switch (group) {
    case Group::Basic: action(snapshot.basic); break;
    case Group::Repeater: action(snapshot.repeater); break;
    case Group::SlowData: action(snapshot.slowData); break;
    case Group::Beacon: action(snapshot.beacon); break;
    case Group::SerialPort: action(snapshot.serialPort); break;
    }
}

void makeThere(Snapshot& snapshot, Group group)
{
    withGroup(snapshot, group, [](auto& slot) {
        if (!slot) slot.emplace();
    });
}

// The names of the modes that have a button, in the order of ModeCodes.
constexpr const char* ModeNames[] = {"command", "gps_receive", "gps_send", "slow_data", "short_message"};
static_assert(std::size(ModeNames) == std::size(ModeCodes));

std::size_t textWidth(const Field& f)
{
    switch (f.kind) {
    case Kind::CallSign: return static_cast<std::size_t>(CallSignFields[f.index].width);
    case Kind::Message: return enc::MessageBlockSize;
    default: return enc::GpsBlockSize;
    }
}

std::string utf8FromLatin1(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

// Nothing when the text holds a character that Latin-1 has not (or is not
// UTF-8 at all).
std::optional<std::string> latin1FromUtf8(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out += text[i];
            continue;
        }
        // Latin-1 beyond ASCII is two bytes, C2 or C3 and one continuation.
        if ((lead != 0xC2 && lead != 0xC3) || i + 1 == text.size() ||
            (static_cast<unsigned char>(text[i + 1]) & 0xC0) != 0x80)
            return std::nullopt;
        out += static_cast<char>(((lead & 0x03) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F));
    }
    return out;
}

std::string joined(const std::vector<std::string>& items, const char* last)
{
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += i + 1 == items.size() ? last : ", ";
        out += items[i];
    }
    return out;
}

std::vector<std::string> baudRates()
{
    std::vector<std::string> rates;
    for (const std::uint8_t code : BaudCodes) rates.push_back(std::to_string(code * 100));
    return rates;
}

std::string modeList(const char* last)
{
    return joined(std::vector<std::string>(std::begin(ModeNames), std::end(ModeNames)), last);
}

std::string hexText(std::int64_t value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%02llX", static_cast<unsigned long long>(value));
    return buffer;
}

const char* expectedType(Kind kind)
{
    if (kind == Kind::Switch || kind == Kind::GpsBit) return "true or false";
    return isText(kind) ? "a text in quotes" : "a whole number";
}

// What a field's value is in the file: no judgement yet.
Given givenOf(const Field& f, const Held& held)
{
    if (const auto* text = std::get_if<std::string>(&held)) return utf8FromLatin1(*text);
    const std::uint32_t value = std::get<std::uint32_t>(held);
    switch (f.kind) {
    case Kind::Number: return std::int64_t{f.rule->shown(value)};
    case Kind::Switch:
    case Kind::GpsBit: return value != 0;
    case Kind::Baud: return std::int64_t{value} * 100;
    case Kind::Mode:
        for (std::size_t i = 0; i < std::size(ModeCodes); ++i)
            if (ModeCodes[i] == value) return std::string(ModeNames[i]);
        return std::int64_t{value};  // a code without a button
    default: return std::int64_t{value};
    }
}

struct Judged {
    std::optional<Held> value;
    std::string problem;  // when there is no value
};

Judged refused(std::string problem)
{
    return Judged{std::nullopt, std::move(problem)};
}

Judged judgeText(const Field& f, const std::string& utf8)
{
    const std::optional<std::string> bytes = latin1FromUtf8(utf8);
    if (!bytes) return refused("holds a character outside Latin-1 (the adapter keeps one byte per character)");
    if (f.kind == Kind::Mode) {
        for (std::size_t i = 0; i < std::size(ModeCodes); ++i)
            if (*bytes == ModeNames[i]) return Judged{Held{std::uint32_t{ModeCodes[i]}}, {}};
        return refused("\"" + utf8 + "\" is not one of " + modeList(" or "));
    }
    if (bytes->find('\0') != std::string::npos) return refused("holds a NUL character");
    if (bytes->size() > textWidth(f))
        return refused("is " + std::to_string(bytes->size()) + " characters long, more than " +
                       std::to_string(textWidth(f)));
    return Judged{Held{*bytes}, {}};
}

Judged judgeNumber(const Field& f, std::int64_t value)
{
    const std::string shown = std::to_string(value);
    switch (f.kind) {
    case Kind::Number: {
        const NumberRule& rule = *f.rule;
        if (value < 0 || value > std::int64_t{rule.max})
            return refused(shown + " is outside 0 to " + std::to_string(rule.max) + (*f.unit ? " " : "") + f.unit);
        if (value % rule.unit != 0)
            return refused(shown + " is not a multiple of " + std::to_string(rule.unit) +
                           ": the adapter keeps it in steps of " + std::to_string(rule.unit));
        return Judged{Held{std::uint32_t{rule.stored(static_cast<std::uint32_t>(value))}}, {}};
    }
    case Kind::Baud:
        for (const std::uint8_t code : BaudCodes)
            if (value == code * 100) return Judged{Held{std::uint32_t{code}}, {}};
        return refused(shown + " is not one of " + joined(baudRates(), " or "));
    default:
        if (value < 0 || value > 0xFF) return refused(shown + " is outside 0x00 to 0xFF");
        return Judged{Held{static_cast<std::uint32_t>(value)}, {}};
    }
}

// Whether the file's value is one the adapter can hold, and what it holds.
Judged judge(const Field& f, const Given& given)
{
    const bool wantsSwitch = f.kind == Kind::Switch || f.kind == Kind::GpsBit;
    if (const auto* flag = std::get_if<bool>(&given); flag && wantsSwitch) return Judged{Held{*flag ? 1u : 0u}, {}};
    if (const auto* text = std::get_if<std::string>(&given); text && isText(f.kind)) return judgeText(f, *text);
    const auto* value = std::get_if<std::int64_t>(&given);
    if (value && !wantsSwitch && !isText(f.kind)) return judgeNumber(f, *value);
    if (value && f.kind == Kind::Mode)
        return refused("code " + std::to_string(*value) + " has no button; expected one of " + modeList(" or "));
    return refused(std::string("expected ") + expectedType(f.kind));
}

Judged judgeNode(const Field& f, const toml::node& node)
{
    if (const auto* value = node.as_integer()) return judge(f, Given{value->get()});
    if (const auto* flag = node.as_boolean()) return judge(f, Given{flag->get()});
    if (const auto* text = node.as_string()) return judge(f, Given{text->get()});
    return refused(std::string("expected ") + expectedType(f.kind));
}

// A text as one TOML basic string on one line: a line break or another
// control character (C1 too, which would not show) as an escape.
std::string quoted(std::string_view utf8)
{
    std::string out = "\"";
    auto escape = [&out](unsigned code) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "\\u%04X", code);
        out += buffer;
    };
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            escape(static_cast<unsigned char>(utf8[++i]));
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += utf8[i];
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            escape(c);
        } else {
            out += utf8[i];
        }
    }
    return out + '"';
}

std::string valueText(const Field& f, const Given& given)
{
    if (const auto* flag = std::get_if<bool>(&given)) return *flag ? "true" : "false";
    if (const auto* value = std::get_if<std::int64_t>(&given))
        return f.kind == Kind::Hex || f.kind == Kind::FlagByte ? hexText(*value) : std::to_string(*value);
    return quoted(std::get<std::string>(given));
}

std::string valueText(const Field& f, const Held& held)
{
    return valueText(f, givenOf(f, held));
}

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
    case Kind::GpsMessage:
        return "up to " + std::to_string(textWidth(f)) + " characters, Latin-1; filled with blanks";
    case Kind::Message: return "up to " + std::to_string(textWidth(f)) + " characters, Latin-1";
    case Kind::Baud: return "baud, " + joined(baudRates(), " or ");
    case Kind::Mode: return modeList(" or ");
    default: return "0x00 to 0xFF";
    }
}

// How the adapter stores a value: what a write would change.
Held storedForm(const Field& f, const Held& held)
{
    auto bytes = [](const auto& block) { return Held{std::string(block.begin(), block.end())}; };
    switch (f.kind) {
    case Kind::CallSign: return bytes(enc::callSignField(std::get<std::string>(held), textWidth(f)));
    case Kind::Message: return bytes(enc::messageBlock(std::get<std::string>(held)));
    case Kind::GpsMessage: return bytes(enc::gpsBlock(std::get<std::string>(held)));
    case Kind::FlagByte: return Held{std::get<std::uint32_t>(held) & ~std::uint32_t{FixedFlagBits}};
    default: return held;
    }
}

// A comment holds the text with every control character as '?'.
std::string commentText(std::string_view latin1)
{
    std::string text(latin1);
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) c = '?';
    }
    return utf8FromLatin1(text);
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

using Problems = std::vector<FileProblem>;

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
        const std::string name = std::string(groupName(group)) + "." + std::string(key.str());
        if (!f) {
            out.problems.push_back({lineOf(key.source()), "unknown key " + name});
            continue;
        }
        if (f->kind == Kind::GpsBit) ++gpsKeys;
        const Judged judged = judgeNode(*f, node);
        if (judged.value) f->put(out.values, *judged.value);
        else out.problems.push_back({lineOf(node.source()), name + ": " + judged.problem});
    }
    const auto gpsFields = std::count_if(fields().begin(), fields().end(),
                                         [](const Field& f) { return f.kind == Kind::GpsBit; });
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
    if (version->get() < 1) return FileProblem{line, "format " + given + " is unknown; this program reads format " + known};
    return std::nullopt;
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

FileContents readSettingsFile(std::string_view text)
{
    FileContents out;
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
        if (!group) out.problems.push_back({lineOf(key.source()), "unknown table or key " + std::string(key.str())});
        else if (!table) out.problems.push_back({lineOf(node.source()), std::string(key.str()) + " must be a table"});
        else readGroup(*group, *table, out);
    }
    std::stable_sort(out.problems.begin(), out.problems.end(),
                     [](const FileProblem& a, const FileProblem& b) { return a.line < b.line; });
    return out;
}

std::vector<FieldChange> differences(const Snapshot& held, const Snapshot& wanted)
{
    std::vector<FieldChange> changes;
    for (const Field& f : fields()) {
        const std::optional<Held> to = f.get(wanted);
        if (!to) continue;
        const std::optional<Held> from = f.get(held);
        if (from && storedForm(f, *from) == storedForm(f, *to)) continue;
        changes.push_back({fullKey(f), from ? valueText(f, *from) : "(not read)", valueText(f, *to)});
    }
    return changes;
}

Snapshot merged(const Snapshot& held, const Snapshot& wanted)
{
    Snapshot result = held;
    for (const Group group : AllGroups)
        if (wanted.has(group)) makeThere(result, group);
    for (const Field& f : fields())
        if (const std::optional<Held> value = f.get(wanted)) f.put(result, *value);
    return result;
}

std::vector<std::string> crossFieldProblems(const Snapshot& values)
{
    std::vector<std::string> problems;
    const auto& basic = values.basic;
    if (basic && basic->squelchLevel && basic->cosCheck && !squelchPairAllowed(*basic->squelchLevel, *basic->cosCheck))
        problems.push_back("basic.squelch_level = 0 needs basic.cos_check = true");
    return problems;
}

std::vector<std::string> allKeys()
{
    std::vector<std::string> keys;
    for (const Field& f : fields()) keys.push_back(fullKey(f));
    return keys;
}

std::optional<Group> groupOfKey(std::string_view key)
{
    const Field* f = findField(key);
    return f ? std::optional<Group>(f->group) : std::nullopt;
}

std::optional<std::string> valueText(const Snapshot& snapshot, std::string_view key)
{
    const Field* f = findField(key);
    if (!f) return std::nullopt;
    const std::optional<Held> held = f->get(snapshot);
    return held ? std::optional<std::string>(valueText(*f, *held)) : std::nullopt;
}

std::optional<std::string> setFromText(Snapshot& into, std::string_view key, std::string_view value)
{
    const Field* f = findField(key);
    if (!f) return "unknown key " + std::string(key);
    const std::string name(key);
    Judged judged;
    if (isText(f->kind) && !value.starts_with('"') && !value.starts_with('\'')) {
        judged = judge(*f, Given{std::string(value)});
    } else {
        toml::table document;
        try {
            document = toml::parse("v = " + std::string(value));
        } catch (const toml::parse_error& error) {
            return name + ": not a value (" + std::string(error.description()) + ")";
        }
        const toml::node* node = document.get("v");
        if (document.size() != 1 || !node) return name + ": more than one value";
        judged = judgeNode(*f, *node);
    }
    if (!judged.value) return name + ": " + judged.problem;
    if (f->kind == Kind::GpsBit && !(into.serialPort && into.serialPort->gpsBits))
        return name + ": the GPS keys are one setting of the adapter, and it was not read";
    f->put(into, *judged.value);
    return std::nullopt;
}

}  // namespace settings
