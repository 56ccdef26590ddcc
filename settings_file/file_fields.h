#pragma once
// The keys of a settings file: for each, its group, the kind of value it
// holds, its rule and unit, and where that value lives in a snapshot. Used by
// the settings file's writer, reader and key commands and the restore plan;
// the dialogs' forms name their controls by these keys.

#include "settings/rules.h"
#include "settings/serial_port.h"
#include "settings/snapshot.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace settings::file {

// A value as the adapter holds it: a number (a switch is 0 or 1) or the
// bytes of a text.
using Held = std::variant<std::uint32_t, std::string>;
// A value as the file gives it: in the dialogs' units, texts in UTF-8.
using Given = std::variant<std::int64_t, bool, std::string>;

enum class Kind { Number, Switch, Hex, FlagByte, CallSign, Message, GpsMessage, Baud, Mode, GpsBit };

inline bool isText(Kind kind)
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

// Every key in file order.
const std::vector<Field>& fields();
// "group.key"
std::string fullKey(const Field& f);
const Field* findField(Group group, std::string_view key);
// A key as "group.key"; nothing when there is no such key.
const Field* findField(std::string_view key);
// Makes the group there in `snapshot` if it is not.
void makeThere(Snapshot& snapshot, Group group);

// The names of the modes that have a button, in the order of ModeCodes.
inline constexpr const char* ModeNames[] = {"command", "gps_receive", "gps_send", "slow_data", "short_message"};
static_assert(std::size(ModeNames) == std::size(ModeCodes));

// How many characters a text field holds.
std::size_t textWidth(const Field& f);

}  // namespace settings::file
