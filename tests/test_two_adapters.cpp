// Two adapters on the bus. A lost adapter is never swapped for another: the
// basic settings Save of a program that had adapter A open, A pulled out at
// the 0x04 write, and the next Save over whatever the bus holds then. And
// the adapter menu: the change to another adapter, taken as start-up takes
// the first, or refused with the adapter in use kept; the record of a write
// to the chosen adapter that was cut short told, as at start-up.

#include "app/adapter_menu.h"
#include "app/eeprom_set.h"
#include "device/adapter_connection.h"
#include "dialogs/adapter_action.h"
#include "dialogs/basicinfo.h"
#include "dialogs/unit12.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"
#include "tests/support/dialog_helpers.h"
#include "tests/support/named_case.h"
#include "ui_eeprom_set.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>

namespace {

using Pics = std::vector<std::string>;
using emu::Feature;

struct Bus {
    emu::Emulator a, b;
    std::vector<emu::BusSlot> sockets{{&a, "1-1.2", {1, 7}}, {&b, "1-1.3", {1, 8}}};
    // One walk for start-up, the menu and the return after a loss, as the
    // program has one bus.
    std::function<AdapterWalk()> walk = emu::emulatedBusWalk(sockets);
    AdapterConnection connection{nullptr, trackingOpener(walk)};
    VendorLink link{connection};
    RecordingHost host{a};
    std::optional<Windows> windows;
    int walks = 0;  // how often the adapter menu walked the bus
    AdapterMenu* adapterMenu = nullptr;

    // Start-up over the adapters plugged in, with the adapter menu.
    void open()
    {
        connection.reconnectIfLost();
        windows.emplace(createWindows(Context{link, host, &connection}));
        adapterMenu = new AdapterMenu(*windows, [this] {
            ++walks;
            return walk();
        });
    }
    QMenu& menu() { return dlg::child<QMenu>(*windows->mainWindow, "Adapter1"); }
    // The menu's items as it opens.
    QList<QAction*> entries()
    {
        menu().aboutToShow();
        return menu().actions();
    }
    QString title() { return windows->mainWindow->windowTitle(); }
    // Start-up, and Delay Time 500 entered.
    void start()
    {
        open();
        windows->mainWindow->BasicInfoSetting1Click();
        QLineEdit& delay = dlg::edit(*windows->basicDialog, "DelayTime");
        delay.selectAll();
        delay.insert("500");
    }
    void save()
    {
        a.clearLog();
        b.clearLog();
        host.messages.clear();
        windows->basicDialog->Save1Click();
    }
};

void unplug(emu::Emulator& e)
{
    e.clearFaults();
    e.unplugFrom(0);
}

// What the next Save sends to an adapter: nothing, or the probes of
// start-up and the group's read (the adapter is known again), then the
// Save if it holds what the dialog read or sent.
enum Reached { None, Saved, KnownAgainOnly, ProbedOnly };
const Pics KnownAgain = {"R B3 1", "R AF 3", "R 59 1", "R 72 2", "R 72 2", "R 58 1", "R AF 3",
                         "R 59 1", "R B3 1", "R 52 1", "R 51 1", "R 53 1", "R 54 1", "R 5B 1",
                         "R 56 1", "R E2 1", "R E3 1", "R D0 1", "R 72 2", "R 58 1"};

const QString CutAtTheThirdWrite = QStringLiteral(
    "The DV Brisel (Relavox) was lost in the middle of the Save, so Basic Infomation Setting may be half written."
    "\n\nReached the adapter: Delay Time, Time Out.\nMay have reached it: Resync Error Bits.\nNever sent: Keep "
    "Alive, Last Frame Error Bits, CRC Check, COS Check, Last Frame Send, Full/Half Duplex, PreBitPattern, "
    "PostBitPattern, TX Invert, RX Invert, Auto RX Polarity, S/N Squelch, Jitter Buffer Size.\n\nThe dialog still "
    "shows what you entered. Plug the adapter in again and save again: until then the record of the Save stays, "
    "and the program tells of it when it starts.");
const QString OtherSettings = QStringLiteral(
    "The DV Brisel (Relavox) found again at USB port 1-1.3 (device 1:8) holds other settings than the one this "
    "dialog read: it is another adapter, or its settings were changed meanwhile.\n\nNothing was written, and the "
    "dialog still shows what you entered. Reload shows what the adapter holds.");

struct Case {
    const char* name;
    bool bothAtStart;                        // else only A, and B is plugged in later
    std::function<void(Bus&)> afterLoss;     // what the user does before the next Save
    Reached toA, toB;                        // what the next Save sends to each
    QString message;                         // what it shows
    std::function<void(Bus&)> beforeLoss{};  // what happens after start-up, before A is lost
};

NAMED_CASE(Case)

class TwoAdapters : public testing::TestWithParam<Case> {};

TEST_P(TwoAdapters, TheNextSaveReachesOnlyTheLostAdapter)
{
    const Case& c = GetParam();
    Bus healthy;
    healthy.start();
    healthy.save();
    const Pics saveStream = pictures(healthy.a.requests());

    Bus bus;
    if (!c.bothAtStart) unplug(bus.b);
    bus.start();
    if (c.beforeLoss) c.beforeLoss(bus);
    bus.a.clearFaults();
    bus.a.unplugFrom(2);  // the Save's third request, 0x04
    bus.save();
    EXPECT_EQ(pictures(bus.a.requests()), Pics(saveStream.begin(), saveStream.begin() + 3));
    EXPECT_EQ(bus.host.messages, QStringList{CutAtTheThirdWrite}) << bus.host.messages.join('|').toStdString();
    const std::string record =
        settings::recordPath(settings::stateFolder(), settings::identityOf(AdapterNode{0, {}, "", "1-1.2"}));

    c.afterLoss(bus);
    bus.save();
    const auto sent = [&saveStream](Reached r) {
        Pics pics = r == None         ? Pics{}
                    : r == ProbedOnly ? Pics(KnownAgain.begin(), KnownAgain.begin() + 9)
                                      : KnownAgain;
        if (r == Saved) pics.insert(pics.end(), saveStream.begin(), saveStream.end());
        return pics;
    };
    EXPECT_EQ(pictures(bus.a.requests()), sent(c.toA));
    EXPECT_EQ(pictures(bus.b.requests()), sent(c.toB));
    EXPECT_EQ(bus.host.messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message});
    EXPECT_EQ(dlg::edit(*bus.windows->basicDialog, "DelayTime").text(), "500");
    // The record of the cut Save stays until a Save has written the group.
    EXPECT_EQ(QFile::exists(QString::fromStdString(record)), c.toA != Saved && c.toB != Saved);
    QFile::remove(QString::fromStdString(record));
}

// A back at its port, at the address a re-plug gives it.
void replugA(Bus& bus, const char* port = "1-1.2")
{
    bus.a.plugIn();
    bus.sockets[0].port = port;
    bus.sockets[0].address = {1, 9};
}

// What the next Save tells of the lost A, with `connected` on the bus.
QString notSwapped(const char* connected)
{
    return QStringLiteral(
               "The DV Brisel (Relavox) in use, at USB port 1-1.2 (device 1:7), is no longer connected.\n\n"
               "Nothing was sent: the program does not change to another adapter by itself. Adapters "
               "connected now:\n%1\nPlug the adapter in again at USB port 1-1.2: the program finds it "
               "the next time you choose a menu item. To use another adapter, start the program again.")
        .arg(QString::fromLatin1(connected));
}

INSTANTIATE_TEST_SUITE_P(
    Bus, TwoAdapters,
    testing::Values(
        Case{"OtherAdapterIsNotTaken", true, [](Bus&) {}, None, None, notSwapped("  at USB port 1-1.3 (device 1:8)\n")},
        Case{"LostAdapterBackAtItsPortIsTaken", true, [](Bus& bus) { replugA(bus); }, Saved, None, ""},
        Case{"LostAdapterAtAnotherPortIsNot", true, [](Bus& bus) { replugA(bus, "1-1.4"); }, None, None,
             notSwapped("  at USB port 1-1.4 (device 1:9)\n  at USB port 1-1.3 (device 1:8)\n")},
        Case{"NoAdapterLeft", true, [](Bus& bus) { unplug(bus.b); }, None, None, NotFoundText},
        // Only one adapter ever seen: the one found is taken wherever it is.
        Case{"OnlyEverOneMovedToAnotherPort", false, [](Bus& bus) { replugA(bus, "1-1.4"); }, Saved, None, ""},
        Case{"OnlyEverOneAndANewOne", false, [](Bus& bus) { bus.b.plugIn(); }, None, Saved, ""},
        // A new one that holds other values or has other
        // features is known again, and nothing is written to it.
        Case{"OnlyEverOneAndANewOneHoldingOtherValues", false,
             [](Bus& bus) {
                 bus.b.state().timeOut = 30;
                 bus.b.plugIn();
             },
             None, KnownAgainOnly, OtherSettings},
        Case{"OnlyEverOneAndANewOneWithOtherFeatures", false,
             [](Bus& bus) {
                 bus.b.setFeature(Feature::Beacon, false);
                 bus.b.plugIn();
             },
             None, ProbedOnly, OtherSettings},
        // B plugged in after start-up and listed by the Adapter
        // menu: two adapters were seen, so B never stands in for A.
        Case{"NewOneTheMenuListedIsNotTaken", false, [](Bus&) {}, None, None,
             notSwapped("  at USB port 1-1.3 (device 1:8)\n"),
             [](Bus& bus) {
                 bus.b.plugIn();
                 bus.adapterMenu->refresh();
             }}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// The requests start-up sends to an adapter whose firmware lacks `missing`.
Pics startUpStream(const std::vector<Feature>& missing)
{
    Rig rig;
    for (Feature f : missing) rig.emulator.setFeature(f, false);
    rig.start();
    return pictures(rig.emulator.requests());
}

bool lacks(const std::vector<Feature>& missing, Feature f)
{
    return std::find(missing.begin(), missing.end(), f) != missing.end();
}

const QString Title = "Brisel Setting Program V03.06";

TEST(AdapterMenu, ListsEveryAdapterInBusOrderOnlyWhenThereAreTwo)
{
    Bus bus;
    unplug(bus.b);
    bus.open();
    EXPECT_EQ(pictures(bus.a.requests()), startUpStream({}));
    EXPECT_FALSE(bus.menu().menuAction()->isVisible());
    EXPECT_EQ(bus.title(), Title);

    bus.b.plugIn();
    bus.sockets[1].heldBy = AdapterHolder{42, "brisel-ctl"};
    QEvent active(QEvent::WindowActivate);  // the bus is walked again
    QCoreApplication::sendEvent(bus.windows->mainWindow.get(), &active);
    EXPECT_TRUE(bus.menu().menuAction()->isVisible());
    EXPECT_EQ(bus.windows->mainWindow->menuBar()->actions().last(), bus.menu().menuAction());
    EXPECT_EQ(bus.title(), Title + " - 1:7");
    QStringList texts;
    for (QAction* entry : bus.entries()) texts << entry->text() + (entry->isChecked() ? " [ticked]" : "");
    EXPECT_EQ(texts, QStringList({"at USB port 1-1.2 (device 1:7) [ticked]",
                                  "at USB port 1-1.3 (device 1:8), in use by brisel-ctl (process 42)"}));
    EXPECT_TRUE(bus.a.requests().size() == startUpStream({}).size() && bus.b.requests().empty());
}

// While a Save talks to the adapter nothing else does: the main window
// activated between its requests walks the bus only after the Save, and the
// PIC Version item chosen then sends nothing and shows nothing.
TEST(AdapterMenu, AWindowActivatedDuringASaveWaitsForItsEnd)
{
    Bus bus;
    bus.start();
    bus.save();
    const Pics alone = pictures(bus.a.requests());
    const int walks = bus.walks;
    bool activated = false;
    bus.host.whilePausing = [&] {
        QEvent active(QEvent::WindowActivate);
        QCoreApplication::sendEvent(bus.windows->mainWindow.get(), &active);
        bus.windows->mainWindow->PICVersion1Click();
        activated = bus.walks == walks;
    };
    bus.save();
    EXPECT_TRUE(activated);
    EXPECT_EQ(pictures(bus.a.requests()), alone);
    EXPECT_TRUE(bus.b.requests().empty());
    EXPECT_TRUE(bus.host.messages.isEmpty()) << bus.host.messages.join('|').toStdString();
    EXPECT_EQ(bus.walks, walks + 1);
}

struct SwitchCase {
    const char* name;
    std::vector<Feature> aLacks, bLacks;
    std::function<void(Bus&)> beforeChoice;
    int bRequests;    // how many requests B gets: -1, its whole start-up
    QString message;  // empty: B is now in use
    QString told{};   // what the change to B tells; %1: the path of B's record
};

NAMED_CASE(SwitchCase)

class Switch : public testing::TestWithParam<SwitchCase> {};

TEST_P(Switch, TakesTheChosenAdapterAsStartUpDoesOrKeepsTheOneInUse)
{
    const SwitchCase& c = GetParam();
    Bus bus;
    for (Feature f : c.aLacks) bus.a.setFeature(f, false);
    for (Feature f : c.bLacks) bus.b.setFeature(f, false);
    bus.b.state().gpsMessage = dlg::block<29>("ADAPTER B", ' ');
    bus.b.state().firmwareVersion = "ADAPTER B";
    bus.open();
    bus.a.clearLog();
    const QList<QAction*> entries = bus.entries();
    c.beforeChoice(bus);
    entries.at(1)->trigger();

    const bool switched = c.message.isEmpty();
    const Pics bStream = startUpStream(c.bLacks);
    EXPECT_EQ(pictures(bus.b.requests()),
              c.bRequests < 0 ? bStream : Pics(bStream.begin(), bStream.begin() + c.bRequests));
    EXPECT_TRUE(bus.a.requests().empty());
    const QString record = QString::fromStdString(
        settings::recordPath(settings::stateFolder(), settings::identityOf(AdapterNode{0, {}, "", "1-1.3"})));
    EXPECT_EQ(bus.host.messages, !switched          ? QStringList{c.message}
                                 : c.told.isEmpty() ? QStringList{}
                                                    : QStringList{c.told.arg(record)});
    EXPECT_FALSE(QFile::exists(record));  // forgotten if there was one
    // With B gone, one adapter is left and the title is as always.
    EXPECT_EQ(bus.title(), Title + (!bus.b.pluggedIn() ? "" : switched ? " - 1:8" : " - 1:7"));
    QList<bool> ticks;
    for (QAction* entry : bus.entries()) ticks << entry->isChecked();
    EXPECT_EQ(ticks.count(true), 1);
    EXPECT_EQ(ticks.indexOf(true), switched ? 1 : 0);

    // The menus and the basic settings probes follow the adapter in use.
    const std::vector<Feature>& lacking = switched ? c.bLacks : c.aLacks;
    Windows& w = *bus.windows;
    Ui::TForm7& ui = w.mainWindow->ui();
    EXPECT_EQ(ui.SlowData->isEnabled(), !lacks(lacking, Feature::SlowData));
    EXPECT_EQ(ui.Beacon->isEnabled(), !lacks(lacking, Feature::Beacon));
    EXPECT_EQ(ui.RS232C->isEnabled(), !lacks(lacking, Feature::SerialPort));
    EXPECT_EQ(dlg::edit(*w.basicDialog, "SN_SQ").isEnabled(), !lacks(lacking, Feature::Squelch));
    EXPECT_EQ(dlg::edit(*w.basicDialog, "JitterValue").isEnabled(), !lacks(lacking, Feature::Jitter));
    if (ui.RS232C->isEnabled()) {
        EXPECT_EQ(dlg::edit(*w.serialPortDialog, "GPS_Message").text().trimmed(), switched ? "ADAPTER B" : "DV Brisel");
    }

    // The next action reaches the adapter in use, and only that one, over
    // the handle kept open: the bus would refuse to open it again.
    bus.a.clearLog();
    bus.b.clearLog();
    bus.host.messages.clear();
    if (!switched) bus.b.plugIn();
    bus.sockets[switched ? 1 : 0].heldBy = AdapterHolder{};
    ui.PICVersion1->trigger();
    EXPECT_EQ(bus.a.requests().empty(), switched);
    EXPECT_EQ(bus.b.requests().empty(), !switched);
    EXPECT_EQ(bus.host.messages, QStringList{switched ? "ADAPTER B" : "DV Brisel PIC V01.07"});
}

INSTANTIATE_TEST_SUITE_P(
    AdapterMenu, Switch,
    testing::Values(
        SwitchCase{"ToTheSameFeatures", {}, {}, [](Bus&) {}, -1, ""},
        SwitchCase{
            "ToFewerFeatures", {}, {Feature::SlowData, Feature::SerialPort, Feature::Squelch}, [](Bus&) {}, -1, ""},
        SwitchCase{"ToMoreFeatures", {Feature::Beacon, Feature::SerialPort, Feature::Jitter}, {}, [](Bus&) {}, -1, ""},
        SwitchCase{"HeldByAnotherProgram",
                   {},
                   {},
                   [](Bus& bus) {
                       bus.sockets[1].heldBy = AdapterHolder{42, "brisel-ctl"};
                   },
                   0,
                   "The DV Brisel (Relavox) is in use by another program, brisel-ctl (process 42).\n\nNothing was "
                   "sent to it. Try again when that program has finished."},
        // A record left by a restore onto B that was cut short: told (and
        // forgotten) before B gets anything but its start-up.
        SwitchCase{"ToAnAdapterWithARecord",
                   {},
                   {},
                   [](Bus& bus) {
                       settings::Snapshot before;
                       before.basic.emplace();
                       before.repeater.emplace();
                       settings::writeRecord(
                           settings::recordPath(settings::stateFolder(),
                                                settings::identityOf(AdapterNode{0, {}, "", "1-1.3"})),
                           {settings::RecordJob::Restore,
                            settings::identityOf(AdapterNode{0, {}, "", "1-1.3"}),
                            "2026-12-08 14:02",
                            {settings::Group::Basic, settings::Group::Repeater},
                            {settings::Group::Basic}},
                           before, {"test", "", settings::Features{}});
                       bus.host.takeChoice = true;
                   },
                   -1,
                   "",
                   QStringLiteral(
                       "A brisel-ctl restore onto the adapter at USB port 1-1.3 was cut short on 2026-12-08 at "
                       "14:02.\nWritten completely: Basic Infomation Setting.\nMay be half written: Repeater "
                       "Information Setting.\n\nThe settings from before it are in %1; File > Load of that file puts "
                       "them back, and so does this command:\nbrisel-ctl --device 1-1.3 restore %1\n\nOK keeps "
                       "this record until a later write "
                       "onto this adapter has written completely again what may be half written.")},
        SwitchCase{"GoneFromTheBus", {}, {}, [](Bus& bus) { unplug(bus.b); }, 0, NotFoundText},
        SwitchCase{"GoneDuringItsStartUp", {}, {}, [](Bus& bus) { bus.b.unplugFrom(4); }, 5, NotFoundText}),
    [](const testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });

TEST(AdapterMenu, TheNewAdapterIsTrackedByItsPortAfterALoss)
{
    Bus bus;
    bus.open();
    bus.entries().at(1)->trigger();
    unplug(bus.b);
    Ui::TForm7& ui = bus.windows->mainWindow->ui();
    ui.PICVersion1->trigger();
    ui.PICVersion1->trigger();  // A is there, but is not taken for the lost B
    ASSERT_EQ(bus.host.messages.size(), 2);
    EXPECT_EQ(bus.host.messages[0], LostOutsideDialogText);
    EXPECT_TRUE(
        bus.host.messages[1].startsWith("The DV Brisel (Relavox) in use, at USB port 1-1.3 (device 1:8), is no"));
    bus.b.plugIn();
    bus.sockets[1].address = {1, 9};
    bus.a.clearLog();
    bus.host.messages.clear();
    ui.PICVersion1->trigger();
    EXPECT_TRUE(bus.a.requests().empty());
    EXPECT_EQ(bus.host.messages, QStringList{QString::fromStdString(bus.b.state().firmwareVersion)});
}

}  // namespace
