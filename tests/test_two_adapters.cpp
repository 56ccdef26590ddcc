// A lost adapter is never swapped for another: the basic settings Save of a
// program that had adapter A open, A pulled out at the 0x04 write, and the
// next Save over whatever the bus holds then.

#include "app/eeprom_set.h"
#include "device/adapter_connection.h"
#include "dialogs/basicinfo.h"
#include "tests/support/dialog_helpers.h"

namespace {

using Pics = std::vector<std::string>;

struct Bus {
    emu::Emulator a, b;
    std::vector<emu::BusSlot> sockets{{&a, "1-1.2", {1, 7}}, {&b, "1-1.3", {1, 8}}};
    AdapterConnection connection{nullptr, emu::emulatedBusOpener(sockets)};
    VendorLink link{connection};
    RecordingHost host{a};
    std::optional<Windows> windows;

    // Start-up over the adapters plugged in, and Delay Time 500 entered.
    void start()
    {
        connection.reconnectIfLost();
        windows.emplace(createWindows(Context{link, host, &connection}));
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

struct Case {
    const char* name;
    bool bothAtStart;                      // else only A, and B is plugged in later
    std::function<void(Bus&)> afterLoss;   // what the user does before the next Save
    bool toA, toB;                         // which adapter the next Save reaches
    QString message;                       // what it shows
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

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
    bus.a.clearFaults();
    bus.a.unplugFrom(2);  // the Save's third request, 0x04
    bus.save();
    EXPECT_EQ(pictures(bus.a.requests()), Pics(saveStream.begin(), saveStream.begin() + 3));
    EXPECT_EQ(bus.host.messages, QStringList{QString::fromLatin1(LostText)});

    c.afterLoss(bus);
    bus.save();
    EXPECT_EQ(pictures(bus.a.requests()), c.toA ? saveStream : Pics{});
    EXPECT_EQ(pictures(bus.b.requests()), c.toB ? saveStream : Pics{});
    EXPECT_EQ(bus.host.messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message});
    EXPECT_EQ(dlg::edit(*bus.windows->basicDialog, "DelayTime").text(), "500");
}

// A back at its port, at the address a re-plug gives it.
void replugA(Bus& bus, const char* port = "1-1.2")
{
    bus.a.plugIn();
    bus.sockets[0].port = port;
    bus.sockets[0].address = {1, 9};
}

INSTANTIATE_TEST_SUITE_P(
    Bus, TwoAdapters,
    testing::Values(
        Case{"OtherAdapterIsNotTaken", true, [](Bus&) {}, false, false,
             "The DV Brisel (Relavox) in use, at USB port 1-1.2 (device 1:7), is no longer connected.\n\n"
             "Nothing was sent: the program does not change to another adapter by itself. Adapters "
             "connected now:\n  at USB port 1-1.3 (device 1:8)\n\nPlug the adapter in again at USB port "
             "1-1.2: the program finds it the next time you choose a menu item. To use another adapter, "
             "start the program again."},
        Case{"LostAdapterBackAtItsPortIsTaken", true, [](Bus& bus) { replugA(bus); }, true, false, ""},
        Case{"LostAdapterAtAnotherPortIsNot", true, [](Bus& bus) { replugA(bus, "1-1.4"); }, false, false,
             "The DV Brisel (Relavox) in use, at USB port 1-1.2 (device 1:7), is no longer connected.\n\n"
             "Nothing was sent: the program does not change to another adapter by itself. Adapters "
             "connected now:\n  at USB port 1-1.4 (device 1:9)\n  at USB port 1-1.3 (device 1:8)\n\n"
             "Plug the adapter in again at USB port 1-1.2: the program finds it the next time you choose "
             "a menu item. To use another adapter, start the program again."},
        Case{"NoAdapterLeft", true, [](Bus& bus) { unplug(bus.b); }, false, false, NotFoundText},
        // Only one adapter ever seen: the one found is taken wherever it is.
        Case{"OnlyEverOneMovedToAnotherPort", false, [](Bus& bus) { replugA(bus, "1-1.4"); }, true, false, ""},
        Case{"OnlyEverOneAndANewOne", false, [](Bus& bus) { bus.b.plugIn(); }, false, true, ""}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
