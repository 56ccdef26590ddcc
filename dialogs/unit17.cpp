#include "dialogs/unit17.h"

#include "ui_unit17.h"

#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/display_formats.h"
#include "dialogs/entered_text.h"
#include "dialogs/group_save.h"
#include "dialogs/not_taken.h"
#include "dialogs/wire_text.h"
#include "settings_file/settings_file.h"

#include "settings/rules.h"

#include <cstdint>

TForm17::TForm17(Context context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)), ui_(std::make_unique<Ui::TForm17>())
{
    ui_->setupUi(this);
    notread::followEntries(*this);
    connect(ui_->Save1, &QAction::triggered, this, &TForm17::Save1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TForm17::Cancel1Click);
    connect(ui_->Exit1, &QAction::triggered, this, &TForm17::Exit1Click);
}

TForm17::~TForm17() = default;

void TForm17::loadSettings(ZeroForm rewindForm, notread::Report& report)
{
    showValues(settings::readBeacon(ctx_.link, rewindForm), false, report);
}

void TForm17::Save1Click()
{
    const auto take = [this](notread::Report& report) {
        settings::BeaconValues values;
        const settings::NumberRule& rule = settings::rule::BeaconInterval;

        // A refused interval is not written, but the message still is.
        if (report.mayWrite(*ui_->BeaconTimer)) {
            const settings::NumberEntry seconds =
                settings::judgeNumberText(wire::fromText(ui_->BeaconTimer->text()), rule);
            switch (seconds.verdict) {
            case settings::NumberEntry::Verdict::NotNumber:
                ctx_.host.showMessage(tr("Invalid character in Beacon Interval Timer"));
                break;
            case settings::NumberEntry::Verdict::BeyondRange:
                ctx_.host.showMessage(
                    tr("Invalid value in Beacon Interval Timer (Max. value is %1 Sec.)").arg(rule.max));
                break;
            case settings::NumberEntry::Verdict::Taken: values.interval = static_cast<std::uint8_t>(seconds.stored);
            }
        }
        if (report.mayWrite(*ui_->BeaconMessage))
            values.message = enteredText(*ui_->BeaconMessage, tr("Beacon Message"), ctx_.host);
        return settings::snapshotOf(values);
    };
    runGroupSave(ctx_, *this, settings::Group::Beacon, held_, take,
                 [this](const settings::GroupSaveOutcome& saved, notread::Report& report) {
                     showValues(*saved.readBack.beacon, true, report);
                 });
}

void TForm17::Cancel1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        loadSettings(ZeroForm::Write, report);
        report.tell(ctx_.host);
    });
}

void TForm17::Exit1Click()
{
    close();
}

void TForm17::showValues(const settings::BeaconValues& values, bool readBack, notread::Report& report)
{
    held_ = settings::merged(held_, settings::snapshotOf(values));
    // Named in the order the adapter is asked: the message first when the
    // group is read, the interval first after Save.
    auto showMessage = [&] {
        if (values.message) notread::show(*ui_->BeaconMessage, wire::toText(*values.message));
        else notread::failed(*ui_->BeaconMessage, readBack, report);
    };
    if (!readBack) showMessage();
    if (values.interval)
        notread::show(*ui_->BeaconTimer, QString::fromStdString(display::formatDecimal(
                                             settings::rule::BeaconInterval.shown(*values.interval))));
    else notread::failed(*ui_->BeaconTimer, readBack, report);
    if (readBack) showMessage();
}
