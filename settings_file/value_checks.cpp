#include "settings_file/value_checks.h"

#include "device/latin1.h"
#include "device/utf8.h"

namespace settings::file {
namespace {

using Why = ValueProblem::Kind;

ValueProblem::Type expectedType(Kind kind)
{
    if (kind == Kind::Switch || kind == Kind::GpsBit) return ValueProblem::Type::Switch;
    return isText(kind) ? ValueProblem::Type::Text : ValueProblem::Type::Number;
}

Judged refused(Why kind, std::int64_t given = 0)
{
    Judged judged;
    judged.problem.kind = kind;
    judged.problem.given = given;
    return judged;
}

// The first byte of `text` that is not UTF-8, or nothing. A file is UTF-8
// once read; a command line argument is as the terminal typed it, Latin-1
// in a Latin-1 locale.
std::optional<unsigned char> firstByteNotUtf8(std::string_view text)
{
    const std::optional<std::size_t> at = firstNotUtf8(text);
    return at ? std::optional<unsigned char>(static_cast<unsigned char>(text[*at])) : std::nullopt;
}

Judged judgeText(const Field& f, const std::string& utf8)
{
    if (const std::optional<unsigned char> byte = firstByteNotUtf8(utf8)) return refused(Why::NotUtf8, *byte);
    const std::optional<std::string> bytes = latin1::fromUtf8(utf8);
    if (!bytes) return refused(Why::NotLatin1);
    if (f.kind == Kind::Mode) {
        for (std::size_t i = 0; i < std::size(ModeCodes); ++i)
            if (*bytes == ModeNames[i]) return Judged{Held{std::uint32_t{ModeCodes[i]}}, {}};
        Judged judged = refused(Why::NotAMode);
        judged.problem.text = utf8;
        return judged;
    }
    if (bytes->find('\0') != std::string::npos) return refused(Why::HoldsNul);
    if (bytes->size() > textWidth(f)) {
        Judged judged = refused(Why::TooLong, static_cast<std::int64_t>(bytes->size()));
        judged.problem.most = static_cast<std::int64_t>(textWidth(f));
        return judged;
    }
    return Judged{Held{*bytes}, {}};
}

Judged judgeNumber(const Field& f, std::int64_t value)
{
    switch (f.kind) {
    case Kind::Number: {
        const NumberRule& rule = *f.rule;
        // Above the dialog's range but within what the adapter can hold, a
        // value is judged against the adapter's own (see restore_plan.h).
        if (value < 0 || value > std::int64_t{rule.wireMax}) {
            Judged judged = refused(Why::OutOfRange, value);
            judged.problem.most = rule.max;
            judged.problem.wireMost = rule.wireMax;
            judged.problem.unit = f.unit;
            return judged;
        }
        if (value % rule.unit != 0) {
            Judged judged = refused(Why::NotAStep, value);
            judged.problem.step = rule.unit;
            return judged;
        }
        return Judged{Held{std::uint32_t{rule.stored(static_cast<std::uint32_t>(value))}}, {}};
    }
    case Kind::Baud:
        for (const std::uint8_t code : BaudCodes)
            if (value == std::int64_t{code} * 100) return Judged{Held{std::uint32_t{code}}, {}};
        return refused(Why::NotABaudRate, value);
    default:
        if (value < 0 || value > 0xFF) return refused(Why::NotAByte, value);
        return Judged{Held{static_cast<std::uint32_t>(value)}, {}};
    }
}

Judged wrongType(Kind kind)
{
    Judged judged = refused(Why::WrongType);
    judged.problem.expected = expectedType(kind);
    return judged;
}

}  // namespace

std::optional<std::size_t> firstNotUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t begin = at;
        if (utf8::nextCharacter(text, at) == utf8::NotUtf8) return begin;
    }
    return std::nullopt;
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

// Whether the file's value is one the adapter can hold, and what it holds.
Judged judge(const Field& f, const Given& given)
{
    const bool wantsSwitch = f.kind == Kind::Switch || f.kind == Kind::GpsBit;
    if (const auto* flag = std::get_if<bool>(&given); flag && wantsSwitch) return Judged{Held{*flag ? 1u : 0u}, {}};
    if (const auto* text = std::get_if<std::string>(&given); text && isText(f.kind)) return judgeText(f, *text);
    const auto* value = std::get_if<std::int64_t>(&given);
    if (value && !wantsSwitch && !isText(f.kind)) return judgeNumber(f, *value);
    if (value && f.kind == Kind::Mode) return refused(Why::ModeCode, *value);
    return wrongType(f.kind);
}

Judged judgeNode(const Field& f, const toml::node& node)
{
    if (const auto* value = node.as_integer()) return judge(f, Given{value->get()});
    if (const auto* flag = node.as_boolean()) return judge(f, Given{flag->get()});
    if (const auto* text = node.as_string()) return judge(f, Given{text->get()});
    return wrongType(f.kind);
}

}  // namespace settings::file
