// The beacon dialog over the emulated adapter: the request streams of the
// menu load, Save and Cancel, the interval checks, and what the controls
// show afterwards.

#include "app/eeprom_set.h"
#include "dialogs/unit17.h"
#include "tests/support/fixture.h"

#include <QAction>
#include <QLineEdit>

#include <cstdio>
#include <ostream>
#include <string_view>

using emu::Feature;
using Strings = std::vector<std::string>;

namespace {

const QString Title = QStringLiteral("Beacon Setting");
const QString InvalidCharacter = QStringLiteral("Invalid character in Beacon Interval Timer");
const QString InvalidValue =
    QStringLiteral("Invalid value in Beacon Interval Timer (Max. value is 2550 Sec.)");

std::array<std::uint8_t, 20> messageState(std::string_view text)
{
    std::array<std::uint8_t, 20> block{};
    for (std::size_t i = 0; i < text.size() && i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(text[i]);
    return block;
}

// "D ED .." pictures of the three pieces of a 20-byte message block.
Strings messagePieces(std::string_view text)
{
    const auto block = messageState(text);
    Strings pieces;
    std::size_t offset = 0;
    for (std::size_t size : {8u, 8u, 4u}) {
        std::string s = "D ED";
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

// Everything Save sends after the interval: the message, request 0x00
// between two pauses, and the read-back.
Strings saveTail(std::string_view text)
{
    Strings tail = {"V E4 0000"};
    for (const auto& piece : messagePieces(text)) tail.push_back(piece);
    for (const char* r : {"P 200", "V 00 0000", "P 200", "R 59 1", "Z+ EE", "R EF 8", "R EF 8",
                          "R EF 4"})
        tail.push_back(r);
    return tail;
}

class BeaconDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(windows.form17, nullptr);
        dialog = windows.form17;
        timer = dialog->findChild<QLineEdit*>("BeaconTimer");
        message = dialog->findChild<QLineEdit*>("BeaconMessage");
        ASSERT_TRUE(timer && message);
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
    TForm17* dialog = nullptr;
    QLineEdit *timer = nullptr, *message = nullptr;
};

TEST_F(BeaconDialog, MenuLoadRewindsWithTheReadFormAndShowsTheDialog)
{
    auto& s = rig.emulator.state();
    s.beaconInterval = 30;
    s.beaconMessage = messageState("QRV JP1YIU");

    windows.form7->BeaconClick();

    EXPECT_EQ(log(), (Strings{"Z+ EE", "R EF 8", "R EF 8", "R EF 4", "R 59 1"}));
    EXPECT_EQ(rig.host.shown, QStringList{Title});
    EXPECT_EQ(timer->text(), "300");
    EXPECT_EQ(message->text(), "QRV JP1YIU");
}

TEST_F(BeaconDialog, IntervalIsShownInSeconds)
{
    for (const auto& [tens, shown] : std::vector<std::pair<std::uint8_t, QString>>{
             {30, "300"}, {0, "0"}, {255, "2550"}}) {
        rig.emulator.state().beaconInterval = tens;
        windows.form7->BeaconClick();
        EXPECT_EQ(timer->text(), shown) << int(tens);
    }
}

struct AcceptedCase {
    const char* entered;
    const char* sent;     // picture of the 0x4B write
    std::uint8_t stored;
    const char* shown;    // after the read-back
};

void PrintTo(const AcceptedCase& c, std::ostream* os) { *os << '"' << c.entered << '"'; }

class BeaconAccepted : public BeaconDialog, public testing::WithParamInterface<AcceptedCase> {};

TEST_P(BeaconAccepted, WritesTensOfSecondsThenTheMessageAndReadsBoth)
{
    const AcceptedCase c = GetParam();
    rig.emulator.state().beaconInterval = 77;
    timer->setText(QString::fromLatin1(c.entered));
    message->setText("BEACON");

    trigger("Save1");

    Strings expected = {c.sent};
    for (const auto& s : saveTail("BEACON")) expected.push_back(s);
    EXPECT_EQ(log(), expected);
    EXPECT_TRUE(rig.host.messages.isEmpty());
    EXPECT_EQ(rig.emulator.state().beaconInterval, c.stored);
    EXPECT_EQ(timer->text(), c.shown);
    EXPECT_EQ(message->text(), "BEACON");
}

INSTANTIATE_TEST_SUITE_P(Entries, BeaconAccepted,
                         testing::Values(AcceptedCase{"2550", "V 4B 00FF", 255, "2550"},
                                         AcceptedCase{"125", "V 4B 000C", 12, "120"},
                                         AcceptedCase{"5", "V 4B 0000", 0, "0"},
                                         AcceptedCase{"0", "V 4B 0000", 0, "0"},
                                         AcceptedCase{"30 x", "V 4B 0003", 3, "30"},
                                         AcceptedCase{"+40", "V 4B 0004", 4, "40"}));

struct RefusedCase {
    const char* entered;
    QString message;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << '"' << c.entered << '"'; }

class BeaconRefused : public BeaconDialog, public testing::WithParamInterface<RefusedCase> {};

TEST_P(BeaconRefused, ShowsOneMessageSkipsTheIntervalAndStillWritesTheMessage)
{
    const RefusedCase c = GetParam();
    rig.emulator.state().beaconInterval = 42;
    rig.emulator.state().beaconMessage = messageState("OLD");
    timer->setText(QString::fromLatin1(c.entered));
    message->setText("NEW TEXT");

    trigger("Save1");

    EXPECT_EQ(rig.host.messages, QStringList{c.message});
    EXPECT_EQ(log(), saveTail("NEW TEXT"));
    EXPECT_EQ(rig.emulator.state().beaconInterval, 42);
    EXPECT_EQ(rig.emulator.state().beaconMessage, messageState("NEW TEXT"));
    EXPECT_EQ(timer->text(), "420");
    EXPECT_EQ(message->text(), "NEW TEXT");
}

INSTANTIATE_TEST_SUITE_P(Entries, BeaconRefused,
                         testing::Values(RefusedCase{"2551", InvalidValue},
                                         RefusedCase{"9999", InvalidValue},
                                         RefusedCase{"-15", InvalidValue},
                                         RefusedCase{"-1", InvalidValue},
                                         RefusedCase{"abc", InvalidCharacter},
                                         RefusedCase{"", InvalidCharacter},
                                         RefusedCase{" 30", InvalidCharacter},
                                         RefusedCase{"12a", InvalidCharacter},
                                         RefusedCase{"-", InvalidCharacter}));

struct MessageCase {
    QString entered;
    std::string wire;  // the bytes that travel, as characters
    QString shown;     // after the read-back
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << '"' << c.entered.toStdString() << '"'; }

class BeaconMessageText : public BeaconDialog, public testing::WithParamInterface<MessageCase> {};

TEST_P(BeaconMessageText, TravelsAsTwentyBytesFilledWithZeros)
{
    const MessageCase c = GetParam();
    rig.emulator.state().beaconMessage = messageState("previous beacon text");
    timer->setText("100");
    message->setText(c.entered);

    trigger("Save1");

    Strings expected = {"V 4B 000A"};
    for (const auto& s : saveTail(c.wire)) expected.push_back(s);
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(rig.emulator.state().beaconMessage, messageState(c.wire));
    EXPECT_EQ(message->text(), c.shown);
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
    s.beaconMessage = messageState("STORED");
    timer->setText("999");
    message->setText("edited");

    trigger("Cancel1");

    EXPECT_EQ(log(), (Strings{"V EE 0000", "R EF 8", "R EF 8", "R EF 4", "R 59 1"}));
    EXPECT_EQ(s.beaconInterval, 18);
    EXPECT_EQ(s.beaconMessage, messageState("STORED"));
    EXPECT_EQ(timer->text(), "180");
    EXPECT_EQ(message->text(), "STORED");
    EXPECT_TRUE(rig.host.messages.isEmpty());
}

TEST_F(BeaconDialog, FailedReadsShowNothingRatherThanStaleBytes)
{
    auto& s = rig.emulator.state();
    s.beaconInterval = 200;
    s.beaconMessage = messageState("ABCDEFGHIJKLMNOPQRST");
    windows.form7->BeaconClick();
    rig.emulator.clearFaults();
    rig.emulator.injectFault({emu::FaultKind::Stall, 0x59, 1, 0});
    rig.emulator.injectFault({emu::FaultKind::Timeout, 0xEF, 1, 0});

    trigger("Cancel1");

    EXPECT_EQ(timer->text(), "0");
    EXPECT_EQ(message->text(), "");
}

TEST_F(BeaconDialog, ExitClosesTheDialogWithoutTraffic)
{
    bool visibleBefore = false, visibleAfter = true;
    rig.host.whileShown = [&](QDialog& shown) {
        rig.emulator.clearLog();
        visibleBefore = shown.isVisible();
        trigger("Exit1");
        visibleAfter = shown.isVisible();
    };
    windows.form7->BeaconClick();

    EXPECT_TRUE(visibleBefore);
    EXPECT_FALSE(visibleAfter);
    EXPECT_TRUE(log().empty());
}

}  // namespace
