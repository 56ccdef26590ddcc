#pragma once
// The beacon dialog: the 20-character beacon message and the interval at
// which the adapter sends it, entered in seconds and stored in tens of them.
// Unit17 and TForm17 are the window's design names, kept with its controls' so that code and design read alike.

#include "dialogs/host.h"
#include "dialogs/not_read.h"
#include "settings/beacon.h"
#include "settings/snapshot.h"

#include <QDialog>
#include <memory>

namespace Ui {
class TForm17;
}

class TForm17 : public QDialog {
    Q_OBJECT
public:
    // Sends nothing to the adapter; the main window loads the controls
    // before each showing.
    explicit TForm17(Context context, QWidget* parent = nullptr);
    ~TForm17() override;

    // Reads the message and the interval into the controls. The main
    // window's load rewinds the message with the read form of 0xEE, Cancel
    // with the write form.
    // What the adapter does not answer for is marked not read and named in
    // `report`.
    void loadSettings(ZeroForm rewindForm, notread::Report& report);

    void Save1Click();
    void Cancel1Click();
    void Exit1Click();

    Ui::TForm17& ui() { return *ui_; }

private:
    // Shows what a read brought. `readBack`: after Save, where a failed
    // read keeps what was sent.
    void showValues(const settings::BeaconValues& values, bool readBack, notread::Report& report);

    settings::Snapshot held_;  // the group as last read from the adapter, for the record of a Save
    Context ctx_;
    std::unique_ptr<Ui::TForm17> ui_;
};
