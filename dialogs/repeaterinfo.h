#pragma once
// The repeater settings dialog: the adapter's own repeater call sign, the
// alternative MY, MY 2, YOUR, RPT1 and RPT2 call signs with their replace
// switches, the alternative flag byte and the Call Check / DUP switches.
// Everything shown lives in the adapter; the dialog keeps nothing of its own.
// Repeaterinfo and TForm11 are the window's design names, kept with its controls' so that code and design read alike.

#include "dialogs/host.h"
#include "dialogs/not_read.h"
#include "settings/repeater.h"
#include "settings/snapshot.h"

#include <QDialog>

#include <cstdint>
#include <memory>

namespace Ui {
class TForm11;
}

class TForm13;

class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(Context context, QWidget* parent = nullptr);
    ~TForm11() override;

    // Reads the status block and the six call signs into the controls;
    // what the adapter does not answer for is marked not read and named in
    // `report`.
    void loadSettings(notread::Report& report);
    // The flag legend that "(detail)" opens.
    void setLegend(TForm13* legend) { legend_ = legend; }

public slots:
    void Ssve1Click();
    void Cancel1Click();
    void Exit1Click();
    void StaticText18Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Ticks all seventeen boxes from the status block. `readBack`: after
    // Save, where a failed read keeps what was sent.
    void showStatus(const settings::RepeaterValues& values, bool readBack, notread::Report& report);
    // Shows the call signs; after Save (`sent`) only those that were sent.
    void showCallSigns(const settings::RepeaterValues& values, bool readBack, const settings::RepeaterValues* sent,
                       notread::Report& report);
    // The values Save writes: every known one.
    settings::RepeaterValues valuesToSave(notread::Report& report);

    settings::Snapshot held_;  // the group as last read from the adapter, for the record of a Save
    Context ctx_;
    TForm13* legend_ = nullptr;
    std::unique_ptr<Ui::TForm11> ui_;
    bool detailPressed_ = false;
};
