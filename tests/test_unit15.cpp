// The slow data dialog over the emulated adapter: the request streams of the
// menu load, Save and Cancel, and what the controls show afterwards.

#include "app/eeprom_set.h"
#include "dialogs/unit15.h"
#include "tests/support/dialog_helpers.h"

#include <QCheckBox>
#include <QLineEdit>

#include <ostream>

using namespace dlg;

namespace {

const Pics ReadBack = {"R AF 3", "P 200", "R EA 1", "Z+ EB", "R EC 8", "R EC 8", "R EC 4"};

class SlowDataDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(windows.form15, nullptr);
        rig.emulator.clearLog();
    }
    void open() { windows.form7->SlowDataClick(); }
    void trigger(const char* item) { dlg::trigger(dialog, item); }
    // Before-insert, after-insert and code-insert boxes.
    void setBoxes(bool b, bool a, bool c)
    {
        before.setChecked(b);
        after.setChecked(a);
        codeInsert.setChecked(c);
    }
    void expectBoxes(bool b, bool a, bool c)
    {
        EXPECT_EQ(before.isChecked(), b);
        EXPECT_EQ(after.isChecked(), a);
        EXPECT_EQ(codeInsert.isChecked(), c);
    }

    Rig rig;
    Windows windows{rig.start()};
    TForm15& dialog = *windows.form15;
    QCheckBox& before = child<QCheckBox>(dialog, "SlowDataInsB");
    QCheckBox& after = child<QCheckBox>(dialog, "SlowDataInsA");
    QCheckBox& codeInsert = child<QCheckBox>(dialog, "DigitalCodeSW");
    QLineEdit& code = edit(dialog, "DigitalCodeValue");
    QLineEdit& message = edit(dialog, "SlowDataMsg");
};

TEST_F(SlowDataDialog, MenuLoadReadsTheGroupWithTheWriteFormRewindAndShowsTheDialog)
{
    auto& s = rig.emulator.state();
    s.status = {0x00, 0x0A, 0x00};
    s.digitalCode = 0x42;
    s.slowDataMessage = block<20>("CQ from JP1YIU");

    open();

    EXPECT_EQ(logged(rig), (Pics{"R AF 3", "R EA 1", "V EB 0000", "R EC 8", "R EC 8", "R EC 4"}));
    EXPECT_EQ(rig.host.shown, QStringList{"Slow Data (Stand alone Repeater)"});
    expectBoxes(true, false, true);
    EXPECT_EQ(code.text(), "42");
    EXPECT_EQ(message.text(), "CQ from JP1YIU");
}

struct LoadCase {
    std::array<std::uint8_t, 3> status;
    std::uint8_t code;
    bool before, after, codeInsert;
    const char* codeShown;  // two lower-case hex digits
};

void PrintTo(const LoadCase& c, std::ostream* os)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02X %02X %02X code %02X", c.status[0], c.status[1], c.status[2], c.code);
    *os << text;
}

class SlowDataLoad : public SlowDataDialog, public testing::WithParamInterface<LoadCase> {};

// Only bits 0x02, 0x04 and 0x08 of byte 1 count; every box is set both ways.
TEST_P(SlowDataLoad, BoxesFollowTheirOwnBitOfStatusByteOneAndTheCodeShowsInHex)
{
    const LoadCase c = GetParam();
    setBoxes(!c.before, !c.after, !c.codeInsert);
    code.setText("zz");
    rig.emulator.state().status = c.status;
    rig.emulator.state().digitalCode = c.code;

    open();

    expectBoxes(c.before, c.after, c.codeInsert);
    EXPECT_EQ(code.text(), c.codeShown);
}

INSTANTIATE_TEST_SUITE_P(
    StatusBlock, SlowDataLoad,
    testing::Values(LoadCase{{0x00, 0x0A, 0x00}, 0x05, true, false, true, "05"},
                    LoadCase{{0xFF, 0xFA, 0xFF}, 0xAB, true, false, true, "ab"},
                    LoadCase{{0xFF, 0xF5, 0xFF}, 0x00, false, true, false, "00"},
                    LoadCase{{0xFF, 0xF1, 0xFF}, 0x42, false, false, false, "42"},
                    LoadCase{{0x00, 0x0E, 0x00}, 0xF0, true, true, true, "f0"}));

// Bytes 0 and 2 and bit 0 of byte 1 belong to the repeater settings.
TEST_F(SlowDataDialog, SaveWritesEveryValueThenReadsTheGroupBack)
{
    struct Case {
        bool before, after, codeInsert;
        Pics switches;
        std::uint8_t statusIn, statusOut;
    };
    for (const Case& c : {Case{true, false, true, {"V E5 0001", "V E7 0000", "V E8 0001"}, 0x05, 0x0B},
                          Case{false, true, false, {"V E5 0000", "V E7 0001", "V E8 0000"}, 0x0A, 0x04}}) {
        SCOPED_TRACE(c.switches[0]);
        auto& s = rig.emulator.state();
        s.status = {0x5A, c.statusIn, 0x77};
        setBoxes(c.before, c.after, c.codeInsert);
        code.setText("12");
        message.setText("HELLO");
        rig.emulator.clearLog();

        trigger("Save1");

        EXPECT_EQ(logged(rig), concat({c.switches, {"D E9 12", "V E4 0000"}, message20(0xE6, "HELLO"), ReadBack}));
        EXPECT_EQ(s.status, (std::array<std::uint8_t, 3>{0x5A, c.statusOut, 0x77}));
        EXPECT_EQ(s.digitalCode, 0x12);
        expectBoxes(c.before, c.after, c.codeInsert);
        EXPECT_EQ(code.text(), "12");
        EXPECT_EQ(message.text(), "HELLO");
        EXPECT_TRUE(rig.host.messages.isEmpty());
    }
}

struct CodeCase {
    const char* entered;
    const char* sent;   // picture of the 0xE9 write
    std::uint8_t stored;
    const char* shown;  // after the read-back
};

void PrintTo(const CodeCase& c, std::ostream* os) { *os << '"' << c.entered << '"'; }

class SlowDataCode : public SlowDataDialog, public testing::WithParamInterface<CodeCase> {};

TEST_P(SlowDataCode, PacksTheLowNibblesOfTheFirstTwoCharacters)
{
    const CodeCase c = GetParam();
    rig.emulator.state().digitalCode = 0x99;
    code.setText(QString::fromLatin1(c.entered));

    trigger("Save1");

    const Pics sent = logged(rig);
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[3], c.sent);
    EXPECT_EQ(rig.emulator.state().digitalCode, c.stored);
    EXPECT_EQ(code.text(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Entries, SlowDataCode,
                         testing::Values(CodeCase{"12", "D E9 12", 0x12, "12"},
                                         CodeCase{"7", "D E9 70", 0x70, "70"},
                                         CodeCase{"", "D E9 00", 0x00, "00"},
                                         CodeCase{"123", "D E9 12", 0x12, "12"},
                                         CodeCase{"ab", "D E9 12", 0x12, "12"},
                                         CodeCase{"99", "D E9 99", 0x99, "99"}));

class SlowDataMessage : public SlowDataDialog, public testing::WithParamInterface<MessageCase> {};

TEST_P(SlowDataMessage, TravelsAsTwentyBytesFilledWithZeros)
{
    const MessageCase c = GetParam();
    rig.emulator.state().slowDataMessage = block<20>("previous message");
    message.setText(c.entered);

    trigger("Save1");

    const Pics sent = logged(rig);
    ASSERT_GE(sent.size(), 8u);
    EXPECT_EQ(Pics(sent.begin() + 4, sent.begin() + 8), concat({{"V E4 0000"}, message20(0xE6, c.wire)}));
    EXPECT_EQ(rig.emulator.state().slowDataMessage, block<20>(c.wire));
    EXPECT_EQ(message.text(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SlowDataMessage,
    testing::Values(MessageCase{"HELLO", "HELLO", "HELLO"},
                    MessageCase{"ABCDEFGHIJKLMNOPQRSTUVWXY", "ABCDEFGHIJKLMNOPQRST",
                                "ABCDEFGHIJKLMNOPQRST"},
                    MessageCase{"", "", ""},
                    MessageCase{QString::fromUtf8("Grüße €"), "Gr\xFC\xDF" "e ?",
                                QString::fromUtf8("Grüße ?")}));

TEST_F(SlowDataDialog, CancelReadsTheGroupAgainWithTheReadFormRewindAndWritesNothing)
{
    auto& s = rig.emulator.state();
    s.status = {0x00, 0x04, 0x00};
    s.digitalCode = 0x37;
    s.slowDataMessage = block<20>("ADAPTER TEXT");
    const emu::AdapterState kept = s;
    setBoxes(true, false, true);
    code.setText("edited");
    message.setText("edited message");

    trigger("Cancel1");

    EXPECT_EQ(logged(rig), (Pics{"R AF 3", "R EA 1", "Z+ EB", "R EC 8", "R EC 8", "R EC 4"}));
    EXPECT_EQ(s.status, kept.status);
    EXPECT_EQ(s.digitalCode, kept.digitalCode);
    EXPECT_EQ(s.slowDataMessage, kept.slowDataMessage);
    expectBoxes(false, true, false);
    EXPECT_EQ(code.text(), "37");
    EXPECT_EQ(message.text(), "ADAPTER TEXT");
}

TEST_F(SlowDataDialog, ExitClosesTheDialogWithoutTraffic)
{
    expectExitClosesSilently(rig, [&] { open(); }, "Exu1");
}

}  // namespace
