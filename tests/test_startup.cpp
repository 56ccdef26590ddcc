// Start-up over the emulated adapter: which optional dialogs exist and which
// menu items are enabled when the firmware lacks features; the main window's
// menu and its version messages.

#include "app/eeprom_set.h"
#include "device/commands.h"
#include "tests/support/dialog_helpers.h"
#include "tests/support/fixture.h"
#include "ui_eeprom_set.h"

#include <QMenu>
#include <QMenuBar>

using emu::FaultKind;
using emu::Feature;
using Strings = std::vector<std::string>;

namespace {

// The requests before the serial port dialog loads itself: the main window's
// three probes, the basic settings dialog's three reads, the three probes
// that decide the optional dialogs.
constexpr std::size_t RequestsBeforeSerialLoad = 9;

struct StartCase {
    const char* label;
    std::vector<Feature> missing;
    std::vector<emu::Fault> faults;
    bool slowData, beacon, serialPort;  // its menu item enabled and its dialog created
};

void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.label;
}

class Startup : public testing::TestWithParam<StartCase> {};

TEST_P(Startup, OffersOnlyWhatBothProbesOfAFeatureFound)
{
    const StartCase& c = GetParam();
    Rig healthy;
    healthy.start();
    // Every probe is sent whatever the answers; only the serial port dialog
    // sends anything at its construction.
    Strings expected = pictures(healthy.emulator.log());
    if (!c.serialPort) expected.resize(RequestsBeforeSerialLoad);

    Rig rig;
    for (Feature f : c.missing) rig.emulator.setFeature(f, false);
    for (const emu::Fault& f : c.faults) rig.emulator.injectFault(f);
    Windows w = rig.start();

    EXPECT_EQ(pictures(rig.emulator.log()), expected);
    Ui::TForm7& ui = w.mainWindow->ui();
    EXPECT_EQ(ui.SlowData->isEnabled(), c.slowData);
    EXPECT_EQ(ui.Beacon->isEnabled(), c.beacon);
    EXPECT_EQ(ui.RS232C->isEnabled(), c.serialPort);
    for (QAction* a : {ui.BasicInfoSetting1, ui.RepeaterInfoSetting1, ui.Exit1, ui.Version1, ui.PICVersion1})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(w.slowDataDialog != nullptr, c.slowData);
    EXPECT_EQ(w.beaconDialog != nullptr, c.beacon);
    EXPECT_EQ(w.serialPortDialog != nullptr, c.serialPort);
    EXPECT_TRUE(w.basicDialog && w.repeaterDialog && w.flagLegend);
    EXPECT_TRUE(rig.host.messages.isEmpty());

    // The handler of an item without its dialog opens nothing and sends nothing.
    rig.emulator.clearLog();
    if (!c.slowData) w.mainWindow->SlowDataClick();
    if (!c.beacon) w.mainWindow->BeaconClick();
    if (!c.serialPort) w.mainWindow->RS232CClick();
    EXPECT_TRUE(rig.emulator.log().empty());
    EXPECT_TRUE(rig.host.shown.isEmpty());
}

emu::Fault StallSecond(std::uint8_t code)
{
    return {FaultKind::Stall, code, 2, 0};
}

const std::vector<Feature> AllOptional = {Feature::SlowData, Feature::Beacon, Feature::SerialPort, Feature::Squelch,
                                          Feature::Jitter};
const std::vector<emu::Fault> BeaconProbesEmpty = {{FaultKind::ShortRead, cmd::ReadBeaconInterval, 1, 0},
                                                   {FaultKind::ShortRead, cmd::ReadBeaconInterval, 2, 0}};

const StartCase Firmwares[] = {
    {"AllPresent", {}, {}, true, true, true},
    {"NoSlowData", {Feature::SlowData}, {}, false, true, true},
    {"NoBeacon", {Feature::Beacon}, {}, true, false, true},
    {"NoSerialPort", {Feature::SerialPort}, {}, true, true, false},
    {"NoOptionalFeature", AllOptional, {}, false, false, false},
    {"ProbeAnsweredWithNoBytes", {}, BeaconProbesEmpty, true, true, true},
    // The menu item's probe succeeds, the dialog's probe fails.
    {"SlowDataDialogProbeFails", {}, {StallSecond(cmd::ReadStatusBlock)}, false, true, true},
    {"BeaconDialogProbeFails", {}, {StallSecond(cmd::ReadBeaconInterval)}, true, false, true},
    {"SerialDialogProbeFails", {}, {StallSecond(cmd::ReadSerialMode)}, true, true, false},
};

INSTANTIATE_TEST_SUITE_P(Firmwares, Startup, testing::ValuesIn(Firmwares),
                         [](const auto& info) { return std::string(info.param.label); });

// How the firmware version pieces make up the text is tested on
// firmware::assembleVersion; here each choice reads afresh and shows it.
TEST(MainWindow, HelpShowsBothVersionsAndExitClosesWithoutARequest)
{
    Rig rig;
    Windows w = rig.start();
    w.mainWindow->show();
    rig.emulator.state().firmwareVersion = "0123456789ABCDEF";
    rig.emulator.clearLog();

    w.mainWindow->ui().Version1->trigger();
    w.mainWindow->ui().PICVersion1->trigger();
    w.mainWindow->ui().PICVersion1->trigger();
    w.mainWindow->ui().Exit1->trigger();

    EXPECT_EQ(rig.host.messages,
              QStringList({"      Brisel default Setting V03.06", "0123456789ABCDEF", "0123456789ABCDEF"}));
    EXPECT_EQ(pictures(rig.emulator.log()), Strings(6, "R FF 8"));  // 8, 8 and 0 bytes, twice
    EXPECT_FALSE(w.mainWindow->isVisible());
}

// The Exit of each optional dialog closes it and sends nothing.
TEST(MainWindow, EachDialogsExitClosesItWithoutARequest)
{
    Rig rig;
    Windows w = rig.start();
    for (const auto& [name, exit] :
         {std::pair{"RepeaterInfoSetting1", "Exit1"}, {"SlowData", "Exu1"}, {"Beacon", "Exit1"}}) {
        const char* item = name;  // a plain variable: the lambda below takes it
        SCOPED_TRACE(item);
        dlg::expectExitClosesSilently(
            rig, [&] { dlg::trigger(*w.mainWindow, item); }, exit);
    }
}

}  // namespace
