// The beacon dialog over the emulated adapter: the interval as shown and as
// written or refused, the message field, Cancel and Exit.

#include "app/eeprom_set.h"
#include "dialogs/unit17.h"
#include "tests/support/dialog_helpers.h"

#include <ostream>

using namespace dlg;

namespace {

const char* const InvalidCharacter = "Invalid character in Beacon Interval Timer";
const char* const InvalidValue = "Invalid value in Beacon Interval Timer (Max. value is 2550 Sec.)";

class BeaconDialog : public testing::Test {
protected:
    void open() { windows.mainWindow->BeaconClick(); }
    void save()
    {
        rig.emulator.clearLog();
        trigger(*windows.beaconDialog, "Save1");
    }

    Rig rig;
    Windows windows{rig.start()};
    QLineEdit& timer = edit(*windows.beaconDialog, "BeaconTimer");
    QLineEdit& message = edit(*windows.beaconDialog, "BeaconMessage");
};

// The interval shows in seconds: the adapter's tens times ten.
TEST_F(BeaconDialog, MenuLoadAndCancelShowTheAdapterValues)
{
    rig.emulator.state().beaconInterval = 255;
    open();
    EXPECT_EQ(rig.host.shown, QStringList{windows.beaconDialog->windowTitle()});
    EXPECT_EQ(timer.text(), "2550");

    rig.emulator.state().beaconInterval = 0;
    rig.emulator.state().beaconMessage = block<20>("STORED");
    timer.setText("999");
    message.setText("edited");
    trigger(*windows.beaconDialog, "Cancel1");
    EXPECT_EQ(timer.text(), "0");
    EXPECT_EQ(message.text(), "STORED");
}

struct IntervalCase {
    const char* typed;
    bool unlimited;       // the box's 4-character limit lifted first
    int sent;             // wValue of the 0x4B write; -1: none
    const char* refusal;  // nullptr: no message
};

void PrintTo(const IntervalCase& c, std::ostream* os)
{
    *os << '"' << c.typed << (c.unlimited ? "\" unlimited" : "\"");
}

class BeaconInterval : public BeaconDialog, public testing::WithParamInterface<IntervalCase> {};

// The interval alone: its write in tens of seconds, or its one message.
TEST_P(BeaconInterval, IsWrittenInTensOfSecondsOrRefused)
{
    const IntervalCase c = GetParam();
    if (c.unlimited) timer.setMaxLength(32767);
    timer.clear();
    type(timer, c.typed);

    save();

    EXPECT_EQ(sent(rig, {0x4B}), c.sent < 0 ? Pics{} : Pics{valueWrite(0x4B, c.sent)});
    EXPECT_EQ(rig.host.messages, c.refusal ? QStringList{c.refusal} : QStringList{});
}

// Only the first four characters count: typing stops there, and a longer
// text is cut by Save itself.
INSTANTIATE_TEST_SUITE_P(
    Entries, BeaconInterval,
    testing::Values(IntervalCase{"2550", false, 0xFF, nullptr}, IntervalCase{"2551", false, -1, InvalidValue},
                    IntervalCase{"25509", false, 0xFF, nullptr}, IntervalCase{"25509", true, 0xFF, nullptr},
                    IntervalCase{"125", false, 12, nullptr}, IntervalCase{"-1", false, -1, InvalidValue},
                    IntervalCase{"abc", false, -1, InvalidCharacter}));

// A refused interval still lets the message through, one Latin-1 byte per
// character (a character outside the basic plane is one '?'); the read-back
// then shows the adapter's interval again.
TEST_F(BeaconDialog, MessageTravelsInTwentyZeroFilledBytesPastARefusedInterval)
{
    rig.emulator.state().beaconInterval = 42;
    timer.setText("abc");
    message.setText(
        QString::fromUtf8("QRV \xC3\xA9\xF0\x9F\x93\xBB"
                          "5"));
    save();
    EXPECT_EQ(dataSent(rig, 0xED), padded("QRV \xE9?5", 20, '\0'));
    EXPECT_EQ(message.text(), QString::fromUtf8("QRV \xC3\xA9?5"));
    EXPECT_EQ(timer.text(), "420");
}

}  // namespace
