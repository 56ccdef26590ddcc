#include "dialogs/save_record.h"

#include "device/adapter_connection.h"
#include "device/shown_text.h"
#include "dialogs/store_problem_text.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"

#include <QCoreApplication>

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

SaveRecord::SaveRecord(const Context& context) : context_(context) {}

SaveRecord::~SaveRecord() = default;

void SaveRecord::begin(settings::Group group, const settings::Snapshot& held)
{
    group_ = group;
    const settings::Features features = context_.startUp != nullptr ? context_.startUp->features : settings::Features{};
    std::optional<settings::StoreError> error;
    try {
        keeper_ = settings::startRecord({recordPathOf(context_), recordAdapterOf(context_), settings::RecordJob::Save},
                                        settings::onlyGroup(held, group), features, error);
    } catch (const settings::StoreError& noFolder) {
        error = noFolder;
    }
    if (error) {
        failure_ = storeProblemText(error->problem());
        leftAsItIs_ = error->problem().earlierRecord;
    }
}

void SaveRecord::done()
{
    if (keeper_ && group_) keeper_->groupDone(*group_);
}

void SaveRecord::tellIfNotKept()
{
    if (failure_.isEmpty()) return;
    QString text =
        QCoreApplication::translate("WriteRecord", "The Save went ahead, but no record of it could be kept: %1")
            .arg(failure_);
    if (leftAsItIs_)
        text += QStringLiteral("\n\n") +
                QCoreApplication::translate("WriteRecord", "The record of the earlier write was left as it is.");
    context_.host.showMessage(text);
}
