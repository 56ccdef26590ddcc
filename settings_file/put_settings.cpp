#include "settings_file/put_settings.h"

#include "settings/groups.h"
#include "settings/start_up.h"
#include "settings_file/settings_file.h"

namespace settings {

void putSettings(VendorLink& link, const Snapshot& snapshot)
{
    const Pause none = [](int) {};
    const StartUp started = startUp(link);
    for (Group group : AllGroups) {
        if (!snapshot.has(group)) continue;
        Snapshot held;
        readGroup(link, group, started, held);
        Snapshot ignored;
        saveGroup(link, none, group, merged(held, snapshot), ignored);
    }
}

}  // namespace settings
