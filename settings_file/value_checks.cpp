#include "settings_file/value_checks.h"

#include "device/latin1.h"
#include "device/shown_text.h"
#include "device/utf8.h"

#include <cstdio>

namespace settings::file {
namespace {

const char* expectedType(Kind kind)
{
    if (kind == Kind::Switch || kind == Kind::GpsBit) return "true or false";
    return isText(kind) ? "a text in quotes" : "a whole number";
}

Judged refused(std::string problem)
{
    return Judged{std::nullopt, std::move(problem)};
}

// The first byte of `text` that is not UTF-8, as "0xE9", or nothing. A file
// is UTF-8 once parsed; a command line argument is as the terminal typed it,
// Latin-1 in a Latin-1 locale.
std::optional<std::string> firstByteNotUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t begin = at;
        if (utf8::nextCharacter(text, at) != utf8::NotUtf8) continue;
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(static_cast<unsigned char>(text[begin])));
        return std::string(hex);
    }
    return std::nullopt;
}

Judged judgeText(const Field& f, const std::string& utf8)
{
    if (const std::optional<std::string> byte = firstByteNotUtf8(utf8))
        return refused("is not UTF-8 text: it holds the byte " + *byte + "; give the text in UTF-8");
    const std::optional<std::string> bytes = latin1::fromUtf8(utf8);
    if (!bytes) return refused("holds a character outside Latin-1 (the adapter keeps one byte per character)");
    if (f.kind == Kind::Mode) {
        for (std::size_t i = 0; i < std::size(ModeCodes); ++i)
            if (*bytes == ModeNames[i]) return Judged{Held{std::uint32_t{ModeCodes[i]}}, {}};
        return refused("\"" + shown::clipped(utf8) + "\" is not one of " + modeList(" or "));
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
        // Above the dialog's range but within what the adapter can hold, a
        // value is judged against the adapter's own (see restore_plan.h).
        if (value < 0 || value > std::int64_t{rule.wireMax})
            return refused(
                shown + " is outside 0 to " + std::to_string(rule.max) + (*f.unit ? " " : "") + f.unit +
                (rule.wireMax != rule.max ? "; the adapter holds at most " + std::to_string(rule.wireMax) : ""));
        if (value % rule.unit != 0)
            return refused(shown + " is not a multiple of " + std::to_string(rule.unit) +
                           ": the adapter keeps it in steps of " + std::to_string(rule.unit));
        return Judged{Held{std::uint32_t{rule.stored(static_cast<std::uint32_t>(value))}}, {}};
    }
    case Kind::Baud:
        for (const std::uint8_t code : BaudCodes)
            if (value == std::int64_t{code} * 100) return Judged{Held{std::uint32_t{code}}, {}};
        return refused(shown + " is not one of " + joined(baudRates(), " or "));
    default:
        if (value < 0 || value > 0xFF) return refused(shown + " is outside 0x00 to 0xFF");
        return Judged{Held{static_cast<std::uint32_t>(value)}, {}};
    }
}

}  // namespace

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

}  // namespace settings::file
