// The RS232C and GPS dialog over the emulated adapter, driven through its
// real widgets: request streams, what the controls show, and failures.

#include "app/eeprom_set.h"
#include "device/commands.h"
#include "dialogs/unit12.h"
#include "tests/support/dialog_helpers.h"

#include <QAbstractButton>
#include <QRadioButton>

using namespace dlg;

namespace {

// Every control with a checked state, in the order checkedControls() lists them.
const QStringList Checkables = {"S19200", "S9600", "S4800", "S1200",
                                "Command_Mode", "SlowData_Mode", "ShortMessage_Mode",
                                "GPS_RCV_Mode", "GPS_SEND_Mode",
                                "GPRMC", "GPGGA", "GPGLL", "GPGSA", "GPVTG", "GPS_MsgSend"};

QAbstractButton& button(QWidget& dialog, const QString& name) { return child<QAbstractButton>(dialog, name); }
QLineEdit& messageBox(QWidget& dialog) { return edit(dialog, "GPS_Message"); }

QStringList checkedControls(QWidget& dialog)
{
    QStringList out;
    for (const QString& name : Checkables)
        if (button(dialog, name).isChecked()) out << name;
    return out;
}

// Sets exactly the named GPS controls checked, the others unchecked.
void setGpsControls(QWidget& dialog, const QStringList& on)
{
    for (const char* name : {"GPRMC", "GPGGA", "GPGLL", "GPGSA", "GPVTG", "GPS_MsgSend"})
        button(dialog, name).setChecked(on.contains(name));
}

void setAdapterMessage(emu::AdapterState& s, std::string_view text) { s.gpsMessage = block<29>(text, ' '); }

// The four 0xB6 data writes that carry a 29-byte block.
Pics messagePieces(std::string_view block) { return pieces(0xB6, block, {8, 8, 8, 5}); }

const Pics Load = {"R B1 1", "R B3 1", "R B5 1", "V B8 0000",
                   "R B7 8", "R B7 8", "R B7 8", "R B7 5"};
const Pics MessageReadBack = {"P 200", "Z+ B8", "R B7 8", "R B7 8", "R B7 8", "R B7 5"};
const std::string FactoryMessage = padded("DV Brisel", 29, ' ');

}  // namespace

TEST(SerialDialog, StartUpEndsWithItsLoad)
{
    Rig rig;
    setAdapterMessage(rig.emulator.state(), "DV Brisel");
    Windows w = rig.start();
    ASSERT_NE(w.form12, nullptr);

    const Pics all = logged(rig);
    const Pics tail = concat({{"R AF 3", "R 59 1", "R B3 1"}, Load});
    ASSERT_GE(all.size(), tail.size());
    EXPECT_EQ(Pics(all.end() - static_cast<std::ptrdiff_t>(tail.size()), all.end()), tail);

    EXPECT_EQ(checkedControls(*w.form12), QStringList({"S9600", "Command_Mode", "GPRMC", "GPGGA"}));
    EXPECT_EQ(messageBox(*w.form12).text(), "DV Brisel" + QString(20, ' '));
    EXPECT_FALSE(w.form12->isVisible());
    EXPECT_TRUE(w.form7->findChild<QAction*>("RS232C")->isEnabled());
}

struct LoadCase {
    const char* name;
    std::uint8_t baud, mode, bits;
    QStringList checked;
};

class SerialLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SerialLoad, ConstructionChecksTheMatchingControls)
{
    const LoadCase& c = GetParam();
    Rig rig;
    rig.emulator.state().baudCode = c.baud;
    rig.emulator.state().serialMode = c.mode;
    rig.emulator.state().gpsBits = c.bits;
    TForm12 dialog(rig.context());
    EXPECT_EQ(logged(rig), Load);
    EXPECT_EQ(checkedControls(dialog), c.checked);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SerialLoad,
    ::testing::Values(
        LoadCase{"Baud1200Command", 12, 0, 0x02, {"S1200", "Command_Mode", "GPGGA"}},
        LoadCase{"Baud4800SlowData", 48, 1, 0x04, {"S4800", "SlowData_Mode", "GPGLL"}},
        LoadCase{"Baud9600ShortMessage", 96, 2, 0x08, {"S9600", "ShortMessage_Mode", "GPGSA"}},
        LoadCase{"Baud19200GpsRcv", 192, 5, 0x10, {"S19200", "GPS_RCV_Mode", "GPVTG"}},
        LoadCase{"GpsSendNoSentences", 96, 6, 0x00, {"S9600", "GPS_SEND_Mode"}},
        LoadCase{"Baud0Mode3Bits81", 0, 3, 0x81, {"GPRMC", "GPS_MsgSend"}},
        LoadCase{"BaudFFMode4UnusedBits", 0xFF, 4, 0x7E, {"GPGGA", "GPGLL", "GPGSA", "GPVTG"}},
        LoadCase{"Mode7AllBits", 12, 7, 0xFF,
                 {"S1200", "GPRMC", "GPGGA", "GPGLL", "GPGSA", "GPVTG", "GPS_MsgSend"}}),
    [](const auto& info) { return std::string(info.param.name); });

class SerialCancel : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SerialCancel, ReadsTheGroupAgainKeepingChoicesWithoutAButton)
{
    const LoadCase& c = GetParam();
    Rig rig;
    rig.emulator.state().baudCode = 48;
    rig.emulator.state().serialMode = 1;
    rig.emulator.state().gpsBits = 0x1F;
    TForm12 dialog(rig.context());

    rig.emulator.state().baudCode = c.baud;
    rig.emulator.state().serialMode = c.mode;
    rig.emulator.state().gpsBits = c.bits;
    setAdapterMessage(rig.emulator.state(), "N35.40.00 E139.45.00");
    rig.emulator.clearLog();
    trigger(dialog, "Cancel1");

    EXPECT_EQ(logged(rig), Load);
    EXPECT_EQ(checkedControls(dialog), c.checked);
    EXPECT_EQ(messageBox(dialog).text(), "N35.40.00 E139.45.00" + QString(9, ' '));
}

// Before the Cancel: S4800, SlowData_Mode and all five sentences.
INSTANTIATE_TEST_SUITE_P(
    Codes, SerialCancel,
    ::testing::Values(
        LoadCase{"AllChange", 192, 6, 0x80, {"S19200", "GPS_SEND_Mode", "GPS_MsgSend"}},
        LoadCase{"Mode3KeepsMode", 12, 3, 0x00, {"S1200", "SlowData_Mode"}},
        LoadCase{"Mode4AndBaudFFKeep", 0xFF, 4, 0x81, {"S4800", "SlowData_Mode", "GPRMC", "GPS_MsgSend"}},
        LoadCase{"Baud0KeepsBaud", 0, 0, 0x10, {"S4800", "Command_Mode", "GPVTG"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SaveCase {
    const char* name;
    QStringList clicked;  // radio buttons the user clicks
    QStringList gpsOn;    // GPS controls left checked
    Pics settings;        // writes and read-backs before the message
    QString typed;        // into the message box
    std::string sent;     // the 29 message bytes on the wire, shown again after the read-back
};

class SerialSave : public ::testing::TestWithParam<SaveCase> {};

// Each setting is written and read back in turn, then the message travels
// as 29 space-padded Latin-1 bytes and is read back.
TEST_P(SerialSave, SendsTheCodesOfTheCheckedControlsAndTheMessage)
{
    const SaveCase& c = GetParam();
    Rig rig;
    TForm12 dialog(rig.context());
    for (const QString& name : c.clicked) button(dialog, name).click();
    setGpsControls(dialog, c.gpsOn);
    messageBox(dialog).setText(c.typed);
    rig.emulator.clearLog();
    trigger(dialog, "Save1");
    EXPECT_EQ(logged(rig), concat({c.settings, {"V E4 0000"}, messagePieces(c.sent), MessageReadBack}));
    EXPECT_EQ(checkedControls(dialog), c.clicked + c.gpsOn);
    EXPECT_EQ(messageBox(dialog).text(), QString::fromLatin1(c.sent.data(), 29));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SerialSave,
    ::testing::Values(
        SaveCase{"S19200CommandShortText", {"S19200", "Command_Mode"}, {},
                 {"V B0 00C0", "R B1 1", "V B2 0000", "R B3 1", "V B4 0000", "R B5 1"},
                 "ABC", padded("ABC", 29, ' ')},
        SaveCase{"S9600SlowDataAllEmptyText", {"S9600", "SlowData_Mode"},
                 {"GPRMC", "GPGGA", "GPGLL", "GPGSA", "GPVTG", "GPS_MsgSend"},
                 {"V B0 0060", "R B1 1", "V B2 0001", "R B3 1", "V B4 009F", "R B5 1"},
                 "", std::string(29, ' ')},
        SaveCase{"S4800ShortMessageCutAt29", {"S4800", "ShortMessage_Mode"}, {"GPGLL", "GPS_MsgSend"},
                 {"V B0 0030", "R B1 1", "V B2 0002", "R B3 1", "V B4 0084", "R B5 1"},
                 "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789ABCDEFGHIJKLMNOPQRS"},
        SaveCase{"S4800GpsSendLatin1", {"S4800", "GPS_SEND_Mode"}, {"GPGGA"},
                 {"V B0 0030", "R B1 1", "V B2 0006", "R B3 1", "V B4 0002", "R B5 1"},
                 QString::fromUtf8("Grüße €"), padded("Gr\xFC\xDF" "e ?", 29, ' ')},
        SaveCase{"S1200GpsRcv", {"S1200", "GPS_RCV_Mode"}, {"GPGSA", "GPVTG"},
                 {"V B0 000C", "R B1 1", "V B2 0005", "R B3 1", "V B4 0018", "R B5 1"},
                 "DV Brisel", FactoryMessage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SerialDialog, MessageShowsUpToTheFirstNul)
{
    Rig rig;
    setAdapterMessage(rig.emulator.state(), std::string_view("AB\0CD", 5));
    TForm12 dialog(rig.context());
    EXPECT_EQ(messageBox(dialog).text(), "AB");
}

TEST(SerialDialog, FailedBaudReadAtConstructionKeepsDesignState)
{
    Rig rig;
    rig.emulator.injectFault({emu::FaultKind::Stall, cmd::ReadBaudRate, 1});
    Windows w = rig.start();
    ASSERT_NE(w.form12, nullptr);
    const Pics all = logged(rig);
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(Pics(all.end() - 2, all.end()), Pics({"R B3 1", "R B1 1"}));
    EXPECT_TRUE(checkedControls(*w.form12).isEmpty());
    EXPECT_EQ(messageBox(*w.form12).text(), "GPS_Message");
    EXPECT_FALSE(w.form12->isVisible());
}

TEST(SerialDialog, FailedBaudWriteEndsTheSave)
{
    Rig rig;
    TForm12 dialog(rig.context());
    button(dialog, "S19200").click();
    button(dialog, "ShortMessage_Mode").click();
    messageBox(dialog).setText("edited");
    rig.emulator.injectFault({emu::FaultKind::Stall, cmd::WriteBaudRate, 1});
    rig.emulator.clearLog();

    trigger(dialog, "Save1");

    EXPECT_EQ(logged(rig), Pics({"V B0 00C0"}));
    EXPECT_EQ(checkedControls(dialog),
              QStringList({"S19200", "ShortMessage_Mode", "GPRMC", "GPGGA"}));
    EXPECT_EQ(messageBox(dialog).text(), "edited");
    EXPECT_EQ(rig.emulator.state().serialMode, 0);
}

struct UncheckedCase {
    const char* name;
    std::uint8_t baud, mode;
    Pics settings;  // the requests before the GPS bits
};

class SerialSaveWithoutChoice : public ::testing::TestWithParam<UncheckedCase> {};

TEST_P(SerialSaveWithoutChoice, LeavesThatSettingOut)
{
    const UncheckedCase& c = GetParam();
    Rig rig;
    rig.emulator.state().baudCode = c.baud;
    rig.emulator.state().serialMode = c.mode;
    rig.emulator.state().gpsBits = 0x01;
    TForm12 dialog(rig.context());
    rig.emulator.clearLog();

    trigger(dialog, "Save1");

    const Pics expected = concat({c.settings, {"V B4 0001", "R B5 1", "V E4 0000"},
                                  messagePieces(FactoryMessage),
                                  MessageReadBack});
    EXPECT_EQ(logged(rig), expected);
    EXPECT_EQ(rig.emulator.state().baudCode, c.baud);
    EXPECT_EQ(rig.emulator.state().serialMode, c.mode);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, SerialSaveWithoutChoice,
    ::testing::Values(UncheckedCase{"NoBaud", 0xFF, 2, {"V B2 0002", "R B3 1"}},
                      UncheckedCase{"NoMode", 12, 4, {"V B0 000C", "R B1 1"}},
                      UncheckedCase{"Neither", 0, 3, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SerialDialog, MessageSendCanBeClickedOffAgain)
{
    Rig rig;
    rig.emulator.state().gpsBits = gps::MessageSend;
    TForm12 dialog(rig.context());
    auto* send = dialog.findChild<QRadioButton*>("GPS_MsgSend");
    ASSERT_NE(send, nullptr);
    ASSERT_TRUE(send->isChecked());
    send->click();
    EXPECT_FALSE(send->isChecked());
    send->click();
    EXPECT_TRUE(send->isChecked());
    send->click();
    rig.emulator.clearLog();
    trigger(dialog, "Save1");
    EXPECT_EQ(logged(rig).at(4), "V B4 0000");
    EXPECT_FALSE(send->isChecked());
}

TEST(SerialDialog, MenuOnlyShowsItAndUnsavedEditsSurviveAReopen)
{
    Rig rig;
    Windows w = rig.start();
    ASSERT_NE(w.form12, nullptr);
    rig.emulator.clearLog();

    rig.host.whileShown = [](QDialog& d) {
        button(d, "S1200").click();
        button(d, "GPS_RCV_Mode").click();
        button(d, "GPRMC").click();
        messageBox(d).setText("unsaved");
        trigger(d, "Exit1");
        EXPECT_FALSE(d.isVisible());
    };
    w.form7->RS232CClick();

    QStringList seenChecked;
    QString seenText;
    rig.host.whileShown = [&](QDialog& d) {
        seenChecked = checkedControls(d);
        seenText = messageBox(d).text();
    };
    w.form7->RS232CClick();

    EXPECT_TRUE(rig.emulator.log().empty());
    EXPECT_EQ(rig.host.shown, QStringList({"RS232C Information Setting", "RS232C Information Setting"}));
    EXPECT_EQ(seenChecked, QStringList({"S1200", "GPS_RCV_Mode", "GPGGA"}));
    EXPECT_EQ(seenText, "unsaved");
}
