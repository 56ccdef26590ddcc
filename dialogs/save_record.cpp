#include "dialogs/save_record.h"

#include "device/adapter_connection.h"
#include "device/shown_text.h"
#include "dialogs/store_problem_text.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"

#include <QCoreApplication>

std::string recordPortOf(const Context& context)
{
    return settings::recordPort(context.connection != nullptr ? context.connection->adapter() : std::nullopt);
}

std::string recordPathOf(const Context& context)
{
    return settings::recordPath(settings::stateFolder(), recordPortOf(context));
}

SaveRecord::SaveRecord(const Context& context) : context_(context) {}

SaveRecord::~SaveRecord() = default;

void SaveRecord::begin(settings::Group group, const settings::Snapshot& held)
{
    group_ = group;
    const settings::Features features = context_.startUp != nullptr ? context_.startUp->features : settings::Features{};
    try {
        keeper_ = std::make_unique<settings::RecordKeeper>(recordPathOf(context_), "save", recordPortOf(context_),
                                                           settings::onlyGroup(held, group), features);
    } catch (const settings::StoreError& error) {
        failure_ = storeProblemText(error.problem());
    }
}

void SaveRecord::done()
{
    if (keeper_ && group_) keeper_->groupDone(*group_);
}

void SaveRecord::tellIfNotKept()
{
    if (failure_.isEmpty()) return;
    context_.host.showMessage(
        QCoreApplication::translate("WriteRecord", "The Save went ahead, but no record of it could be kept: %1")
            .arg(failure_));
}
