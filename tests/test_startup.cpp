// Start-up over the emulated adapter: the request stream, which optional
// dialogs exist and which menu items are enabled; the main window's menu.

#include "app/eeprom_set.h"
#include "device/commands.h"
#include "tests/support/fixture.h"
#include "ui_eeprom_set.h"

#include <QMenu>
#include <QMenuBar>

using emu::Feature;
using Strings = std::vector<std::string>;

namespace {

struct Firmware {
    bool slowData, beacon, serialPort, squelch, jitter;
};

std::string name(const Firmware& f)
{
    std::string s;
    s += f.slowData ? "Slow" : "noSlow";
    s += f.beacon ? "Beacon" : "NoBeacon";
    s += f.serialPort ? "Serial" : "NoSerial";
    s += f.squelch ? "Squelch" : "NoSquelch";
    s += f.jitter ? "Jitter" : "NoJitter";
    return s;
}

void PrintTo(const Firmware& f, std::ostream* os) { *os << name(f); }

class StartupTest : public testing::TestWithParam<Firmware> {};

TEST_P(StartupTest, SendsTheProbesInOrderAndCreatesOnlyTheDialogsOfPresentFeatures)
{
    const Firmware f = GetParam();
    Rig rig;
    rig.emulator.setFeature(Feature::SlowData, f.slowData);
    rig.emulator.setFeature(Feature::Beacon, f.beacon);
    rig.emulator.setFeature(Feature::SerialPort, f.serialPort);
    rig.emulator.setFeature(Feature::Squelch, f.squelch);
    rig.emulator.setFeature(Feature::Jitter, f.jitter);

    Windows w = rig.start();

    Strings expected = {"R B3 1", "R AF 3", "R 59 1",  // main window
                        "R 72 2", "R 72 2", "R 58 1",  // basic settings dialog
                        "R AF 3", "R 59 1", "R B3 1"}; // optional dialogs
    if (f.serialPort) {
        for (const char* s : {"R B1 1", "R B3 1", "R B5 1", "V B8 0000", "R B7 8", "R B7 8",
                              "R B7 8", "R B7 5"})
            expected.push_back(s);
    }
    EXPECT_EQ(pictures(rig.emulator.log()), expected);

    EXPECT_EQ(w.form15 != nullptr, f.slowData);
    EXPECT_EQ(w.form17 != nullptr, f.beacon);
    EXPECT_EQ(w.form12 != nullptr, f.serialPort);
    EXPECT_NE(w.autoDetect, nullptr);
    EXPECT_NE(w.form11, nullptr);
    EXPECT_NE(w.form13, nullptr);

    auto& ui = w.form7->ui();
    EXPECT_EQ(ui.SlowData->isEnabled(), f.slowData);
    EXPECT_EQ(ui.Beacon->isEnabled(), f.beacon);
    EXPECT_EQ(ui.RS232C->isEnabled(), f.serialPort);
    EXPECT_TRUE(ui.BasicInfoSetting1->isEnabled());
    EXPECT_TRUE(ui.RepeaterInfoSetting1->isEnabled());
    EXPECT_TRUE(ui.Version1->isEnabled());
    EXPECT_TRUE(ui.PICVersion1->isEnabled());
    EXPECT_TRUE(rig.host.messages.isEmpty());

    // The items of absent features open nothing and send nothing.
    rig.emulator.clearLog();
    if (!f.slowData) w.form7->SlowDataClick();
    if (!f.beacon) w.form7->BeaconClick();
    if (!f.serialPort) w.form7->RS232CClick();
    EXPECT_TRUE(rig.emulator.log().empty());
    EXPECT_TRUE(rig.host.shown.isEmpty());
}

std::vector<Firmware> allFirmwares()
{
    std::vector<Firmware> out;
    for (int mask = 0; mask < 8; ++mask) {
        const bool extras = (mask % 2) == 0;  // squelch and jitter alternate
        out.push_back({(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0, extras, !extras});
    }
    out.push_back({true, true, true, true, true});
    out.push_back({false, false, false, false, false});
    return out;
}

INSTANTIATE_TEST_SUITE_P(EveryFeatureCombination, StartupTest, testing::ValuesIn(allFirmwares()),
                         [](const auto& info) { return name(info.param); });

TEST(Startup, AProbeAnsweredWithNoBytesCountsAsPresent)
{
    Rig rig;
    rig.emulator.injectFault({emu::FaultKind::ShortRead, cmd::ReadBeaconInterval, 1, 0});
    rig.emulator.injectFault({emu::FaultKind::ShortRead, cmd::ReadBeaconInterval, 2, 0});
    Windows w = rig.start();
    EXPECT_TRUE(w.form7->ui().Beacon->isEnabled());
    EXPECT_NE(w.form17, nullptr);
}

// The menu item's probe succeeds but the dialog's probe fails: the item
// stays disabled and choosing it anyway does nothing.
struct Disagreement {
    std::uint8_t code;
    QAction* Ui::TForm7::*item;
    void (TForm7::*handler)();
};

void PrintTo(const Disagreement& d, std::ostream* os) { *os << "probe " << int(d.code); }

class DisagreeingProbes : public testing::TestWithParam<Disagreement> {};

TEST_P(DisagreeingProbes, KeepTheItemDisabledAndItsHandlerHarmless)
{
    const Disagreement d = GetParam();
    Rig rig;
    rig.emulator.injectFault({emu::FaultKind::Stall, d.code, 2, 0});
    Windows w = rig.start();
    EXPECT_FALSE((w.form7->ui().*d.item)->isEnabled());

    rig.emulator.clearLog();
    (w.form7.get()->*d.handler)();
    EXPECT_TRUE(rig.emulator.log().empty());
    EXPECT_TRUE(rig.host.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    EachOptionalDialog, DisagreeingProbes,
    testing::Values(Disagreement{cmd::ReadStatusBlock, &Ui::TForm7::SlowData, &TForm7::SlowDataClick},
                    Disagreement{cmd::ReadBeaconInterval, &Ui::TForm7::Beacon, &TForm7::BeaconClick},
                    Disagreement{cmd::ReadSerialMode, &Ui::TForm7::RS232C, &TForm7::RS232CClick}));

TEST(MainWindow, CaptionHeadingAndMenuAsTheUserSeesThem)
{
    Rig rig;
    Windows w = rig.start();
    TForm7& form = *w.form7;
    EXPECT_EQ(form.windowTitle(), "Brisel Setting Program V03.06");
    EXPECT_EQ(form.ui().StaticText1->text(), "Brisel Default setting Program");
    EXPECT_GT(form.ui().StaticText1->font().pointSizeF(), QApplication::font().pointSizeF());

    QMenuBar* bar = form.menuBar();
    EXPECT_EQ(bar->objectName(), "h");
    QStringList menus;
    for (QAction* a : bar->actions()) menus << a->menu()->objectName() + "=" + a->text();
    EXPECT_EQ(menus, QStringList({"N1=&Setting", "Help1=&Help"}));

    QStringList setting;
    for (QAction* a : form.ui().N1->actions()) setting << a->objectName() + "=" + a->text();
    EXPECT_EQ(setting, QStringList({"BasicInfoSetting1=&Basic Info. ", "Beacon=Be&acon Info.",
                                    "RepeaterInfoSetting1=&Repeater Info. ", "SlowData=&Slow Data",
                                    "RS232C=RS232C Info.", "Exit1=&Exit"}));
    QStringList help;
    for (QAction* a : form.ui().Help1->actions()) help << a->objectName() + "=" + a->text();
    EXPECT_EQ(help, QStringList({"Version1=&Version", "PICVersion1=&PIC Version"}));
}

TEST(MainWindow, ExitClosesTheMainWindowWithoutARequest)
{
    Rig rig;
    Windows w = rig.start();
    w.form7->show();
    rig.emulator.clearLog();
    w.form7->ui().Exit1->trigger();
    EXPECT_FALSE(w.form7->isVisible());
    EXPECT_TRUE(rig.emulator.log().empty());
}

TEST(MainWindow, VersionShowsTheProgramVersionAndSendsNothing)
{
    Rig rig;
    Windows w = rig.start();
    rig.emulator.clearLog();
    w.form7->ui().Version1->trigger();
    EXPECT_EQ(rig.host.messages, QStringList({"      Brisel default Setting V03.06"}));
    EXPECT_TRUE(rig.emulator.log().empty());
}

struct VersionCase {
    const char* label;
    std::string firmwareText;
    bool firstReadFails;
    Strings requests;
    std::string shown;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.label; }

class PicVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(PicVersion, ReadsPiecesUntilAShortOneAndShowsTheText)
{
    const VersionCase c = GetParam();
    Rig rig;
    Windows w = rig.start();
    rig.emulator.state().firmwareVersion = c.firmwareText;
    if (c.firstReadFails) rig.emulator.injectFault({emu::FaultKind::Stall, cmd::ReadFirmwareVersion, 1, 0});
    rig.emulator.clearLog();

    w.form7->ui().PICVersion1->trigger();

    EXPECT_EQ(pictures(rig.emulator.log()), c.requests);
    ASSERT_EQ(rig.host.messages.size(), 1);
    EXPECT_EQ(rig.host.messages[0].toStdString(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PicVersion,
    testing::Values(
        VersionCase{"Sixteen", "0123456789ABCDEF", false, {"R FF 8", "R FF 8", "R FF 8"},
                    "0123456789ABCDEF"},
        VersionCase{"Eleven", "PIC V01.07x", false, {"R FF 8", "R FF 8"}, "PIC V01.07x"},
        VersionCase{"FirstReadFails", "PIC V01.07", true, {"R FF 8"}, ""},
        VersionCase{"NulInside", std::string("ABC\0DEF", 7), false, {"R FF 8"}, "ABC"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PicVersionBound, AFirmwareThatNeverEndsStopsAt255Characters)
{
    Rig rig;
    Windows w = rig.start();
    rig.emulator.state().firmwareVersion = std::string(4000, 'V');
    rig.emulator.clearLog();

    w.form7->ui().PICVersion1->trigger();

    ASSERT_EQ(rig.host.messages.size(), 1);
    EXPECT_EQ(rig.host.messages[0], QString(255, 'V'));
    EXPECT_EQ(rig.emulator.requests().size(), 32u);  // 31 full pieces, then the text is full
}

TEST(PicVersionBound, EachChoiceStartsAFreshSequence)
{
    Rig rig;
    Windows w = rig.start();
    rig.emulator.state().firmwareVersion = "PIC V01.07";
    w.form7->ui().PICVersion1->trigger();
    w.form7->ui().PICVersion1->trigger();
    EXPECT_EQ(rig.host.messages, QStringList({"PIC V01.07", "PIC V01.07"}));
}

}  // namespace
