#include "app/eeprom_set.h"
#include "app/settings_file_actions.h"

#include "ui_eeprom_set.h"

#include "device/firmware_version.h"
#include "device/vendor_link.h"
#include "dialogs/adapter_action.h"
#include "dialogs/basicinfo.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/not_read.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "dialogs/wire_text.h"
#include "settings/start_up.h"

TForm7::TForm7(Context context, QWidget* parent)
    : QMainWindow(parent), ctx_(std::move(context)), ui_(std::make_unique<Ui::TForm7>())
{
    ui_->setupUi(this);
    connect(ui_->SaveToFile1, &QAction::triggered, this, &TForm7::SaveToFile1Click);
    connect(ui_->LoadFromFile1, &QAction::triggered, this, &TForm7::LoadFromFile1Click);
    // The backups are looked at anew each time the menu opens.
    connect(ui_->AutomaticBackups1, &QMenu::aboutToShow, this,
            [this] { fillAutomaticBackupsMenu(*ui_->AutomaticBackups1, ctx_, dialogs_); });
    connect(ui_->BasicInfoSetting1, &QAction::triggered, this, &TForm7::BasicInfoSetting1Click);
    connect(ui_->Beacon, &QAction::triggered, this, &TForm7::BeaconClick);
    connect(ui_->RepeaterInfoSetting1, &QAction::triggered, this, &TForm7::RepeaterInfoSetting1Click);
    connect(ui_->SlowData, &QAction::triggered, this, &TForm7::SlowDataClick);
    connect(ui_->RS232C, &QAction::triggered, this, &TForm7::RS232CClick);
    connect(ui_->Exit1, &QAction::triggered, this, &TForm7::Exit1Click);
    connect(ui_->Version1, &QAction::triggered, this, &TForm7::Version1Click);
    connect(ui_->PICVersion1, &QAction::triggered, this, &TForm7::PICVersion1Click);
}

TForm7::~TForm7() = default;

void TForm7::setDialogs(const Dialogs& dialogs)
{
    dialogs_ = dialogs;
    const settings::MenuProbes probes = ctx_.startUp != nullptr ? ctx_.startUp->menu : settings::MenuProbes{};
    ui_->RS232C->setEnabled(probes.serialPort && dialogs_.serialPortDialog != nullptr);
    ui_->SlowData->setEnabled(probes.slowData && dialogs_.slowDataDialog != nullptr);
    ui_->Beacon->setEnabled(probes.beacon && dialogs_.beaconDialog != nullptr);
}

void TForm7::SaveToFile1Click()
{
    saveSettingsToFile(ctx_, dialogs_);
}

void TForm7::LoadFromFile1Click()
{
    loadSettingsFromFile(ctx_, dialogs_);
}

void TForm7::BasicInfoSetting1Click()
{
    if (dialogs_.basicDialog == nullptr) return;
    loadAndShow(*dialogs_.basicDialog, [this](notread::Report& report) {
        // The serial port item is enabled on this probe only when its dialog
        // exists: an item must never open a window that was not created.
        const settings::BasicOpening opening = settings::openBasic(ctx_.link);
        if (opening.serialPortAnswered && dialogs_.serialPortDialog != nullptr) ui_->RS232C->setEnabled(true);
        dialogs_.basicDialog->showSettings(opening.read, TAutoDetect::LoadForm::Opening, report);
    });
}

void TForm7::BeaconClick()
{
    if (dialogs_.beaconDialog == nullptr) return;
    loadAndShow(*dialogs_.beaconDialog,
                [this](notread::Report& report) { dialogs_.beaconDialog->loadSettings(ZeroForm::Read, report); });
}

void TForm7::RepeaterInfoSetting1Click()
{
    if (dialogs_.repeaterDialog == nullptr) return;
    loadAndShow(*dialogs_.repeaterDialog,
                [this](notread::Report& report) { dialogs_.repeaterDialog->loadSettings(report); });
}

void TForm7::SlowDataClick()
{
    if (dialogs_.slowDataDialog == nullptr) return;
    loadAndShow(*dialogs_.slowDataDialog,
                [this](notread::Report& report) { dialogs_.slowDataDialog->loadSettings(ZeroForm::Write, report); });
}

void TForm7::loadAndShow(QDialog& dialog, const std::function<void(notread::Report&)>& load)
{
    notread::Report report;
    const bool loaded = runAdapterAction(ctx_, &dialog, [&] {
        BusyCursor busy;
        load(report);
    });
    // Lost on the way: the message has been shown and the dialog stays shut.
    if (!loaded) return;
    report.tell(ctx_.host);
    ctx_.host.showModal(dialog);
}

void TForm7::RS232CClick()
{
    if (dialogs_.serialPortDialog == nullptr) return;
    ctx_.host.showModal(*dialogs_.serialPortDialog);
}

void TForm7::Exit1Click()
{
    close();
}

void TForm7::Version1Click()
{
    ctx_.host.showMessage(tr(ProgramVersionText));
}

void TForm7::PICVersion1Click()
{
    std::string version;
    const bool read = runAdapterAction(ctx_, nullptr, [&] {
        BusyCursor busy;
        version = firmware::readVersion(ctx_.link);
    });
    if (read) ctx_.host.showMessage(wire::toText(version));
}
