// Saves that must not store what nobody chose, each with the exact stream it
// sends: the squelch rule, Last Frame Error Bits on Cancel, the digital code,
// a refused baud rate, a Save after a load the adapter did not answer, and
// the adapter pulled out and plugged in again.

#include "app/eeprom_set.h"
#include "app/startup.h"
#include "device/adapter_connection.h"
#include "dialogs/basicinfo.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "tests/support/fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>

// Message texts print as text in failures.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using Pics = std::vector<std::string>;

struct ConnectedRig {
    emu::Emulator emulator;
    bool permitted = true;
    AdapterConnection connection{emu::openEmulated(emulator).transport, [this] {
                                     AdapterAccess access = emu::openEmulated(emulator);
                                     if (!permitted && access.transport) access = {OpenStatus::NoPermission, {}};
                                     return access;
                                 }};
    VendorLink link{connection};
    RecordingHost host{emulator};
};

QLineEdit& box(const QWidget* window, const char* name)
{
    auto* found = window->findChild<QLineEdit*>(QString::fromLatin1(name));
    if (found == nullptr) throw std::runtime_error(name);
    return *found;
}

QAbstractButton& button(const QWidget* window, const char* name)
{
    auto* found = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (found == nullptr) throw std::runtime_error(name);
    return *found;
}

// The user's typing: the box is cleared and the text entered as typed.
void enter(QLineEdit& edit, const char* text)
{
    edit.selectAll();
    edit.insert(QString::fromLatin1(text));
}

struct Case {
    const char* name;
    std::function<void(emu::Emulator&)> adapter;          // what it holds, and its faults
    std::function<void(ConnectedRig&, Windows&)> before;  // opening and the user's edits
    std::function<void(Windows&)> act;
    Pics stream;                                          // what `act` sends
    QStringList messages;
    std::function<void(ConnectedRig&, Windows&)> check = {};
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class SaveGuards : public testing::TestWithParam<Case> {};

TEST_P(SaveGuards, SendExactlyThisAndTell)
{
    const Case& c = GetParam();
    ConnectedRig rig;
    Windows w = createWindows(Context{rig.link, rig.host, &rig.connection});
    rig.emulator.clearFaults();  // faults count their requests from here
    if (c.adapter) c.adapter(rig.emulator);
    if (c.before) c.before(rig, w);
    rig.emulator.clearLog();
    rig.host.messages.clear();
    c.act(w);
    EXPECT_EQ(pictures(rig.emulator.log()), c.stream);
    EXPECT_EQ(rig.host.messages, c.messages);
    if (c.check) c.check(rig, w);
}

const Pics BasicReadBack = {"P 200",  "R 52 1", "R 51 1", "R 53 1", "R 54 1", "R 5B 1",
                            "R 56 1", "R E2 1", "R E3 1", "R D0 1", "R 72 2", "R 58 1"};

Pics basicSaveWith(Pics writes)
{
    writes.insert(writes.end(), BasicReadBack.begin(), BasicReadBack.end());
    return writes;
}

const Case Cases[] = {
    {"SquelchZeroWithCosOffStoresNeither", nullptr,
     [](ConnectedRig&, Windows& w) {
         w.form7->BasicInfoSetting1Click();
         enter(box(w.autoDetect, "SN_SQ"), "0");
     },
     [](Windows& w) { w.autoDetect->Save1Click(); },
     basicSaveWith({"V 02 001E", "V 01 0012", "V 04 000C", "V 5A 0008", "V 03 000A", "V 07 0001",
                    "V 0A 0001", "V 0E 0000", "V E0 00F0", "V E1 0066", "V D2 0000", "V D1 0000",
                    "V D3 0000", "V 4A 0014"}),
     {QStringLiteral("You must set the value of S/N Squelch > 0, when you set none COS check.")}},
    {"CancelDiscardsLastFrameErrorBits", nullptr,
     [](ConnectedRig&, Windows& w) {
         w.form7->BasicInfoSetting1Click();
         enter(box(w.autoDetect, "LastFrameErrorBits"), "20");
     },
     [](Windows& w) { w.autoDetect->Cancel1Click(); },
     {"R 52 1", "R 51 1", "R 53 1", "R 54 1", "R 5B 1", "R 56 1", "R E2 1", "R E3 1", "R D0 1",
      "R 72 2", "R 58 1"},
     {},
     [](ConnectedRig&, Windows& w) { EXPECT_EQ(box(w.autoDetect, "LastFrameErrorBits").text(), "8"); }},
    {"RefusedLastFrameErrorBitsShowsWhatTheAdapterHolds", nullptr,
     [](ConnectedRig&, Windows& w) {
         w.form7->BasicInfoSetting1Click();
         enter(box(w.autoDetect, "LastFrameErrorBits"), "30");
     },
     [](Windows& w) { w.autoDetect->Save1Click(); },
     basicSaveWith({"V 02 001E", "V 01 0012", "V 04 000C", "V 03 000A", "V 07 0001", "V 0A 0001",
                    "V 0E 0000", "V E0 00F0", "V E1 0066", "V D2 0000", "V D1 0000", "V D3 0000",
                    "V 06 0000", "V 71 0080", "V 4A 0014"}),
     {QStringLiteral("Invalid value in Last Frame Error Bits (Max. value is 24)")},
     [](ConnectedRig&, Windows& w) { EXPECT_EQ(box(w.autoDetect, "LastFrameErrorBits").text(), "8"); }},
    {"UnchangedCodeAbIsStoredAsAb", [](emu::Emulator& e) { e.state().digitalCode = 0xAB; },
     [](ConnectedRig&, Windows& w) { w.form7->SlowDataClick(); },
     [](Windows& w) { w.form15->Save1Click(); },
     {"V E5 0000", "V E7 0000", "V E8 0000", "D E9 AB", "V E4 0000", "D E6 44 56 20 42 72 69 73 65",
      "D E6 6C 00 00 00 00 00 00 00", "D E6 00 00 00 00", "R AF 3", "P 200", "R EA 1", "Z+ EB",
      "R EC 8", "R EC 8", "R EC 4"},
     {},
     [](ConnectedRig& rig, Windows& w) {
         EXPECT_EQ(rig.emulator.state().digitalCode, 0xAB);
         EXPECT_EQ(box(w.form15, "DigitalCodeValue").text(), "ab");
     }},
    {"CodeWithAnotherCharacterIsRefused", nullptr,
     [](ConnectedRig&, Windows& w) {
         w.form7->SlowDataClick();
         enter(box(w.form15, "DigitalCodeValue"), "1g");
     },
     [](Windows& w) { w.form15->Save1Click(); },
     {"V E5 0000", "V E7 0000", "V E8 0000", "V E4 0000", "D E6 44 56 20 42 72 69 73 65",
      "D E6 6C 00 00 00 00 00 00 00", "D E6 00 00 00 00", "R AF 3", "P 200", "R EA 1", "Z+ EB",
      "R EC 8", "R EC 8", "R EC 4"},
     {QStringLiteral("Invalid character in Code")}},
    {"RefusedBaudRateIsTold", [](emu::Emulator& e) { e.injectFault({emu::FaultKind::Stall, 0xB0, 1}); },
     [](ConnectedRig&, Windows& w) { button(w.form12, "S4800").click(); },
     [](Windows& w) { w.form12->Save1Click(); },
     {"V B0 0030"},
     {QStringLiteral("The adapter refused the baud rate. Nothing else was saved.")},
     [](ConnectedRig&, Windows& w) { EXPECT_TRUE(button(w.form12, "S4800").isChecked()); }},
    {"StatusBlockNotReadIsNotWrittenBack",
     [](emu::Emulator& e) {
         e.state().status = {0x03, 0x01, 0x90};
         e.injectFault({emu::FaultKind::Timeout, 0xAF, 1});
     },
     [](ConnectedRig& rig, Windows& w) {
         w.form7->RepeaterInfoSetting1Click();
         EXPECT_EQ(rig.host.messages.size(), 1);
     },
     [](Windows& w) { w.form11->Ssve1Click(); },
     {"D 46 4A 50 31 59 49 55 20 41", "P 50", "R 55 8", "D A0 4A 41 31 41 41 41 20 20", "P 50",
      "R A8 8", "D A1 49 44 35 31", "P 50", "R A9 4", "D A2 43 51 43 51 43 51 20 20", "P 50",
      "R AA 8", "D A3 4A 50 31 59 49 55 20 41", "P 50", "R AB 8", "D A4 4A 50 31 59 49 55 20 47",
      "P 50", "R AC 8", "P 200", "R AF 3"},
     {QStringLiteral("Not saved, because no value was read from the adapter or entered for them: "
                     "Call Check, DUP Check, DUP Clear, Replace My Call Sign, Replace My Call Sign2, Replace "
                     "Your Call Sign, Replace RPT1 Call Sign, Replace RPT2 Call Sign, Replace "
                     "Flag, Flag.")},
     [](ConnectedRig& rig, Windows& w) {
         EXPECT_EQ(rig.emulator.state().status, (std::array<std::uint8_t, 3>{0x03, 0x01, 0x90}));
         EXPECT_TRUE(button(w.form11, "AltFlag7").isChecked());  // read back after Save
     }},
    {"LostAndNotBackSendsNothing", nullptr,
     [](ConnectedRig& rig, Windows& w) {
         rig.emulator.unplugFrom(0);
         w.form11->Cancel1Click();
     },
     [](Windows& w) { w.form7->RepeaterInfoSetting1Click(); },
     {},
     {QString::fromLatin1(NotFoundText)},
     [](ConnectedRig& rig, Windows&) { EXPECT_TRUE(rig.host.shown.isEmpty()); }},
    {"FoundAgainWithoutPermissionSendsNothing", nullptr,
     [](ConnectedRig& rig, Windows& w) {
         rig.emulator.unplugFrom(0);
         w.form7->PICVersion1Click();
         rig.emulator.plugIn();
         rig.permitted = false;
     },
     [](Windows& w) { w.form7->PICVersion1Click(); },
     {},
     {QString::fromLatin1(NoPermissionText)}},
};

INSTANTIATE_TEST_SUITE_P(Cases, SaveGuards, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
