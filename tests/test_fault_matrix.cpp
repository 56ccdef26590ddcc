// Every flow of the program over the emulated adapter: its healthy request
// stream, literally (the one place that states it), and every fault the
// adapter can show at every request of it.
//
//  - Unplugged at request k: nothing is sent after it, every control shows
//    what it showed before the flow, one message says the adapter is gone,
//    and the next action finds the adapter again once it is plugged back in.
//  - A stall, a time-out or a short answer at request k: the flow goes on
//    (a failed baud rate read or write excepted), a control differs from the
//    healthy run only by showing that it was not read (or, for a feature
//    read, by being blanked and disabled), at most one message tells, and a
//    following Save without edits leaves the adapter exactly as it was:
//    nothing is written that was not read or entered.
//
// Then the Saves that must not store what nobody chose, each with its exact
// stream: the squelch rule, the digital code, a refused baud rate, a Save
// after a status block that was not read, and an adapter that is not back.
// (Last Frame Error Bits is read on Cancel and after Save: the flow table.)

#include "app/eeprom_set.h"
#include "app/startup.h"
#include "device/adapter_connection.h"
#include "device/vendor_link.h"
#include "dialogs/adapter_action.h"
#include "dialogs/basicinfo.h"
#include "dialogs/not_read.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "tests/support/dialog_helpers.h"
#include "tests/support/named_case.h"
#include "tests/support/wire_rules.h"

#include <QAbstractButton>
#include <QCheckBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

// Message texts print as text in failures.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

using emu::FaultKind;
using emu::Feature;
using Pics = std::vector<std::string>;

// The adapter as the program holds it: lost requests throw, a bus walk
// finds the emulator while it is plugged in.
using MatrixRig = ConnectedRig;

struct Flow {
    std::string name;
    std::vector<Feature> missing;
    std::function<void(Windows&)> before;  // opens the dialog the flow acts in
    std::function<void(Windows&)> act;     // empty: the flow is start-up itself
    std::function<void(Windows&)> save;    // the Save of the dialog the flow fills
    Pics stream;                           // what a healthy adapter sees, in order
    QStringList messages = {};             // what a healthy run shows
    Pics knownAgain = {};                  // a Save: what it sends first after a loss
};

// Everything the windows show: each edit box, check box, radio button and
// menu item with its text, state and enabled state, and which optional
// dialogs exist.
Pics snapshot(const Windows& w)
{
    Pics out;
    auto dump = [&out](const char* window, const QWidget* root) {
        if (root == nullptr) {
            out.push_back(std::string(window) + " absent");
            return;
        }
        for (const QLineEdit* e : root->findChildren<QLineEdit*>()) {
            if (e->objectName().isEmpty()) continue;
            out.push_back(std::string(window) + "." + e->objectName().toStdString() + " '" + e->text().toStdString() +
                          "'" + (notread::isKnown(*e) ? "" : " not read") + (e->isEnabled() ? "" : " disabled"));
        }
        for (const QAbstractButton* b : root->findChildren<QAbstractButton*>()) {
            if (b->objectName().isEmpty() || !b->isCheckable()) continue;
            const auto* box = qobject_cast<const QCheckBox*>(b);
            const bool undecided = box != nullptr && box->checkState() == Qt::PartiallyChecked;
            out.push_back(std::string(window) + "." + b->objectName().toStdString() +
                          (undecided        ? " undecided"
                           : b->isChecked() ? " on"
                                            : " off") +
                          (notread::isKnown(*b) ? "" : " not read") + (b->isEnabled() ? "" : " disabled"));
        }
    };
    for (const QAction* a : w.mainWindow->findChildren<QAction*>(Qt::FindDirectChildrenOnly))
        if (!a->objectName().isEmpty())
            out.push_back("Form7." + a->objectName().toStdString() + (a->isEnabled() ? "" : " disabled"));
    dump("AutoDetect", w.basicDialog);
    dump("Form11", w.repeaterDialog);
    dump("Form15", w.slowDataDialog);
    dump("Form17", w.beaconDialog);
    dump("Form12", w.serialPortDialog);
    return out;
}

struct Outcome {
    Pics stream;
    std::vector<emu::LogEntry> log;
    Pics before, after;  // snapshots around the flow
    QStringList messages, shown;
    bool lostAtStartUp = false;
    // What the adapter holds after the flow, and after a following Save.
    emu::AdapterState held, heldAfterSave;
};

struct Injected {
    FaultKind kind;
    int index;
    int shortBytes = 0;
};

// A fresh program over a fresh adapter; `fault` is armed just before the
// flow. With `thenSave`, the dialog's Save follows on a healthy adapter.
Outcome runFlow(const Flow& flow, std::optional<Injected> fault, bool thenSave = false,
                std::function<void(MatrixRig&, Windows&)> after = {})
{
    MatrixRig rig;
    for (Feature f : flow.missing) rig.emulator.setFeature(f, false);
    Outcome o;
    auto arm = [&] {
        rig.emulator.clearLog();
        rig.emulator.clearFaults();
        rig.host.messages.clear();
        rig.host.shown.clear();
        if (fault) rig.emulator.injectFaultAt(fault->index, fault->kind, fault->shortBytes);
    };
    std::optional<Windows> w;
    if (!flow.act) {
        arm();
        try {
            w.emplace(createWindows(rig.context()));
        } catch (const AdapterGone&) {
            o.lostAtStartUp = true;
        }
    } else {
        w.emplace(createWindows(rig.context()));
        if (flow.before) flow.before(*w);
        o.before = snapshot(*w);
        arm();
        flow.act(*w);
    }
    o.log = rig.emulator.log();
    o.stream = pictures(o.log);
    o.messages = rig.host.messages;
    o.shown = rig.host.shown;
    if (w) o.after = snapshot(*w);
    o.held = rig.emulator.state();
    o.heldAfterSave = o.held;
    if (w && thenSave && flow.save) {
        rig.emulator.clearFaults();
        flow.save(*w);
        o.heldAfterSave = rig.emulator.state();
    }
    if (w && after) after(rig, *w);
    return o;
}

// ---------------------------------------------------------------------------
// The flows and their healthy streams.

Pics join(std::initializer_list<Pics> parts)
{
    Pics out;
    for (const Pics& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

const Pics MainWindowProbes = {"R B3 1", "R AF 3", "R 59 1"};
const Pics BasicConstruction = {"R 72 2", "R 72 2", "R 58 1"};
const Pics DialogProbes = {"R AF 3", "R 59 1", "R B3 1"};
const Pics SerialLoad = {"R B1 1", "R B3 1", "R B5 1", "V B8 0000", "R B7 8", "R B7 8", "R B7 8", "R B7 5"};
// The basic settings load: the 0x5B read sits after 0x54 in every form.
const Pics BasicLoad = {"R 52 1", "R 51 1", "R 53 1", "R 54 1", "R 5B 1", "R 56 1",
                        "R E2 1", "R E3 1", "R D0 1", "R 72 2", "R 58 1"};
// A Save without edits of the emulator's default basic settings.
const Pics BasicWrites = {"V 02 001E", "V 01 0012", "V 04 000C", "V 5A 0008", "V 03 000A", "V 07 0001",
                          "V 0A 0001", "V 0E 0000", "V E0 00F0", "V E1 0066", "V D2 0000", "V D1 0000",
                          "V D3 0000", "V 06 0000", "V 71 0080", "V 4A 0014"};
const Pics RepeaterLoad = {"R AF 3", "R 55 8", "R A8 8", "R A9 4", "R AA 8", "R AB 8", "R AC 8"};
// Each text is written, given its pause and read back before the next.
const Pics RepeaterSave = join({{"D 46 4E 30 52 50 54 20 20 41", "P 50", "R 55 8"},
                                {"D A0 4E 30 43 41 4C 4C 20 20", "P 50", "R A8 8"},
                                {"D A1 54 45 53 54", "P 50", "R A9 4"},
                                {"D A2 43 51 43 51 43 51 20 20", "P 50", "R AA 8"},
                                {"D A3 4E 30 52 50 54 20 20 41", "P 50", "R AB 8"},
                                {"D A4 4E 30 52 50 54 20 20 47", "P 50", "R AC 8"},
                                {"V 90 0001", "V 91 0001", "V 92 0000", "V 93 0000", "V 94 0000", "V 95 0000"},
                                {"V 96 0000", "V 97 0000", "V 99 0000", "V 98 0000", "P 200", "R AF 3"}});
const Pics SlowDataRead = {"R EC 8", "R EC 8", "R EC 4"};
const Pics SlowDataSave = join({{"V E5 0000", "V E7 0000", "V E8 0000", "D E9 00", "V E4 0000"},
                                {"D E6 44 56 20 42 72 69 73 65", "D E6 6C 00 00 00 00 00 00 00", "D E6 00 00 00 00"},
                                {"R AF 3", "P 200", "R EA 1", "Z+ EB"}});
const Pics BeaconRead = {"R EF 8", "R EF 8", "R EF 4"};
const Pics BeaconSave = join({{"V 4B 003C", "V E4 0000"},
                              {"D ED 51 52 56 20 44 56 00 00", "D ED 00 00 00 00 00 00 00 00", "D ED 00 00 00 00"},
                              {"P 200", "V 00 0000", "P 200", "R 59 1", "Z+ EE"}});
const Pics SerialSave = join({{"V B0 0060", "R B1 1", "V B2 0000", "R B3 1", "V B4 0003", "R B5 1", "V E4 0000"},
                              {"D B6 44 56 20 42 72 69 73 65", "D B6 6C 20 20 20 20 20 20 20"},
                              {"D B6 20 20 20 20 20 20 20 20", "D B6 20 20 20 20 20"},
                              {"P 200", "Z+ B8", "R B7 8", "R B7 8", "R B7 8", "R B7 5"}});

std::vector<Flow> allFlows()
{
    const std::vector<Feature> none = {Feature::SlowData, Feature::Beacon, Feature::SerialPort, Feature::Squelch,
                                       Feature::Jitter};
    const std::vector<Feature> noSquelchJitter = {Feature::Squelch, Feature::Jitter};
    auto basicSave = [](Windows& w) { w.basicDialog->Save1Click(); };
    auto repeaterSave = [](Windows& w) { w.repeaterDialog->Ssve1Click(); };
    auto slowSave = [](Windows& w) { w.slowDataDialog->Save1Click(); };
    auto beaconSave = [](Windows& w) { w.beaconDialog->Save1Click(); };
    auto serialSave = [](Windows& w) {
        if (w.serialPortDialog != nullptr) w.serialPortDialog->Save1Click();
    };
    auto basicOpening = [](Windows& w) { w.mainWindow->BasicInfoSetting1Click(); };
    auto repeaterOpening = [](Windows& w) { w.mainWindow->RepeaterInfoSetting1Click(); };
    auto slowOpening = [](Windows& w) { w.mainWindow->SlowDataClick(); };
    auto beaconOpening = [](Windows& w) { w.mainWindow->BeaconClick(); };
    auto repeaterCancel = [](Windows& w) { w.repeaterDialog->Cancel1Click(); };
    auto slowCancel = [](Windows& w) { w.slowDataDialog->Cancel1Click(); };
    auto beaconCancel = [](Windows& w) { w.beaconDialog->Cancel1Click(); };
    auto picVersion = [](Windows& w) { w.mainWindow->PICVersion1Click(); };
    const Pics startUp = join({MainWindowProbes, BasicConstruction, DialogProbes});
    // After a loss a Save first sends start-up's probes and its group's read
    // again (as Cancel reads it).
    const auto again = [&startUp](const Pics& read) { return join({startUp, read}); };
    const Pics slowOpened = join({{"R AF 3", "R EA 1", "V EB 0000"}, SlowDataRead});
    const Pics slowCancelled = join({{"R AF 3", "R EA 1", "Z+ EB"}, SlowDataRead});
    return {
        {"StartUp", {}, nullptr, nullptr, serialSave, join({startUp, SerialLoad})},
        {"StartUpWithoutOptionalFeatures", none, nullptr, nullptr, nullptr, startUp},
        {"BasicOpening", {}, nullptr, basicOpening, basicSave, join({{"R B3 1"}, BasicLoad})},
        {"BasicOpeningWithoutSquelchJitter", noSquelchJitter, nullptr, basicOpening, basicSave,
         join({{"R B3 1"}, BasicLoad})},
        {"BasicReload", {}, basicOpening, [](Windows& w) { w.basicDialog->Reload1Click(); }, basicSave, BasicLoad},
        {"BasicCancel", {}, basicOpening, [](Windows& w) { w.basicDialog->Cancel1Click(); }, basicSave, BasicLoad},
        {"BasicSave",
         {},
         basicOpening,
         basicSave,
         basicSave,
         join({BasicWrites, {"P 200"}, BasicLoad}),
         {},
         again(BasicLoad)},
        {"BasicSaveWithoutSquelchJitter",
         noSquelchJitter,
         basicOpening,
         basicSave,
         basicSave,
         join({{BasicWrites.begin(), BasicWrites.end() - 2}, {"P 200"}, BasicLoad}),
         {},
         again(BasicLoad)},
        {"RepeaterOpening", {}, nullptr, repeaterOpening, repeaterSave, RepeaterLoad},
        {"RepeaterCancel", {}, repeaterOpening, repeaterCancel, repeaterSave, RepeaterLoad},
        {"RepeaterSave", {}, repeaterOpening, repeaterSave, repeaterSave, RepeaterSave, {}, again(RepeaterLoad)},
        {"SlowDataOpening", {}, nullptr, slowOpening, slowSave, slowOpened},
        {"SlowDataCancel", {}, slowOpening, slowCancel, slowSave, slowCancelled},
        {"SlowDataSave",
         {},
         slowOpening,
         slowSave,
         slowSave,
         join({SlowDataSave, SlowDataRead}),
         {},
         again(slowCancelled)},
        {"BeaconOpening", {}, nullptr, beaconOpening, beaconSave, join({{"Z+ EE"}, BeaconRead, {"R 59 1"}})},
        {"BeaconCancel", {}, beaconOpening, beaconCancel, beaconSave, join({{"V EE 0000"}, BeaconRead, {"R 59 1"}})},
        {"BeaconSave",
         {},
         beaconOpening,
         beaconSave,
         beaconSave,
         join({BeaconSave, BeaconRead}),
         {},
         again(join({{"V EE 0000"}, BeaconRead, {"R 59 1"}}))},
        {"SerialCancel", {}, nullptr, [](Windows& w) { w.serialPortDialog->Cancel1Click(); }, serialSave, SerialLoad},
        {"SerialSave", {}, nullptr, serialSave, serialSave, SerialSave, {}, again(SerialLoad)},
        {"FirmwareVersion", {}, nullptr, picVersion, nullptr, Pics(3, "R FF 8"), {"DV Brisel PIC V01.07"}},
    };
}

std::string text(const QStringList& messages)
{
    return messages.join(QStringLiteral(" | ")).toStdString();
}

std::string flowName(const testing::TestParamInfo<Flow>& info)
{
    return info.param.name;
}

class Flows : public testing::TestWithParam<Flow> {};

TEST_P(Flows, HealthyStreamIsExactlyThis)
{
    const Flow& flow = GetParam();
    const Outcome o = runFlow(flow, std::nullopt);
    EXPECT_EQ(o.stream, flow.stream);
    EXPECT_EQ(text(o.messages), text(flow.messages));
    for (const emu::LogEntry& e : o.log) EXPECT_EQ(wire_rules::offRange(e), "") << picture(e);
}

const char* kindName(FaultKind k)
{
    switch (k) {
    case FaultKind::Stall: return "stall";
    case FaultKind::Timeout: return "time-out";
    case FaultKind::ShortRead: return "short read";
    case FaultKind::Unplug: return "unplug";
    }
    return "?";
}

// The request entries of a healthy run, by their position among requests.
std::vector<const emu::LogEntry*> requestsOf(const std::vector<emu::LogEntry>& log)
{
    std::vector<const emu::LogEntry*> out;
    for (const emu::LogEntry& e : log)
        if (e.kind == emu::LogEntry::Kind::Request) out.push_back(&e);
    return out;
}

// The healthy stream up to and including the n-th request.
Pics prefixThroughRequest(const Pics& stream, const std::vector<emu::LogEntry>& log, int n)
{
    int seen = -1;
    for (std::size_t i = 0; i < log.size(); ++i)
        if (log[i].kind == emu::LogEntry::Kind::Request && ++seen == n)
            return {stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(i) + 1};
    return stream;
}

TEST_P(Flows, UnpluggedAtEachRequestEndsAtOnceKeepsTheControlsAndFindsTheAdapterAgain)
{
    const Flow& flow = GetParam();
    const Outcome healthy = runFlow(flow, std::nullopt);
    const int count = static_cast<int>(requestsOf(healthy.log).size());
    for (int k = 0; k < count; ++k) {
        const std::string label = flow.name + " unplugged at request " + std::to_string(k);
        Pics again;
        QStringList againMessages;
        const Outcome o = runFlow(flow, Injected{FaultKind::Unplug, k}, false, [&](MatrixRig& rig, Windows& w) {
            // The user plugs it in and chooses the same again.
            rig.emulator.plugIn();
            rig.emulator.clearLog();
            rig.host.messages.clear();
            flow.act(w);
            again = pictures(rig.emulator.log());
            againMessages = rig.host.messages;
        });
        EXPECT_EQ(o.stream, prefixThroughRequest(healthy.stream, healthy.log, k)) << label;
        if (!flow.act) {
            EXPECT_TRUE(o.lostAtStartUp) << label;
            continue;
        }
        EXPECT_EQ(o.after, o.before) << label << ": the controls changed";
        // A Save cut short before its last write says how far it came.
        bool cut = false;
        for (std::size_t i = static_cast<std::size_t>(k); i < requestsOf(healthy.log).size(); ++i)
            cut = cut || (!flow.knownAgain.empty() && !requestsOf(healthy.log)[i]->isRead() &&
                          requestsOf(healthy.log)[i]->request != 0x00);
        if (cut) EXPECT_TRUE(o.messages.value(0).startsWith("The DV Brisel (Relavox) was lost in the middle")) << label;
        else EXPECT_EQ(text(o.messages), flow.name == "FirmwareVersion" ? LostOutsideDialogText : LostText) << label;
        EXPECT_TRUE(o.shown.isEmpty()) << label << ": a dialog was shown";
        EXPECT_EQ(again, join({flow.knownAgain, healthy.stream})) << label << ": after plugging in again";
        EXPECT_EQ(text(againMessages), text(flow.messages)) << label;
    }
}

TEST_P(Flows, AnyOtherFaultAtEachRequestWritesNothingThatWasNotRead)
{
    const Flow& flow = GetParam();
    const Outcome healthy = runFlow(flow, std::nullopt, true);
    const auto requests = requestsOf(healthy.log);
    int cases = 0;
    for (int k = 0; k < static_cast<int>(requests.size()); ++k) {
        for (FaultKind kind : {FaultKind::Stall, FaultKind::Timeout, FaultKind::ShortRead}) {
            const emu::LogEntry& target = *requests[static_cast<std::size_t>(k)];
            Injected fault{kind, k};
            if (kind == FaultKind::ShortRead) {
                if (!target.isRead() || target.length == 0) continue;
                fault.shortBytes = target.length - 1;
            }
            const std::string label =
                flow.name + " " + kindName(kind) + " at request " + std::to_string(k) + " (" + picture(target) + ")";
            const Outcome o = runFlow(flow, fault, true);
            ++cases;
            for (const emu::LogEntry& e : o.log) EXPECT_EQ(wire_rules::offRange(e), "") << label;
            // Only a failed baud rate read (as a load starts) or write ends a
            // flow early, and at start-up the serial port probe that decides
            // whether its dialog exists.
            int occurrence = 0;
            for (int i = 0; i <= k; ++i) occurrence += requests[static_cast<std::size_t>(i)]->request == target.request;
            const bool endsFlow = target.request == 0xFF ||  // a short piece ends the version text
                                  (kind != FaultKind::ShortRead &&
                                   ((target.request == 0xB1 && flow.name != "SerialSave") || target.request == 0xB0 ||
                                    (!flow.act && target.request == 0xB3 && occurrence == 2)));
            EXPECT_EQ(o.stream, endsFlow ? prefixThroughRequest(healthy.stream, healthy.log, k) : healthy.stream)
                << label;
            EXPECT_LE(o.messages.size(), 1) << label << ": " << text(o.messages);
            EXPECT_TRUE(o.heldAfterSave == o.held) << label << ": a Save without edits changed the adapter";
            // A failed write may leave the adapter holding something else,
            // which the read-back then shows; a failed read only ever shows
            // that it was not read. (At start-up the probes decide features.)
            if (flow.act && target.isRead()) {
                ASSERT_EQ(o.after.size(), healthy.after.size()) << label;
                for (std::size_t i = 0; i < o.after.size(); ++i) {
                    if (o.after[i] != healthy.after[i]) {
                        EXPECT_NE(o.after[i].find(" not read"), std::string::npos)
                            << label << ": " << o.after[i] << " instead of " << healthy.after[i];
                    }
                }
            }
            if (HasFailure()) return;
        }
    }
    std::printf("fault matrix: %s: %d cases\n", flow.name.c_str(), cases);
}

INSTANTIATE_TEST_SUITE_P(Matrix, Flows, testing::ValuesIn(allFlows()), flowName);

// ---------------------------------------------------------------------------
// Saves that must not store what nobody chose.

// The user's typing: the box is cleared and the text entered as typed.
void enter(QLineEdit& edit, const char* text)
{
    edit.selectAll();
    edit.insert(QString::fromLatin1(text));
}

struct Case {
    const char* name;
    std::function<void(emu::Emulator&)> adapter;       // what it holds, and its faults
    std::function<void(MatrixRig&, Windows&)> before;  // opening and the user's edits
    std::function<void(Windows&)> act;
    Pics stream;  // what `act` sends
    QStringList messages;
    std::function<void(MatrixRig&, Windows&)> check = {};
};

NAMED_CASE(Case)

class SaveGuards : public testing::TestWithParam<Case> {};

TEST_P(SaveGuards, SendExactlyThisAndTell)
{
    const Case& c = GetParam();
    MatrixRig rig;
    Windows w = createWindows(rig.context());
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

// The healthy basic settings Save without the writes of `codes`.
Pics basicSaveWithout(std::initializer_list<const char*> codes)
{
    Pics writes;
    for (const std::string& w : BasicWrites)
        if (std::none_of(codes.begin(), codes.end(), [&w](const char* c) { return w.rfind(c, 0) == 0; }))
            writes.push_back(w);
    return join({writes, {"P 200"}, BasicLoad});
}

// The healthy basic settings Save with Keep Alive 20.
const Pics keepAlive20Save = join({{BasicWrites.begin(), BasicWrites.begin() + 4},
                                   {"V 03 0002"},
                                   {BasicWrites.begin() + 5, BasicWrites.end()},
                                   {"P 200"},
                                   BasicLoad});

const Case Cases[] = {
    {"SquelchZeroWithCosOffStoresNeither",
     nullptr,
     [](MatrixRig&, Windows& w) {
         w.mainWindow->BasicInfoSetting1Click();
         enter(dlg::edit(*w.basicDialog, "SN_SQ"), "0");
     },
     [](Windows& w) { w.basicDialog->Save1Click(); },
     basicSaveWithout({"V 06", "V 71"}),
     {QStringLiteral("You must set the value of S/N Squelch > 0, when you set none COS check.")}},
    {"UnchangedCodeAbIsStoredAsAb",
     [](emu::Emulator& e) { e.state().digitalCode = 0xAB; },
     [](MatrixRig&, Windows& w) { w.mainWindow->SlowDataClick(); },
     [](Windows& w) { w.slowDataDialog->Save1Click(); },
     join({{SlowDataSave.begin(), SlowDataSave.begin() + 3},
           {"D E9 AB"},
           {SlowDataSave.begin() + 4, SlowDataSave.end()},
           SlowDataRead}),
     {},
     [](MatrixRig& rig, Windows& w) {
         EXPECT_EQ(rig.emulator.state().digitalCode, 0xAB);
         EXPECT_EQ(dlg::edit(*w.slowDataDialog, "DigitalCodeValue").text(), "ab");
     }},
    {"CodeWithAnotherCharacterIsRefused",
     nullptr,
     [](MatrixRig&, Windows& w) {
         w.mainWindow->SlowDataClick();
         enter(dlg::edit(*w.slowDataDialog, "DigitalCodeValue"), "1g");
     },
     [](Windows& w) { w.slowDataDialog->Save1Click(); },
     join({{SlowDataSave.begin(), SlowDataSave.begin() + 3},
           {SlowDataSave.begin() + 4, SlowDataSave.end()},
           SlowDataRead}),
     {QStringLiteral("Invalid character in Code")}},
    // What the adapter did not take is named with what it holds; the box
    // shows what it holds.
    {"RefusedKeepAliveIsNamedWithWhatTheAdapterHolds",
     [](emu::Emulator& e) {
         e.injectFault({emu::FaultKind::Stall, 0x03, 1});
     },
     [](MatrixRig&, Windows& w) {
         w.mainWindow->BasicInfoSetting1Click();
         enter(dlg::edit(*w.basicDialog, "KeepAlive"), "20");
     },
     [](Windows& w) { w.basicDialog->Save1Click(); },
     keepAlive20Save,
     {QStringLiteral("The adapter did not take these values:\n  Keep Alive: sent 20, the adapter holds 100")},
     [](MatrixRig&, Windows& w) { EXPECT_EQ(dlg::edit(*w.basicDialog, "KeepAlive").text(), "100"); }},
    {"KeepAliveNotReadBackIsNamed",
     [](emu::Emulator& e) {
         e.injectFault({emu::FaultKind::Timeout, 0x53, 2});
     },
     [](MatrixRig&, Windows& w) {
         w.mainWindow->BasicInfoSetting1Click();
         enter(dlg::edit(*w.basicDialog, "KeepAlive"), "20");
     },
     [](Windows& w) { w.basicDialog->Save1Click(); },
     keepAlive20Save,
     {QStringLiteral("These values could not be read back after saving: Keep Alive.\nThey still show what was sent.")},
     [](MatrixRig&, Windows& w) { EXPECT_EQ(dlg::edit(*w.basicDialog, "KeepAlive").text(), "20"); }},
    // Nothing after a refused baud rate is sent, and each value is named.
    {"RefusedBaudRateIsTold",
     [](emu::Emulator& e) {
         e.injectFault({emu::FaultKind::Stall, 0xB0, 1});
     },
     [](MatrixRig&, Windows& w) { dlg::child<QAbstractButton>(*w.serialPortDialog, "S4800").click(); },
     [](Windows& w) { w.serialPortDialog->Save1Click(); },
     {"V B0 0030"},
     {QStringLiteral("The adapter did not take these values:\n  Baud Rate: sent 4800, the adapter refused it\n"
                     "  RS232C Mode: not sent\n  GPRMC: not sent\n  GPGGA: not sent\n  GPGLL: not sent\n"
                     "  GPGSA: not sent\n  GPVTG: not sent\n  Message Send: not sent\n  GPS Message: not sent")},
     [](MatrixRig&, Windows& w) {
         EXPECT_TRUE(dlg::child<QAbstractButton>(*w.serialPortDialog, "S4800").isChecked());
     }},
    {"StatusBlockNotReadIsNotWrittenBack",
     [](emu::Emulator& e) {
         e.state().status = {0x03, 0x01, 0x90};
         e.injectFault({emu::FaultKind::Timeout, 0xAF, 1});
     },
     [](MatrixRig& rig, Windows& w) {
         w.mainWindow->RepeaterInfoSetting1Click();
         EXPECT_EQ(rig.host.messages.size(), 1);
     },
     [](Windows& w) { w.repeaterDialog->Ssve1Click(); },
     join({{RepeaterSave.begin(), RepeaterSave.begin() + 18}, {"P 200", "R AF 3"}}),
     {QStringLiteral("Not saved, because no value was read from the adapter or entered for them: "
                     "Call Check, DUP Check, DUP Clear, Replace Alter My Call Sign, Replace Alter My Call "
                     "Sign2, Replace Your Call Sign, Replace RPT1 Call Sign, Replace RPT2 Call Sign, Replace "
                     "Flag, Flag.")},
     [](MatrixRig& rig, Windows& w) {
         EXPECT_EQ(rig.emulator.state().status, (std::array<std::uint8_t, 3>{0x03, 0x01, 0x90}));
         EXPECT_TRUE(dlg::child<QAbstractButton>(*w.repeaterDialog, "AltFlag7").isChecked());  // read back after Save
     }},
    {"LostAndNotBackSendsNothing",
     nullptr,
     [](MatrixRig& rig, Windows& w) {
         rig.emulator.unplugFrom(0);
         w.repeaterDialog->Cancel1Click();
     },
     [](Windows& w) { w.mainWindow->RepeaterInfoSetting1Click(); },
     {},
     {QString::fromLatin1(NotFoundText)},
     [](MatrixRig& rig, Windows&) { EXPECT_TRUE(rig.host.shown.isEmpty()); }},
};

INSTANTIATE_TEST_SUITE_P(Cases, SaveGuards, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
