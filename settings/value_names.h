#pragma once
// The names of the settings' values, one table for every front end: each key
// of a settings file with the label of the dialog field that shows it (in
// English, as the dialog's own text gives it), the field's object name, the
// unit and the range of what may be entered. The desktop program's messages
// name a value by its field's label, brisel-ctl by its key; the settings
// reference is written from the same table.

#include "settings/groups.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

struct ValueName {
    enum class Sort { Number, Switch, Hex, Text, Choice };

    const char* key;      // as in settings files: "basic.delay_time_ms"
    const char* label;    // the dialog field's label: "Delay Time"
    const char* control;  // the object name of the field in its dialog
    Group group;
    Sort sort;
    const char* unit;  // numbers: "ms", "s", "bits" or ""
    // Numbers and hex bytes: the range the dialog writes. Texts: 0 to the
    // number of characters the adapter keeps. Switches: 0 to 1. Choices:
    // 0 to one less than the number of `choices`.
    std::uint32_t min, max;
    std::vector<std::string> choices;  // Choice: the file's names, in the dialog's order
};

// Every value, in the order of the settings file.
const std::vector<ValueName>& valueNames();
// The value with the file's key ("group.key"); nothing when there is none.
const ValueName* valueNamed(std::string_view key);

}  // namespace settings
