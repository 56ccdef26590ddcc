// The repeater settings dialog and the flag legend, driven through their real
// widgets over the emulated adapter: the request stream of load, Cancel and
// Save, what the controls show afterwards, the legend, and failed transfers.

#include "app/eeprom_set.h"
#include "device/commands.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit13.h"
#include "tests/support/dialog_helpers.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>

#include <algorithm>

using Strings = std::vector<std::string>;
using dlg::block;

namespace {

const Strings LoadStream = {"R AF 3", "R 55 8", "R A8 8", "R A9 4", "R AA 8", "R AB 8", "R AC 8"};

// Every check box of the dialog, in the order the status block fills them.
const char* const AllBoxes[] = {
    "CallCheckSW", "DupCheckSW",    "DupClearSW",    "AltMyCallSW", "AltMyCall2SW",
    "AltYourCallSW", "AltRPT1CallSW", "AltRPT2CallSW", "AltFlagSW",   "AltFlag7",
    "AltFlag6",    "AltFlag5",      "AltFlag4",      "AltFlag3",    "AltFlag2",
    "AltFlag1",    "AltFlag0",
};

void click(QWidget* widget)
{
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

class RepeaterDialog : public testing::Test {
protected:
    void SetUp() override
    {
        dialog = w.form11;
        rig.emulator.clearLog();
        rig.emulator.clearFaults();
        rig.host.shown.clear();
    }

    // The main window's "&Repeater Info. ": load, then the modal showing.
    void open(std::function<void(QDialog&)> whileShown = nullptr)
    {
        dlg::whileShown(rig, [&] { dlg::trigger(*w.form7, "RepeaterInfoSetting1"); }, std::move(whileShown));
    }
    void menu(const char* item) { dlg::trigger(*dialog, item); }
    QLineEdit* edit(const char* name) { return &dlg::edit(*dialog, name); }
    QCheckBox* box(const char* name) { return &dlg::child<QCheckBox>(*dialog, name); }
    Strings log() const { return pictures(rig.emulator.log()); }
    Strings ticked()
    {
        Strings out;
        for (const char* name : AllBoxes)
            if (box(name)->isChecked()) out.push_back(name);
        return out;
    }

    Rig rig;
    Windows w{rig.start()};
    TForm11* dialog = nullptr;
};

TEST_F(RepeaterDialog, MenuLoadReadsStatusThenSixCallSignsAndShowsThemModally)
{
    rig.emulator.state().status = {0x03, 0x00, 0x00};
    open();
    EXPECT_EQ(log(), LoadStream);
    EXPECT_EQ(rig.host.shown, QStringList{"Repeater Information Setting"});
    EXPECT_EQ(edit("MyRepeaterCall")->text(), "JP1YIU A");
    EXPECT_EQ(edit("AltMyCall")->text(), "JA1AAA  ");
    EXPECT_EQ(edit("AltMyCall2")->text(), "ID51");
    EXPECT_EQ(edit("AltYourCall")->text(), "CQCQCQ  ");
    EXPECT_EQ(edit("AltRPT1Call")->text(), "JP1YIU A");
    EXPECT_EQ(edit("AltRPT2Call")->text(), "JP1YIU G");
    EXPECT_EQ(ticked(), (Strings{"CallCheckSW", "DupCheckSW"}));
}

TEST_F(RepeaterDialog, StatusBlockTicksExactlyItsBitsAndClearsTheRest)
{
    // Every box starts ticked, so a box the load forgets would show.
    for (const char* name : AllBoxes) box(name)->setChecked(true);
    rig.emulator.state().status = {0x09, 0x01, 0xC5};
    open();
    EXPECT_EQ(ticked(), (Strings{"CallCheckSW", "AltMyCallSW", "AltFlagSW", "AltFlag7", "AltFlag6",
                                 "AltFlag2", "AltFlag0"}));
    EXPECT_FALSE(box("AltFlag7")->isEnabled());
    EXPECT_FALSE(box("AltFlag4")->isEnabled());
    for (const char* name : AllBoxes) {
        if (std::string(name) == "AltFlag7" || std::string(name) == "AltFlag4") continue;
        EXPECT_TRUE(box(name)->isEnabled()) << name;
    }
}

TEST_F(RepeaterDialog, CancelRereadsEverythingAndDropsTheEdits)
{
    open();
    edit("AltYourCall")->setText("EDITED");
    box("DupClearSW")->setChecked(true);
    box("CallCheckSW")->setChecked(false);
    rig.emulator.clearLog();

    menu("Cancel1");
    EXPECT_EQ(log(), LoadStream);
    EXPECT_EQ(edit("AltYourCall")->text(), "CQCQCQ  ");
    EXPECT_EQ(ticked(), (Strings{"CallCheckSW", "DupCheckSW"}));
}

TEST_F(RepeaterDialog, ExitAndTheCloseControlSendNothing)
{
    open([&](QDialog& shown) {
        rig.emulator.clearLog();
        dialog->findChild<QAction*>("Exit1")->trigger();
        EXPECT_FALSE(shown.isVisible());
    });
    EXPECT_TRUE(log().empty());

    open([&](QDialog& shown) {
        rig.emulator.clearLog();
        shown.close();
        EXPECT_FALSE(shown.isVisible());
    });
    EXPECT_TRUE(log().empty());
}

TEST_F(RepeaterDialog, SaveWritesEachCallSignWithReadBackThenSwitchesFlagByteAndStatus)
{
    rig.emulator.state().status = {0x03, 0x00, 0x00};
    open([&](QDialog&) {
        edit("MyRepeaterCall")->setText("JR1ABC");
        box("DupCheckSW")->setChecked(false);
        box("AltYourCallSW")->setChecked(true);
        box("AltFlagSW")->setChecked(true);
        box("AltFlag3")->setChecked(true);
        rig.emulator.clearLog();
        menu("Ssve1");
    });

    const Strings expected = {
        "D 46 4A 52 31 41 42 43 20 20", "P 50", "R 55 8",
        "D A0 4A 41 31 41 41 41 20 20", "P 50", "R A8 8",
        "D A1 49 44 35 31",             "P 50", "R A9 4",
        "D A2 43 51 43 51 43 51 20 20", "P 50", "R AA 8",
        "D A3 4A 50 31 59 49 55 20 41", "P 50", "R AB 8",
        "D A4 4A 50 31 59 49 55 20 47", "P 50", "R AC 8",
        "V 90 0001", "V 91 0000", "V 92 0000", "V 93 0000", "V 94 0000",
        "V 95 0001", "V 96 0000", "V 97 0000", "V 99 0001", "V 98 0008",
        "P 200", "R AF 3",
    };
    EXPECT_EQ(log(), expected);
    EXPECT_EQ(rig.emulator.requests().size(), 23u);
    int paused = 0;
    for (const auto& e : rig.emulator.log())
        if (e.kind == emu::LogEntry::Kind::Pause) paused += e.pauseMs;
    EXPECT_EQ(paused, 500);

    EXPECT_EQ(rig.emulator.state().status, (std::array<std::uint8_t, 3>{0x21, 0x01, 0x08}));
    EXPECT_EQ(edit("MyRepeaterCall")->text(), "JR1ABC  ");
    EXPECT_EQ(ticked(), (Strings{"CallCheckSW", "AltYourCallSW", "AltFlagSW", "AltFlag3"}));
    EXPECT_TRUE(rig.host.messages.isEmpty());
}

TEST_F(RepeaterDialog, SaveWithEveryBoxClearSendsZeros)
{
    rig.emulator.state().status = {0x00, 0x00, 0x00};
    open();
    rig.emulator.clearLog();
    menu("Ssve1");
    const Strings all = log();
    const Strings tail(all.end() - 12, all.end());
    EXPECT_EQ(tail, (Strings{"V 90 0000", "V 91 0000", "V 92 0000", "V 93 0000", "V 94 0000",
                             "V 95 0000", "V 96 0000", "V 97 0000", "V 99 0000", "V 98 0000",
                             "P 200", "R AF 3"}));
    EXPECT_TRUE(ticked().empty());
}

// The flag byte goes out from all eight boxes, the two locked ones included.
struct FlagCase {
    const char* name;
    std::uint8_t loaded;           // byte 2 of the status block at opening
    std::vector<const char*> tick; // boxes the user ticks
    std::vector<const char*> clear;// boxes the user clears
    std::string sent;              // the 0x98 request
};

class FlagByte : public RepeaterDialog, public testing::WithParamInterface<FlagCase> {};

TEST_P(FlagByte, IsBuiltFromTheBoxes)
{
    const FlagCase& c = GetParam();
    rig.emulator.state().status = {0x00, 0x00, c.loaded};
    open();
    for (const char* name : c.tick) box(name)->setChecked(true);
    for (const char* name : c.clear) box(name)->setChecked(false);
    rig.emulator.clearLog();
    menu("Ssve1");
    const Strings sent = log();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[sent.size() - 3], c.sent);
    EXPECT_EQ(rig.emulator.state().status[2], static_cast<std::uint8_t>(std::stoi(c.sent.substr(5), nullptr, 16)));
}

INSTANTIATE_TEST_SUITE_P(
    Repeater, FlagByte,
    testing::Values(
        FlagCase{"LockedBit7PlusBit1", 0x80, {"AltFlag1"}, {}, "V 98 0082"},
        FlagCase{"LockedBit4KeptAsRead", 0x10, {}, {}, "V 98 0010"},
        FlagCase{"CodeBitsAndUpperBits", 0x00, {"AltFlag6", "AltFlag5", "AltFlag3", "AltFlag2", "AltFlag0"}, {}, "V 98 006D"},
        FlagCase{"AllSetThenBit0Cleared", 0xFF, {}, {"AltFlag0"}, "V 98 00FE"},
        FlagCase{"EachEditableBitCleared", 0xFF, {}, {"AltFlag6", "AltFlag5", "AltFlag3", "AltFlag2", "AltFlag1", "AltFlag0"}, "V 98 0090"}),
    [](const auto& info) { return std::string(info.param.name); });

// A call sign typed into its box and what Save puts on the wire for it.
struct CallSignCase {
    const char* name;
    const char* control;
    QString typed;
    std::string write;      // the data write
    std::string readBack;   // the read that follows the 50 ms pause
    QString shownAfter;     // what the box shows once Save is done
};

class CallSignEncoding : public RepeaterDialog, public testing::WithParamInterface<CallSignCase> {};

TEST_P(CallSignEncoding, IsSentPaddedOrCutAndShownAsReadBack)
{
    const CallSignCase& c = GetParam();
    open();
    QLineEdit* field = edit(c.control);
    field->clear();
    dlg::type(*field, c.typed);
    rig.emulator.clearLog();
    menu("Ssve1");
    const Strings sent = log();
    const auto at = std::find(sent.begin(), sent.end(), c.write);
    ASSERT_NE(at, sent.end()) << "no " << c.write;
    ASSERT_LT(at + 2, sent.end());
    EXPECT_EQ(*(at + 1), "P 50");
    EXPECT_EQ(*(at + 2), c.readBack);
    EXPECT_EQ(field->text(), c.shownAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Repeater, CallSignEncoding,
    testing::Values(
        CallSignCase{"EmptyIsEightSpaces", "MyRepeaterCall", "", "D 46 20 20 20 20 20 20 20 20", "R 55 8", "        "},
        CallSignCase{"EmptySuffixIsFourSpaces", "AltMyCall2", "", "D A1 20 20 20 20", "R A9 4", "    "},
        CallSignCase{"ShortIsPadded", "AltYourCall", "ABC", "D A2 41 42 43 20 20 20 20 20", "R AA 8", "ABC     "},
        CallSignCase{"LowerCaseEntryTurnsUpper", "AltMyCall", "ja1xyz", "D A0 4A 41 31 58 59 5A 20 20", "R A8 8", "JA1XYZ  "},
        CallSignCase{"TenLettersCutToEight", "AltRPT1Call", "ABCDEFGHIJ", "D A3 41 42 43 44 45 46 47 48", "R AB 8", "ABCDEFGH"},
        CallSignCase{"SuffixCutToFour", "AltMyCall2", "ABCDEF", "D A1 41 42 43 44", "R A9 4", "ABCD"},
        CallSignCase{"InnerAndLeadingBlanksKept", "AltRPT2Call", " A B", "D A4 20 41 20 42 20 20 20 20", "R AC 8", " A B    "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RepeaterDialog, RepliesShowTrailingBlanksAndStopAtAZeroByte)
{
    rig.emulator.state().altYourCall = block<8>("AB      ");
    rig.emulator.state().altRpt2Call = {'X', 'Y', 0, 'Z', 'Z', 'Z', 'Z', 'Z'};
    rig.emulator.state().altMyCall2 = {0, 'Q', 'Q', 'Q'};
    open();
    EXPECT_EQ(edit("AltYourCall")->text(), "AB      ");
    EXPECT_EQ(edit("AltRPT2Call")->text(), "XY");
    EXPECT_EQ(edit("AltMyCall2")->text(), "");
}

TEST_F(RepeaterDialog, DetailOpensTheLegendModallyWithoutTrafficAndKeepsTheEdits)
{
    QStringList legendTexts;
    open([&](QDialog&) {
        edit("AltYourCall")->setText("EDITED");
        box("AltFlag5")->setChecked(true);
        rig.emulator.clearLog();
        rig.host.whileShown = [&](QDialog& legend) {
            // Only its fourteen texts: no menu, no buttons.
            EXPECT_EQ(legend.findChildren<QLabel*>().size(), 14);
            EXPECT_TRUE(legend.findChildren<QMenuBar*>().isEmpty());
            EXPECT_TRUE(legend.findChildren<QAbstractButton*>().isEmpty());
            for (int i = 1; i <= 14; ++i)
                legendTexts << legend.findChild<QLabel*>(QString("StaticText%1").arg(i))->text();
            legend.close();
        };
        click(dialog->findChild<QLabel*>("StaticText18"));
        EXPECT_EQ(edit("AltYourCall")->text(), "EDITED");
        EXPECT_TRUE(box("AltFlag5")->isChecked());
    });
    EXPECT_EQ(rig.host.shown,
              (QStringList{"Repeater Information Setting", "Flag DetaiL Information"}));
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(legendTexts, (QStringList{
                               "7  0:Voice  1:Data",
                               "6  0:Direct 1:repeater",
                               "5  0:None Interrupt 1:Interrupt",
                               "4  0:None control 1:Control",
                               "3  0:None urgent  1:Urgent",
                               "2-0",
                               "111 Repeater Control",
                               "110 Auto Reply",
                               "101 Not Use",
                               "100 Resend",
                               "011 ACK",
                               "010 No Response",
                               "001 Relay unavaliable",
                               "000 NULL",
                           }));
}

TEST_F(RepeaterDialog, CaptionsKeepTheirLeadingBlanksAndAreWideEnoughForTheirText)
{
    const std::pair<const char*, const char*> captions[] = {
        {"StaticText3", "              Call Sign2"}, {"StaticText4", "      Your Call Sign"},
        {"StaticText5", "     RPT1 Call Sign"}, {"StaticText6", "   RPT2 Call Sign"},
    };
    for (const auto& [name, text] : captions)
        EXPECT_EQ(dlg::child<QLabel>(*dialog, name).text(), QString(text)) << name;
    for (QWidget* window : {static_cast<QWidget*>(dialog), static_cast<QWidget*>(w.form13)}) {
        window->show();
        QApplication::processEvents();
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (widget->window() != window) continue;  // the legend is a window of its own
            if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QCheckBox*>(widget)) continue;
            EXPECT_GE(widget->width(), widget->sizeHint().width()) << widget->objectName().toStdString();
            EXPECT_GE(widget->height(), widget->sizeHint().height()) << widget->objectName().toStdString();
        }
        window->hide();
    }
}

// The write is refused as well, so the adapter still holds the old call: a
// failed read-back shows the bytes sent, a short one keeps the sent tail.
TEST_F(RepeaterDialog, FailedReadBackDuringSaveShowsTheBytesSent)
{
    struct Case {
        const char* control;
        std::uint8_t write, read;
        emu::FaultKind kind;
        const char *typed, *shown;
    };
    for (const Case& c : {Case{"AltYourCall", cmd::WriteAltYourCall, cmd::ReadAltYourCall, emu::FaultKind::Stall, "ABC", "ABC     "},
                          Case{"AltRPT1Call", cmd::WriteAltRpt1Call, cmd::ReadAltRpt1Call, emu::FaultKind::ShortRead, "ABCDEFGH", "JPCDEFGH"}}) {
        SCOPED_TRACE(c.control);
        open();
        edit(c.control)->setText(c.typed);
        rig.emulator.clearFaults();
        rig.emulator.injectFault({emu::FaultKind::Stall, c.write, 1, 0});
        rig.emulator.injectFault({c.kind, c.read, 1, 2});
        rig.emulator.clearLog();
        menu("Ssve1");
        EXPECT_EQ(edit(c.control)->text(), c.shown);
        EXPECT_EQ(rig.emulator.requests().size(), 23u);
        EXPECT_TRUE(rig.host.messages.isEmpty());
    }
}

}  // namespace
