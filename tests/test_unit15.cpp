// The slow data dialog over the emulated adapter: the request streams of the
// menu load, Save and Cancel, and what the controls show afterwards.

#include "app/eeprom_set.h"
#include "dialogs/unit15.h"
#include "tests/support/fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

#include <cstdio>
#include <ostream>
#include <string_view>

using emu::Feature;
using Strings = std::vector<std::string>;

namespace {

const QString Title = QStringLiteral("Slow Data (Stand alone Repeater)");

// "D E6 .." pictures of the three pieces of a 20-byte message block.
Strings messagePieces(std::string_view text)
{
    std::array<std::uint8_t, 20> block{};
    for (std::size_t i = 0; i < text.size() && i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(text[i]);
    Strings pieces;
    std::size_t offset = 0;
    for (std::size_t size : {8u, 8u, 4u}) {
        std::string s = "D E6";
        char hex[8];
        for (std::size_t i = 0; i < size; ++i) {
            std::snprintf(hex, sizeof hex, " %02X", block[offset + i]);
            s += hex;
        }
        pieces.push_back(s);
        offset += size;
    }
    return pieces;
}

std::array<std::uint8_t, 20> messageState(std::string_view text)
{
    std::array<std::uint8_t, 20> block{};
    for (std::size_t i = 0; i < text.size() && i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(text[i]);
    return block;
}

class SlowDataDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(windows.form15, nullptr);
        dialog = windows.form15;
        before = dialog->findChild<QCheckBox*>("SlowDataInsB");
        after = dialog->findChild<QCheckBox*>("SlowDataInsA");
        codeInsert = dialog->findChild<QCheckBox*>("DigitalCodeSW");
        code = dialog->findChild<QLineEdit*>("DigitalCodeValue");
        message = dialog->findChild<QLineEdit*>("SlowDataMsg");
        ASSERT_TRUE(before && after && codeInsert && code && message);
        rig.emulator.clearLog();
    }

    void trigger(const char* action)
    {
        auto* item = dialog->findChild<QAction*>(action);
        ASSERT_NE(item, nullptr) << action;
        item->trigger();
    }

    Strings log() const { return pictures(rig.emulator.log()); }

    Rig rig;
    Windows windows{rig.start()};
    TForm15* dialog = nullptr;
    QCheckBox *before = nullptr, *after = nullptr, *codeInsert = nullptr;
    QLineEdit *code = nullptr, *message = nullptr;
};

TEST_F(SlowDataDialog, MenuLoadReadsTheGroupWithTheWriteFormRewindAndShowsTheDialog)
{
    auto& s = rig.emulator.state();
    s.status = {0x00, 0x0A, 0x00};
    s.digitalCode = 0x42;
    s.slowDataMessage = messageState("CQ from JP1YIU");

    windows.form7->SlowDataClick();

    EXPECT_EQ(log(), (Strings{"R AF 3", "R EA 1", "V EB 0000", "R EC 8", "R EC 8", "R EC 4"}));
    EXPECT_EQ(rig.host.shown, QStringList{Title});
    EXPECT_TRUE(before->isChecked());
    EXPECT_FALSE(after->isChecked());
    EXPECT_TRUE(codeInsert->isChecked());
    EXPECT_EQ(code->text(), "42");
    EXPECT_EQ(message->text(), "CQ from JP1YIU");
}

struct StatusCase {
    std::array<std::uint8_t, 3> status;
    bool before, after, codeInsert;
};

void PrintTo(const StatusCase& c, std::ostream* os)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X", c.status[0], c.status[1], c.status[2]);
    *os << text;
}

class SlowDataSwitches : public SlowDataDialog, public testing::WithParamInterface<StatusCase> {};

// Only bits 0x02, 0x04 and 0x08 of byte 1 count; every box is set both ways.
TEST_P(SlowDataSwitches, FollowTheirOwnBitOfStatusByteOne)
{
    const StatusCase c = GetParam();
    before->setChecked(!c.before);
    after->setChecked(!c.after);
    codeInsert->setChecked(!c.codeInsert);
    rig.emulator.state().status = c.status;

    windows.form7->SlowDataClick();

    EXPECT_EQ(before->isChecked(), c.before);
    EXPECT_EQ(after->isChecked(), c.after);
    EXPECT_EQ(codeInsert->isChecked(), c.codeInsert);
}

INSTANTIATE_TEST_SUITE_P(
    StatusBlock, SlowDataSwitches,
    testing::Values(StatusCase{{0x00, 0x0A, 0x00}, true, false, true},
                    StatusCase{{0xFF, 0xFA, 0xFF}, true, false, true},
                    StatusCase{{0xFF, 0xF5, 0xFF}, false, true, false},
                    StatusCase{{0xFF, 0xF1, 0xFF}, false, false, false},
                    StatusCase{{0x00, 0x0E, 0x00}, true, true, true}));

TEST_F(SlowDataDialog, CodeByteIsShownAsTwoLowerCaseHexDigits)
{
    for (const auto& [byte, shown] :
         std::vector<std::pair<std::uint8_t, QString>>{{0x05, "05"}, {0xAB, "ab"}, {0x00, "00"}}) {
        rig.emulator.state().digitalCode = byte;
        windows.form7->SlowDataClick();
        EXPECT_EQ(code->text(), shown) << int(byte);
    }
}

TEST_F(SlowDataDialog, SaveWritesEveryValueThenReadsTheGroupBack)
{
    auto& s = rig.emulator.state();
    s.status = {0x5A, 0x05, 0x77};
    before->setChecked(true);
    after->setChecked(false);
    codeInsert->setChecked(true);
    code->setText("12");
    message->setText("HELLO");

    trigger("Save1");

    Strings expected = {"V E5 0001", "V E7 0000", "V E8 0001", "D E9 12", "V E4 0000"};
    for (const auto& piece : messagePieces("HELLO")) expected.push_back(piece);
    for (const char* r : {"R AF 3", "P 200", "R EA 1", "Z+ EB", "R EC 8", "R EC 8", "R EC 4"})
        expected.push_back(r);
    EXPECT_EQ(log(), expected);

    // Bytes 0 and 2 and bit 0 of byte 1 belong to the repeater settings.
    EXPECT_EQ(s.status, (std::array<std::uint8_t, 3>{0x5A, 0x0B, 0x77}));
    EXPECT_EQ(s.digitalCode, 0x12);
    EXPECT_TRUE(before->isChecked());
    EXPECT_FALSE(after->isChecked());
    EXPECT_TRUE(codeInsert->isChecked());
    EXPECT_EQ(code->text(), "12");
    EXPECT_EQ(message->text(), "HELLO");
    EXPECT_TRUE(rig.host.messages.isEmpty());
}

TEST_F(SlowDataDialog, SaveSendsTheOppositeSwitchesAsWell)
{
    rig.emulator.state().status = {0x00, 0x0A, 0x00};
    before->setChecked(false);
    after->setChecked(true);
    codeInsert->setChecked(false);

    trigger("Save1");

    const Strings sent = log();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(Strings(sent.begin(), sent.begin() + 3),
              (Strings{"V E5 0000", "V E7 0001", "V E8 0000"}));
    EXPECT_EQ(rig.emulator.state().status[1], 0x04);
    EXPECT_FALSE(before->isChecked());
    EXPECT_TRUE(after->isChecked());
    EXPECT_FALSE(codeInsert->isChecked());
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
    code->setText(QString::fromLatin1(c.entered));

    trigger("Save1");

    const Strings sent = log();
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[3], c.sent);
    EXPECT_EQ(rig.emulator.state().digitalCode, c.stored);
    EXPECT_EQ(code->text(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Entries, SlowDataCode,
                         testing::Values(CodeCase{"12", "D E9 12", 0x12, "12"},
                                         CodeCase{"7", "D E9 70", 0x70, "70"},
                                         CodeCase{"", "D E9 00", 0x00, "00"},
                                         CodeCase{"123", "D E9 12", 0x12, "12"},
                                         CodeCase{"ab", "D E9 12", 0x12, "12"},
                                         CodeCase{"99", "D E9 99", 0x99, "99"}));

struct MessageCase {
    QString entered;
    std::string wire;  // the bytes that travel, as characters
    QString shown;     // after the read-back
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << '"' << c.entered.toStdString() << '"'; }

class SlowDataMessage : public SlowDataDialog, public testing::WithParamInterface<MessageCase> {};

TEST_P(SlowDataMessage, TravelsAsTwentyBytesFilledWithZeros)
{
    const MessageCase c = GetParam();
    rig.emulator.state().slowDataMessage = messageState("previous message");
    message->setText(c.entered);

    trigger("Save1");

    const Strings sent = log();
    ASSERT_GE(sent.size(), 8u);
    EXPECT_EQ(Strings(sent.begin() + 4, sent.begin() + 8),
              (Strings{"V E4 0000", messagePieces(c.wire)[0], messagePieces(c.wire)[1],
                       messagePieces(c.wire)[2]}));
    EXPECT_EQ(rig.emulator.state().slowDataMessage, messageState(c.wire));
    EXPECT_EQ(message->text(), c.shown);
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
    s.slowDataMessage = messageState("ADAPTER TEXT");
    const emu::AdapterState kept = s;
    before->setChecked(true);
    after->setChecked(false);
    codeInsert->setChecked(true);
    code->setText("edited");
    message->setText("edited message");

    trigger("Cancel1");

    EXPECT_EQ(log(), (Strings{"R AF 3", "R EA 1", "Z+ EB", "R EC 8", "R EC 8", "R EC 4"}));
    EXPECT_EQ(s.status, kept.status);
    EXPECT_EQ(s.digitalCode, kept.digitalCode);
    EXPECT_EQ(s.slowDataMessage, kept.slowDataMessage);
    EXPECT_FALSE(before->isChecked());
    EXPECT_TRUE(after->isChecked());
    EXPECT_FALSE(codeInsert->isChecked());
    EXPECT_EQ(code->text(), "37");
    EXPECT_EQ(message->text(), "ADAPTER TEXT");
}

TEST_F(SlowDataDialog, FailedReadsShowNothingRatherThanStaleBytes)
{
    auto& s = rig.emulator.state();
    s.status = {0xFF, 0xFF, 0xFF};
    s.digitalCode = 0x55;
    s.slowDataMessage = messageState("ABCDEFGHIJKLMNOPQRST");
    windows.form7->SlowDataClick();
    rig.emulator.clearFaults();
    for (std::uint8_t c : {std::uint8_t{0xAF}, std::uint8_t{0xEA}})
        rig.emulator.injectFault({emu::FaultKind::Stall, c, 1, 0});
    // The second piece of the message comes back empty.
    rig.emulator.injectFault({emu::FaultKind::ShortRead, 0xEC, 2, 0});

    trigger("Cancel1");

    EXPECT_FALSE(before->isChecked());
    EXPECT_FALSE(after->isChecked());
    EXPECT_FALSE(codeInsert->isChecked());
    EXPECT_EQ(code->text(), "00");
    EXPECT_EQ(message->text(), "ABCDEFGH");
}

TEST_F(SlowDataDialog, ExitClosesTheDialogWithoutTraffic)
{
    bool visibleBefore = false, visibleAfter = true;
    rig.host.whileShown = [&](QDialog& shown) {
        rig.emulator.clearLog();
        visibleBefore = shown.isVisible();
        trigger("Exu1");
        visibleAfter = shown.isVisible();
    };
    windows.form7->SlowDataClick();

    EXPECT_TRUE(visibleBefore);
    EXPECT_FALSE(visibleAfter);
    EXPECT_TRUE(log().empty());
}

}  // namespace
