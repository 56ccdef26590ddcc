// diff, get and set: a snapshot's values by key, and what a write would
// change.

#include "settings_file/settings_file.h"

#include "device/control_characters.h"
#include "device/encodings.h"
#include "settings/groups.h"
#include "settings_file/toml_text.h"
#include "settings_file/value_checks.h"

#include <cstdio>

namespace settings {
namespace {

using namespace file;

// A value as a read gives it back once it is stored: a text as its block up
// to the first NUL byte, which is all a read returns. A block padded with
// spaces is compared without them, so that a text cut at a NUL byte and its
// read-back (which the block pads again) compare equal.
Held storedForm(const Field& f, const Held& held)
{
    auto bytes = [](const auto& block) { return Held{enc::textUpToNul(block)}; };
    auto spacePadded = [](const auto& block) {
        std::string text = enc::textUpToNul(block);
        text.erase(text.find_last_not_of(' ') + 1);
        return Held{text};
    };
    switch (f.kind) {
    case Kind::CallSign: return spacePadded(enc::callSignField(std::get<std::string>(held), textWidth(f)));
    case Kind::Message: return bytes(enc::messageBlock(std::get<std::string>(held)));
    case Kind::GpsMessage: return spacePadded(enc::gpsBlock(std::get<std::string>(held)));
    case Kind::FlagByte: return Held{std::get<std::uint32_t>(held) & ~std::uint32_t{FixedFlagBits}};
    default: return held;
    }
}

TypedValue typedOf(const Field& f, const Held& held)
{
    using K = TypedValue::Kind;
    const std::uint32_t* number = std::get_if<std::uint32_t>(&held);
    if (f.kind == Kind::Mode && number) return {K::Mode, *number, {}};
    const Given given = givenOf(f, held);
    if (const auto* on = std::get_if<bool>(&given)) return {K::Switch, *on ? 1 : 0, {}};
    if (const auto* value = std::get_if<std::int64_t>(&given))
        return {f.kind == Kind::Hex || f.kind == Kind::FlagByte ? K::Byte : K::Number, *value, {}};
    return {f.kind == Kind::CallSign ? K::CallSign : K::Text, 0, std::get<std::string>(given)};
}

}  // namespace

std::vector<FieldChange> differences(const Snapshot& held, const Snapshot& wanted)
{
    std::vector<FieldChange> changes;
    for (const Field& f : fields()) {
        const std::optional<Held> to = f.get(wanted);
        if (!to) continue;
        const std::optional<Held> from = f.get(held);
        if (from && storedForm(f, *from) == storedForm(f, *to)) continue;
        changes.push_back({fullKey(f), from ? valueText(f, *from) : "(not read)", valueText(f, *to),
                           from ? typedOf(f, *from) : TypedValue{}, typedOf(f, *to)});
    }
    return changes;
}

std::vector<std::pair<std::string, unsigned char>> controlCharacterProblems(const Snapshot& held,
                                                                            const Snapshot& wanted)
{
    std::vector<std::pair<std::string, unsigned char>> problems;
    for (const Field& f : fields()) {
        const std::optional<Held> to = f.get(wanted);
        if (!to || !std::holds_alternative<std::string>(*to)) continue;
        const std::optional<unsigned char> control = text::firstControlCharacter(std::get<std::string>(*to));
        const std::optional<Held> from = f.get(held);
        if (!control || (from && storedForm(f, *from) == storedForm(f, *to))) continue;
        problems.emplace_back(fullKey(f), *control);
    }
    return problems;
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

TypedValue typedValue(const Snapshot& snapshot, std::string_view key)
{
    const Field* f = findField(key);
    const std::optional<Held> held = f ? f->get(snapshot) : std::nullopt;
    return held ? typedOf(*f, *held) : TypedValue{};
}

std::optional<std::string> valueText(const Snapshot& snapshot, std::string_view key)
{
    const Field* f = findField(key);
    if (!f) return std::nullopt;
    const std::optional<Held> held = f->get(snapshot);
    return held ? std::optional<std::string>(valueText(*f, *held)) : std::nullopt;
}

std::optional<FileProblem> setFromText(Snapshot& into, std::string_view key, std::string_view value)
{
    auto problem = [&](FileProblem::Kind kind) {
        FileProblem p;
        p.kind = kind;
        p.key = std::string(key);
        return p;
    };
    const Field* f = findField(key);
    if (!f) return problem(FileProblem::Kind::UnknownKey);
    Judged judged;
    if (isText(f->kind) && !value.starts_with('"') && !value.starts_with('\'')) {
        judged = judge(*f, Given{std::string(value)});
    } else {
        toml::table document;
        try {
            document = toml::parse("v = " + std::string(value));
        } catch (const toml::parse_error& error) {
            FileProblem notAValue = problem(FileProblem::Kind::NotAValue);
            notAValue.detail = std::string(error.description());
            return notAValue;
        }
        const toml::node* node = document.get("v");
        if (document.size() != 1 || !node) return problem(FileProblem::Kind::MoreThanOneValue);
        judged = judgeNode(*f, *node);
    }
    if (!judged.value) {
        FileProblem refused = problem(FileProblem::Kind::Value);
        refused.value = judged.problem;
        return refused;
    }
    if (f->kind == Kind::GpsBit && !(into.serialPort && into.serialPort->gpsBits))
        return problem(FileProblem::Kind::GpsNotRead);
    f->put(into, *judged.value);
    return std::nullopt;
}

}  // namespace settings