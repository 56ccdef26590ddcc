#pragma once
// The main window: a title, a heading and the menu that opens every dialog.
// Eeprom_set and TForm7 are the window's design names, kept with its controls' so that code and design read alike.

#include "dialogs/host.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QDialog;
namespace notread {
class Report;
}

namespace Ui {
class TForm7;
}

class TAutoDetect;
class TForm11;
class TForm12;
class TForm13;
class TForm15;
class TForm17;

class TForm7 : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window; `context` carries what start-up found.
    explicit TForm7(Context context, QWidget* parent = nullptr);
    ~TForm7() override;

    struct Dialogs {
        TAutoDetect* basicDialog = nullptr;
        TForm11* repeaterDialog = nullptr;
        TForm13* flagLegend = nullptr;
        TForm15* slowDataDialog = nullptr;    // only with the slow data feature
        TForm17* beaconDialog = nullptr;      // only with the beacon feature
        TForm12* serialPortDialog = nullptr;  // only with the serial port feature
    };
    // Hands over the windows of the adapter's features and enables the menu
    // item of each optional feature the main menu's probe found; the others
    // are disabled. An optional item whose dialog is not given stays
    // disabled, whatever its probe said.
    void setDialogs(const Dialogs& dialogs);

    Ui::TForm7& ui() { return *ui_; }

    // Menu "&File".
    void SaveToFile1Click();
    void LoadFromFile1Click();

    void BasicInfoSetting1Click();
    void BeaconClick();
    void RepeaterInfoSetting1Click();
    void SlowDataClick();
    void RS232CClick();
    void Exit1Click();
    void Version1Click();
    void PICVersion1Click();

private:
    // Loads a dialog's group and, unless the adapter was lost on the way,
    // tells what could not be read and shows the dialog modally.
    void loadAndShow(QDialog& dialog, const std::function<void(notread::Report&)>& load);

    Context ctx_;
    std::unique_ptr<Ui::TForm7> ui_;
    Dialogs dialogs_;
};

inline constexpr const char* ProgramVersionText = QT_TRANSLATE_NOOP("TForm7", "      Brisel default Setting V03.06");
