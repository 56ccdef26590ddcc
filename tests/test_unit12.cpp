// The RS232C and GPS dialog over the emulated adapter, driven through its
// real widgets: which control each code and bit checks, which code each
// checked control writes, the message field, Cancel and the menu.

#include "app/eeprom_set.h"
#include "dialogs/unit12.h"
#include "tests/support/dialog_helpers.h"
#include "tests/support/named_case.h"

#include <QAbstractButton>

#include <ostream>
#include <tuple>

using namespace dlg;

namespace {

// Every control with a checked state, in the order checkedControls() lists them.
const QStringList Checkables = {
    "S19200",        "S9600", "S4800", "S1200", "Command_Mode", "SlowData_Mode", "ShortMessage_Mode", "GPS_RCV_Mode",
    "GPS_SEND_Mode", "GPRMC", "GPGGA", "GPGLL", "GPGSA",        "GPVTG",         "GPS_MsgSend"};

QAbstractButton& button(QWidget& dialog, const QString& name)
{
    return child<QAbstractButton>(dialog, name);
}
QLineEdit& messageBox(QWidget& dialog)
{
    return edit(dialog, "GPS_Message");
}

QStringList checkedControls(QWidget& dialog)
{
    QStringList out;
    for (const QString& name : Checkables)
        if (button(dialog, name).isChecked()) out << name;
    return out;
}

struct CodeCase {
    const char* name;
    std::uint8_t baud, mode, bits;  // as the adapter reports them
    QStringList checked;
    Pics writes;  // what Save then sends for the three settings
};

NAMED_CASE(CodeCase)

class SerialCodes : public ::testing::TestWithParam<CodeCase> {};

// Each baud and mode code checks its button and each GPS bit its control;
// Save sends the code of the checked button (none without one) and the bits
// of the checked controls.
TEST_P(SerialCodes, CheckTheirControlsWhichSaveWritesBack)
{
    const CodeCase& c = GetParam();
    Rig rig;
    rig.emulator.state().baudCode = c.baud;
    rig.emulator.state().serialMode = c.mode;
    rig.emulator.state().gpsBits = c.bits;
    TForm12 dialog(rig.context());
    dialog.showStartUpRead(settings::readSerialPort(rig.link));
    EXPECT_EQ(checkedControls(dialog), c.checked);

    rig.emulator.clearLog();
    trigger(dialog, "Save1");
    EXPECT_EQ(sent(rig, {0xB0, 0xB2, 0xB4}), c.writes);
}

const CodeCase Codes[] = {
    {"S1200CommandGprmc", 12, 0, 0x01, {"S1200", "Command_Mode", "GPRMC"}, {"V B0 000C", "V B2 0000", "V B4 0001"}},
    {"S4800SlowDataGpgga", 48, 1, 0x02, {"S4800", "SlowData_Mode", "GPGGA"}, {"V B0 0030", "V B2 0001", "V B4 0002"}},
    {"S9600ShortMessageGpgll",
     96,
     2,
     0x04,
     {"S9600", "ShortMessage_Mode", "GPGLL"},
     {"V B0 0060", "V B2 0002", "V B4 0004"}},
    {"S19200GpsRcvGpgsa", 192, 5, 0x08, {"S19200", "GPS_RCV_Mode", "GPGSA"}, {"V B0 00C0", "V B2 0005", "V B4 0008"}},
    {"GpsSendGpvtg", 96, 6, 0x10, {"S9600", "GPS_SEND_Mode", "GPVTG"}, {"V B0 0060", "V B2 0006", "V B4 0010"}},
    {"NoBaudMode3MessageSend", 0, 3, 0x80, {"GPS_MsgSend"}, {"V B4 0080"}},
    {"NoBaudMode4UnusedBits", 0xFF, 4, 0x60, {}, {"V B4 0000"}},
};

INSTANTIATE_TEST_SUITE_P(OneAtATime, SerialCodes, ::testing::ValuesIn(Codes),
                         [](const auto& info) { return std::string(info.param.name); });

// A code without a button leaves its group as it was; every GPS control is
// set from its bit, Message Send included.
TEST(SerialDialog, CancelReadsTheGroupAgainKeepingChoicesWithoutAButton)
{
    Rig rig;
    emu::AdapterState& s = rig.emulator.state();
    std::tie(s.baudCode, s.serialMode, s.gpsBits) = std::tuple(48, 1, 0x9F);
    TForm12 dialog(rig.context());
    dialog.showStartUpRead(settings::readSerialPort(rig.link));
    std::tie(s.baudCode, s.serialMode, s.gpsBits) = std::tuple(0, 3, 0x10);
    s.gpsMessage = block<29>("N35.40.00 E139.45.00", ' ');

    trigger(dialog, "Cancel1");

    EXPECT_EQ(checkedControls(dialog), QStringList({"S4800", "SlowData_Mode", "GPVTG"}));
    EXPECT_EQ(messageBox(dialog).text(), "N35.40.00 E139.45.00" + QString(9, ' '));
}

// Message Send stands alone in its group, yet a click turns it off again.
TEST(SerialDialog, MessageSendCanBeClickedOffAgain)
{
    Rig rig;
    rig.emulator.state().gpsBits = 0x80;
    TForm12 dialog(rig.context());
    dialog.showStartUpRead(settings::readSerialPort(rig.link));
    QAbstractButton& send = button(dialog, "GPS_MsgSend");
    send.click();
    EXPECT_FALSE(send.isChecked());
    send.click();
    EXPECT_TRUE(send.isChecked());
}

// The menu item only shows the dialog: nothing travels, and edits left
// unsaved by Exit are still there at the next opening.
TEST(SerialDialog, MenuOnlyShowsItAndUnsavedEditsSurviveAReopen)
{
    Rig rig;
    Windows w = rig.start();
    ASSERT_NE(w.serialPortDialog, nullptr);
    button(*w.serialPortDialog, "S1200").click();
    messageBox(*w.serialPortDialog).setText("unsaved");
    expectExitClosesSilently(
        rig, [&] { w.mainWindow->RS232CClick(); }, "Exit1");

    QStringList seen;
    rig.host.whileShown = [&](QDialog& d) { seen = checkedControls(d) << messageBox(d).text(); };
    w.mainWindow->RS232CClick();
    EXPECT_TRUE(rig.emulator.log().empty());
    EXPECT_EQ(rig.host.shown, QStringList(2, w.serialPortDialog->windowTitle()));
    EXPECT_EQ(seen, QStringList({"S1200", "Command_Mode", "GPRMC", "GPGGA", "unsaved"}));
}

}  // namespace
