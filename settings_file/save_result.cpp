#include "settings_file/save_result.h"

#include "settings_file/settings_file.h"

#include <algorithm>

namespace settings {
namespace {

constexpr const char* BaudKey = "serial_port.baud_rate";

}  // namespace

std::vector<ValueNotTaken> judgeSave(Group group, const Snapshot& sent, const GroupSave& save, const Snapshot& readBack,
                                     const Features* features)
{
    using Why = ValueNotTaken::Why;
    std::vector<ValueNotTaken> result;
    auto judged = [&](const std::string& key) {
        return groupOfKey(key) == group && !(features != nullptr && firmwareLacksKey(*features, key));
    };
    if (save.refused) {
        // Nothing after the refused baud rate was sent.
        for (const std::string& key : allKeys()) {
            if (!judged(key)) continue;
            if (const auto value = valueText(sent, key))
                result.push_back(
                    {key == BaudKey ? Why::Refused : Why::NotSent, key, *value, {}, typedValue(sent, key), {}});
        }
        return result;
    }
    for (FieldChange& change : differences(onlyGroup(readBack, group), onlyGroup(sent, group))) {
        if (!judged(change.key)) continue;
        if (valueText(readBack, change.key))
            result.push_back({Why::Differs, change.key, change.to, change.from, change.shownTo, change.shownFrom});
        else result.push_back({Why::NotReadBack, change.key, change.to, {}, change.shownTo, {}});
    }
    return result;
}

bool anyNotReadBack(const std::vector<ValueNotTaken>& values)
{
    return std::any_of(values.begin(), values.end(),
                       [](const ValueNotTaken& v) { return v.why == ValueNotTaken::Why::NotReadBack; });
}

}  // namespace settings
