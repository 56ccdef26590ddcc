#include "dialogs/unit15.h"

#include "ui_unit15.h"

#include "device/encodings.h"
#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/display_formats.h"
#include "dialogs/entered_text.h"
#include "dialogs/group_save.h"
#include "dialogs/not_taken.h"
#include "dialogs/wire_text.h"
#include "settings_file/settings_file.h"

#include <array>
#include <cstdint>
#include <utility>

TForm15::TForm15(Context context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)), ui_(std::make_unique<Ui::TForm15>())
{
    ui_->setupUi(this);
    notread::followEntries(*this);
    connect(ui_->Save1, &QAction::triggered, this, &TForm15::Save1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TForm15::Cancel1Click);
    connect(ui_->Exu1, &QAction::triggered, this, &TForm15::Exu1Click);
}

TForm15::~TForm15() = default;

void TForm15::loadSettings(ZeroForm rewindForm, notread::Report& report)
{
    showValues(settings::readSlowData(ctx_.link, rewindForm), false, report);
}

std::array<std::pair<QCheckBox*, std::optional<bool> settings::SlowDataValues::*>, 3> TForm15::switches() const
{
    using settings::SlowDataValues;
    return {{{ui_->SlowDataInsB, &SlowDataValues::insertBefore},
             {ui_->SlowDataInsA, &SlowDataValues::insertAfter},
             {ui_->DigitalCodeSW, &SlowDataValues::digitalCodeInsert}}};
}

void TForm15::Save1Click()
{
    const auto take = [this](notread::Report& report) {
        settings::SlowDataValues values;
        for (auto [box, value] : switches())
            if (report.mayWrite(*box)) values.*value = box->isChecked();
        // The code is shown as two hexadecimal digits and read back the same
        // way, so an unchanged code is stored unchanged.
        if (report.mayWrite(*ui_->DigitalCodeValue)) {
            values.digitalCode = enc::codeByte(wire::fromText(ui_->DigitalCodeValue->text()));
            if (!values.digitalCode) ctx_.host.showMessage(tr("Invalid character in Code"));
        }
        if (report.mayWrite(*ui_->SlowDataMsg))
            values.message = enteredText(*ui_->SlowDataMsg, tr("Message"), ctx_.host);
        return settings::snapshotOf(values);
    };
    // The switches are read back at once; the code and the message after
    // the adapter has had time to store them.
    runGroupSave(ctx_, *this, settings::Group::SlowData, held_, take,
                 [this](const settings::GroupSaveOutcome& saved, notread::Report& report) {
                     showValues(*saved.readBack.slowData, true, report);
                 });
}

void TForm15::Cancel1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        loadSettings(ZeroForm::Read, report);
        report.tell(ctx_.host);
    });
}

void TForm15::Exu1Click()
{
    close();
}

void TForm15::showValues(const settings::SlowDataValues& values, bool readBack, notread::Report& report)
{
    held_ = settings::merged(held_, settings::snapshotOf(values));
    for (auto [box, value] : switches()) {
        if (values.*value) notread::show(*box, *(values.*value));
        else notread::failed(*box, readBack, report);
    }
    if (values.digitalCode)
        notread::show(*ui_->DigitalCodeValue, QString::fromStdString(display::formatHex2(*values.digitalCode)));
    else notread::failed(*ui_->DigitalCodeValue, readBack, report);
    if (values.message) notread::show(*ui_->SlowDataMsg, wire::toText(*values.message));
    else notread::failed(*ui_->SlowDataMsg, readBack, report);
}
