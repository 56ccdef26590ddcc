#pragma once
// The slow data dialog: the two slow data insertion switches, the digital
// code switch and its two-digit code, and the 20-character slow data message.
// Unit15 and TForm15 are the window's design names, kept with its controls' so that code and design read alike.

#include "device/vendor_link.h"
#include "dialogs/host.h"
#include "dialogs/not_read.h"
#include "settings/slow_data.h"
#include "settings/snapshot.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <utility>

class QCheckBox;

namespace Ui {
class TForm15;
}

class TForm15 : public QDialog {
    Q_OBJECT
public:
    // Sends nothing to the adapter; the main window loads the controls
    // before each showing.
    explicit TForm15(Context context, QWidget* parent = nullptr);
    ~TForm15() override;

    // Reads the group into the controls. The main window's load rewinds the
    // message with the write form of 0xEB, Cancel and Save with the read form.
    // What the adapter does not answer for is marked not read and named in
    // `report`.
    void loadSettings(ZeroForm rewindForm, notread::Report& report);

    void Save1Click();
    void Cancel1Click();
    void Exu1Click();

    Ui::TForm15& ui() { return *ui_; }

private:
    // The three switches' boxes and their values.
    std::array<std::pair<QCheckBox*, std::optional<bool> settings::SlowDataValues::*>, 3> switches() const;
    // Shows what a read brought. `readBack`: after Save, where a failed
    // read keeps what was sent.
    void showValues(const settings::SlowDataValues& values, bool readBack, notread::Report& report);

    settings::Snapshot held_;  // the group as last read from the adapter, for the record of a Save
    Context ctx_;
    std::unique_ptr<Ui::TForm15> ui_;
};
