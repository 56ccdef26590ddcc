#include "dialogs/save_record.h"

#include "device/adapter_connection.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"

settings::AdapterIdentity recordAdapterOf(const Context& context)
{
    const std::optional<AdapterNode> node =
        context.connection != nullptr ? context.connection->adapter() : std::nullopt;
    return settings::identityOf(node, node ? std::string() : context.demoFile);
}

std::string recordPathOf(const Context& context)
{
    return settings::recordPath(settings::stateFolder(), recordAdapterOf(context));
}
