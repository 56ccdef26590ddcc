// The beacon dialog over the emulated adapter: the request streams of the
// menu load, Save and Cancel, the interval checks, and what the controls
// show afterwards.

#include "app/eeprom_set.h"
#include "dialogs/unit17.h"
#include "tests/support/dialog_helpers.h"

#include <QLineEdit>

#include <ostream>

using namespace dlg;

namespace {

const QString InvalidCharacter = QStringLiteral("Invalid character in Beacon Interval Timer");
const QString InvalidValue =
    QStringLiteral("Invalid value in Beacon Interval Timer (Max. value is 2550 Sec.)");

// Everything Save sends after the interval: the message, request 0x00
// between two pauses, and the read-back.
Pics saveTail(std::string_view text)
{
    return concat({{"V E4 0000"}, message20(0xED, text),
                   {"P 200", "V 00 0000", "P 200", "R 59 1", "Z+ EE", "R EF 8", "R EF 8", "R EF 4"}});
}

class BeaconDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(windows.form17, nullptr);
        rig.emulator.clearLog();
    }
    void open() { windows.form7->BeaconClick(); }

    Rig rig;
    Windows windows{rig.start()};
    QLineEdit& timer = edit(*windows.form17, "BeaconTimer");
    QLineEdit& message = edit(*windows.form17, "BeaconMessage");
};

TEST_F(BeaconDialog, MenuLoadRewindsWithTheReadFormAndShowsTheIntervalInSeconds)
{
    rig.emulator.state().beaconMessage = block<20>("QRV JP1YIU");
    for (const auto& [tens, shown] : std::vector<std::pair<std::uint8_t, QString>>{
             {30, "300"}, {0, "0"}, {255, "2550"}}) {
        rig.emulator.clearLog();
        rig.host.shown.clear();
        rig.emulator.state().beaconInterval = tens;
        open();
        EXPECT_EQ(logged(rig), (Pics{"Z+ EE", "R EF 8", "R EF 8", "R EF 4", "R 59 1"}));
        EXPECT_EQ(rig.host.shown, QStringList{"Beacon Setting"});
        EXPECT_EQ(timer.text(), shown) << int(tens);
        EXPECT_EQ(message.text(), "QRV JP1YIU");
    }
}

struct IntervalCase {
    const char* entered;
    const char* sent;  // picture of the 0x4B write; nullptr: refused
    QString refusal;
    std::uint8_t stored;
    const char* shown;  // after the read-back
};

void PrintTo(const IntervalCase& c, std::ostream* os) { *os << '"' << c.entered << '"'; }

class BeaconInterval : public BeaconDialog, public testing::WithParamInterface<IntervalCase> {};

// An accepted interval goes out in tens of seconds; a refused one shows one
// message and is left out. The message is written and read back either way.
TEST_P(BeaconInterval, WrittenOrRefusedThenTheMessageAndTheReadBack)
{
    const IntervalCase c = GetParam();
    rig.emulator.state().beaconInterval = 42;
    rig.emulator.state().beaconMessage = block<20>("OLD");
    timer.setText(QString::fromLatin1(c.entered));
    message.setText("BEACON");

    trigger(*windows.form17, "Save1");

    EXPECT_EQ(logged(rig), concat({c.sent ? Pics{c.sent} : Pics{}, saveTail("BEACON")}));
    EXPECT_EQ(rig.host.messages, c.sent ? QStringList{} : QStringList{c.refusal});
    EXPECT_EQ(rig.emulator.state().beaconInterval, c.stored);
    EXPECT_EQ(rig.emulator.state().beaconMessage, block<20>("BEACON"));
    EXPECT_EQ(timer.text(), c.shown);
    EXPECT_EQ(message.text(), "BEACON");
}

INSTANTIATE_TEST_SUITE_P(Entries, BeaconInterval,
                         testing::Values(IntervalCase{"2550", "V 4B 00FF", {}, 255, "2550"},
                                         IntervalCase{"125", "V 4B 000C", {}, 12, "120"},
                                         IntervalCase{"5", "V 4B 0000", {}, 0, "0"},
                                         IntervalCase{"0", "V 4B 0000", {}, 0, "0"},
                                         IntervalCase{"30 x", "V 4B 0003", {}, 3, "30"},
                                         IntervalCase{"+40", "V 4B 0004", {}, 4, "40"},
                                         IntervalCase{"2551", nullptr, InvalidValue, 42, "420"},
                                         IntervalCase{"9999", nullptr, InvalidValue, 42, "420"},
                                         IntervalCase{"-15", nullptr, InvalidValue, 42, "420"},
                                         IntervalCase{"-1", nullptr, InvalidValue, 42, "420"},
                                         IntervalCase{"abc", nullptr, InvalidCharacter, 42, "420"},
                                         IntervalCase{"", nullptr, InvalidCharacter, 42, "420"},
                                         IntervalCase{" 30", nullptr, InvalidCharacter, 42, "420"},
                                         IntervalCase{"12a", nullptr, InvalidCharacter, 42, "420"},
                                         IntervalCase{"-", nullptr, InvalidCharacter, 42, "420"}));

class BeaconMessageText : public BeaconDialog, public testing::WithParamInterface<MessageCase> {};

TEST_P(BeaconMessageText, TravelsAsTwentyBytesFilledWithZeros)
{
    const MessageCase c = GetParam();
    rig.emulator.state().beaconMessage = block<20>("previous beacon text");
    timer.setText("100");
    message.setText(c.entered);

    trigger(*windows.form17, "Save1");

    EXPECT_EQ(logged(rig), concat({{"V 4B 000A"}, saveTail(c.wire)}));
    EXPECT_EQ(rig.emulator.state().beaconMessage, block<20>(c.wire));
    EXPECT_EQ(message.text(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BeaconMessageText,
    testing::Values(MessageCase{"QRV 5", "QRV 5", "QRV 5"},
                    MessageCase{"0123456789abcdefghijKLMNO", "0123456789abcdefghij",
                                "0123456789abcdefghij"},
                    MessageCase{"", "", ""},
                    MessageCase{QString::fromUtf8("Café ☺"), "Caf\xE9 ?",
                                QString::fromUtf8("Café ?")}));

TEST_F(BeaconDialog, CancelRewindsWithTheWriteFormAndWritesNothingElse)
{
    auto& s = rig.emulator.state();
    s.beaconInterval = 18;
    s.beaconMessage = block<20>("STORED");
    timer.setText("999");
    message.setText("edited");

    trigger(*windows.form17, "Cancel1");

    EXPECT_EQ(logged(rig), (Pics{"V EE 0000", "R EF 8", "R EF 8", "R EF 4", "R 59 1"}));
    EXPECT_EQ(s.beaconInterval, 18);
    EXPECT_EQ(s.beaconMessage, block<20>("STORED"));
    EXPECT_EQ(timer.text(), "180");
    EXPECT_EQ(message.text(), "STORED");
    EXPECT_TRUE(rig.host.messages.isEmpty());
}

TEST_F(BeaconDialog, ExitClosesTheDialogWithoutTraffic)
{
    expectExitClosesSilently(rig, [&] { open(); }, "Exit1");
}

}  // namespace
