#include "cli/commands.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<CommandEntry, 8> Table{{
    {"detect", 0, 0, JsonOption, detectCommand},
    {"show", 0, -1, JsonOption, showCommand},
    {"backup", 1, 1, ForceOption, backupCommand},
    {"restore", 1, 1, JsonOption | DryRunOption | SkipMissingOption | NoBackupOption | SetOption | OtherAdapterOption,
     restoreCommand},
    {"render", 1, 1, JsonOption | SetOption, renderCommand},
    {"diff", 1, 1, JsonOption | SkipMissingOption, diffCommand},
    {"get", 1, -1, JsonOption, getCommand},
    {"set", 1, -1, JsonOption | SkipMissingOption, setCommand},
}};

}  // namespace

std::span<const CommandEntry> commandTable()
{
    return Table;
}

const CommandEntry* findCommand(std::string_view name)
{
    const auto found =
        std::find_if(Table.begin(), Table.end(), [&](const CommandEntry& entry) { return entry.name == name; });
    return found == Table.end() ? nullptr : &*found;
}
