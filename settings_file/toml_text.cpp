#include "settings_file/toml_text.h"

#include "device/latin1.h"

#include <cstdio>

namespace settings::file {
namespace {

std::string hexText(std::int64_t value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%02llX", static_cast<unsigned long long>(value));
    return buffer;
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

}  // namespace

Given givenOf(const Field& f, const Held& held)
{
    if (const auto* text = std::get_if<std::string>(&held)) return latin1::toUtf8(*text);
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

}  // namespace settings::file
