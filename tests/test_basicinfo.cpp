// The basic settings dialog driven through its real widgets over the
// emulated adapter: what each load sends and shows, what Save sends for each
// input, the feature-dependent controls, and the opening from the main menu.

#include "tests/support/fixture.h"

#include "app/eeprom_set.h"
#include "device/commands.h"
#include "device/encodings.h"
#include "dialogs/basicinfo.h"
#include "dialogs/upper_case.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Log = std::vector<std::string>;
using Form = TAutoDetect::LoadForm;

template <typename T>
T& child(QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) throw std::runtime_error(std::string("no control named ") + name);
    return *found;
}

// The reads of one load; 0x5B only in the opening and Reload forms.
Log loadReads(bool withLastFrame)
{
    Log reads = {"R 52 1", "R 51 1", "R 53 1", "R 54 1"};
    if (withLastFrame) reads.push_back("R 5B 1");
    for (const char* r : {"R 56 1", "R E2 1", "R E3 1", "R D0 1", "R 72 2", "R 58 1"})
        reads.push_back(r);
    return reads;
}

// What Save sends for the emulator's factory settings as loaded, field by
// field in Save's order, keyed by control.
using Writes = std::vector<std::pair<std::string, std::string>>;
Writes factoryWrites(bool cosChecked)
{
    return {{"DelayTime", "V 02 001E"},      {"TimeOut", "V 01 0012"},
            {"ReSyncErrorBit", "V 04 000C"}, {"LastFrameErrorBits", "V 5A 0008"},
            {"KeepAlive", "V 03 000A"},      {"CRCCheck", "V 07 0001"},
            {"LastFrameSend", "V 0A 0001"},  {"Duplex", "V 0E 0000"},
            {"PreBit", "V E0 00F0"},         {"PostBit", "V E1 0066"},
            {"TxInvert", "V D2 0000"},       {"RxInvert", "V D1 0000"},
            {"AutoRXDetect", "V D3 0000"},   {"CosCheck", cosChecked ? "V 06 0001" : "V 06 0000"},
            {"SN_SQ", "V 71 0080"},          {"JitterValue", "V 4A 0014"}};
}

// The whole Save stream: the writes, the pause, the read-back.
Log saveStream(const Writes& writes)
{
    Log log;
    for (const auto& [control, write] : writes) log.push_back(write);
    log.push_back("P 200");
    for (const std::string& r : loadReads(false)) log.push_back(r);
    return log;
}

Writes replaced(Writes writes, const std::string& control, const char* write)
{
    for (auto it = writes.begin(); it != writes.end(); ++it) {
        if (it->first != control) continue;
        if (write == nullptr)
            writes.erase(it);
        else
            it->second = write;
        break;
    }
    return writes;
}

// The adapter's basic settings in one place.
struct Basic {
    std::uint8_t delay, timeOut, keepAlive, resync, lastFrame, options, pre, post, polarity;
    std::array<std::uint8_t, 2> squelch;
    std::uint8_t jitter;

    void applyTo(emu::AdapterState& s) const
    {
        s.delayTime = delay;
        s.timeOut = timeOut;
        s.keepAlive = keepAlive;
        s.resyncErrorBits = resync;
        s.lastFrameErrorBits = lastFrame;
        s.optionFlags = options;
        s.preBit = pre;
        s.postBit = post;
        s.polarityFlags = polarity;
        s.squelch = squelch;
        s.jitterBuffer = jitter;
    }
};

// What the controls show.
struct Shown {
    const char *delay, *timeOut, *keepAlive, *resync, *lastFrame, *crc;
    bool cos;
    const char *lastFrameSend, *duplex, *pre, *post;
    bool tx, rx, autoRx;
    const char *squelch, *jitter;
};

class BasicInfo : public testing::Test {
protected:
    void build()
    {
        dialog = std::make_unique<TAutoDetect>(rig.context());
        rig.emulator.clearLog();
        rig.emulator.clearFaults();
    }
    QLineEdit& line(const char* name) { return child<QLineEdit>(*dialog, name); }
    QCheckBox& box(const char* name) { return child<QCheckBox>(*dialog, name); }
    std::string text(const char* name) { return line(name).text().toStdString(); }
    void trigger(const char* action) { child<QAction>(*dialog, action).trigger(); }
    Log log() { return pictures(rig.emulator.log()); }
    void run(Form form)
    {
        switch (form) {
        case Form::Reload: trigger("Reload1"); break;
        case Form::Cancel: trigger("Cancel1"); break;
        default: dialog->LoadBasicSettings(form); break;
        }
    }
    void save()
    {
        rig.emulator.clearLog();
        rig.host.messages.clear();
        trigger("Save1");
    }
    void expectShown(const Shown& s)
    {
        EXPECT_EQ(text("DelayTime"), s.delay);
        EXPECT_EQ(text("TimeOut"), s.timeOut);
        EXPECT_EQ(text("KeepAlive"), s.keepAlive);
        EXPECT_EQ(text("ReSyncErrorBit"), s.resync);
        EXPECT_EQ(text("LastFrameErrorBits"), s.lastFrame);
        EXPECT_EQ(text("CRCCheck"), s.crc);
        EXPECT_EQ(box("CosCheck").isChecked(), s.cos);
        EXPECT_EQ(text("LastFrameSend"), s.lastFrameSend);
        EXPECT_EQ(text("Duplex"), s.duplex);
        EXPECT_EQ(text("PreBit"), s.pre);
        EXPECT_EQ(text("PostBit"), s.post);
        EXPECT_EQ(box("TxInvert").isChecked(), s.tx);
        EXPECT_EQ(box("RxInvert").isChecked(), s.rx);
        EXPECT_EQ(box("AutoRXDetect").isChecked(), s.autoRx);
        EXPECT_EQ(text("SN_SQ"), s.squelch);
        EXPECT_EQ(text("JitterValue"), s.jitter);
    }
    void expectEnabled(bool squelch, bool cos, bool jitter)
    {
        EXPECT_EQ(line("SN_SQ").isEnabled(), squelch);
        EXPECT_EQ(box("CosCheck").isEnabled(), cos);
        EXPECT_EQ(line("JitterValue").isEnabled(), jitter);
    }

    Rig rig;
    std::unique_ptr<TAutoDetect> dialog;
};

const char* formName(Form form)
{
    switch (form) {
    case Form::Opening: return "opening";
    case Form::Reload: return "Reload";
    case Form::Cancel: return "Cancel";
    case Form::ReadBack: return "read-back";
    }
    return "?";
}

// ---------------------------------------------------------------------------
// The window

TEST_F(BasicInfo, RowsStandInOrderWithTheirLabelsFullyVisible)
{
    build();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Basic Infomation Setting"));
    dialog->show();

    struct Row {
        const char* control;
        const char* left;   // nullptr: no label
        const char* right;  // nullptr: no label
    };
    const Row rows[] = {
        {"DelayTime", "Delay Time", "mSec."},
        {"TimeOut", "Time Out", "Sec."},
        {"KeepAlive", "Keep Alive", "mSec."},
        {"ReSyncErrorBit", "Resync Error Bits", "(0 - 24)"},
        {"LastFrameErrorBits", "Last Frame Error Bits", "(0 - 24)"},
        {"CRCCheck", "CRC Check", nullptr},
        {"LastFrameSend", "Last Frame Send", nullptr},
        {"Duplex", "Full/Half Duplex", nullptr},
        {"PreBit", "PreBitPattern", "recommended F0"},
        {"PostBit", "PostBitPattern", "recommended 66"},
        {"AutoRXDetect", nullptr, nullptr},
        {"TxInvert", nullptr, nullptr},
        {"SN_SQ", "S/N Squelch", "(0 - 1023)"},
        {"CosCheck", nullptr, nullptr},
        {"JitterValue", "Jitter Buffer Size", "(0-255)"},
    };
    const QList<QLabel*> labels = dialog->findChildren<QLabel*>();
    auto rectOf = [&](QWidget& w) { return QRect(w.mapTo(dialog.get(), QPoint(0, 0)), w.size()); };

    int previousTop = -1;
    int widestEdit = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.control);
        QWidget& control = child<QWidget>(*dialog, row.control);
        const QRect c = rectOf(control);
        EXPECT_GT(c.top(), previousTop) << "rows out of order";
        previousTop = c.top();
        EXPECT_GE(control.width(), control.minimumSizeHint().width());
        QString left, right;
        for (QLabel* label : labels) {
            const QRect l = rectOf(*label);
            if (l.bottom() < c.center().y() || l.top() > c.center().y()) continue;
            EXPECT_GE(label->width(), label->sizeHint().width()) << "clipped: " << label->text().toStdString();
            if (l.right() < c.left()) left = label->text();
            if (l.left() > c.right()) right = label->text();
        }
        EXPECT_EQ(left, QString::fromLatin1(row.left ? row.left : ""));
        EXPECT_EQ(right, QString::fromLatin1(row.right ? row.right : ""));
        if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
            if (edit->objectName() != "Duplex") widestEdit = std::max(widestEdit, edit->width());
        }
    }
    EXPECT_GT(line("Duplex").width(), widestEdit);

    // Row 11 holds two check boxes side by side.
    QCheckBox& autoRx = box("AutoRXDetect");
    QCheckBox& rxInvert = box("RxInvert");
    EXPECT_EQ(rectOf(rxInvert).center().y(), rectOf(autoRx).center().y());
    EXPECT_GT(rectOf(rxInvert).left(), rectOf(autoRx).right());

    const std::pair<const char*, const char*> boxes[] = {{"AutoRXDetect", "Auto RX Polarity "},
                                                         {"RxInvert", "RX Invert"},
                                                         {"TxInvert", "TX Invert"},
                                                         {"CosCheck", "COS Check"}};
    for (const auto& [name, caption] : boxes) {
        EXPECT_EQ(box(name).text(), QString::fromLatin1(caption));
        EXPECT_GE(box(name).width(), box(name).sizeHint().width()) << name;
    }

    QMenu& menu = child<QMenu>(*dialog, "w1");
    EXPECT_EQ(menu.title(), QStringLiteral("&Edit"));
    EXPECT_TRUE(child<QMenuBar>(*dialog, "MainMenu1").actions().contains(menu.menuAction()));
    QStringList names, captions;
    for (QAction* a : menu.actions()) {
        names << a->objectName();
        captions << a->text();
    }
    EXPECT_EQ(names, (QStringList{"Save1", "Reload1", "Cancel1", "Exit1"}));
    EXPECT_EQ(captions, (QStringList{"&Save", "&Reload", "&Cancel", "&Exit"}));
    dialog->hide();
}

// Typed text and text the program sets both end up upper case; the cursor
// stays where the user types.
TEST_F(BasicInfo, UpperCaseBoxesHoldUpperCase)
{
    build();
    auto type = [](QLineEdit& edit, const QString& keys) {
        for (QChar ch : keys) {
            QKeyEvent press(QEvent::KeyPress, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(&edit, &press);
        }
    };
    for (const char* name : {"CRCCheck", "LastFrameSend", "Duplex", "PreBit", "PostBit"}) {
        SCOPED_TRACE(name);
        QLineEdit& edit = line(name);
        edit.clear();
        type(edit, "ab");
        EXPECT_EQ(edit.text(), "AB");
        edit.setCursorPosition(1);
        type(edit, "c");
        EXPECT_EQ(edit.text(), "ACB");
        EXPECT_EQ(edit.cursorPosition(), 2);
        edit.setText("half duplex f0");
        EXPECT_EQ(edit.text(), "HALF DUPLEX F0");
    }
    // The number boxes are not forced.
    line("DelayTime").setText("abc");
    EXPECT_EQ(text("DelayTime"), "abc");
}

// ---------------------------------------------------------------------------
// Construction probes

TEST_F(BasicInfo, ConstructionProbesSquelchTwiceThenJitter)
{
    struct Case {
        const char* name;
        bool squelch, jitter;            // the firmware has the feature
        int squelchStalls;               // 0, or which 0x72 read stalls
        bool snEnabled, cosEnabled, jitterEnabled;
        const char *snText, *jitterText;
    };
    const Case cases[] = {
        {"all answered", true, true, 0, true, true, true, "128", "20"},
        {"first 0x72 fails", true, true, 1, true, true, true, "128", "20"},
        {"second 0x72 fails", true, true, 2, false, false, true, "", "20"},
        {"no squelch", false, true, 0, false, false, true, "", "20"},
        {"no jitter", true, false, 0, true, true, false, "128", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig fresh;
        fresh.emulator.setFeature(emu::Feature::Squelch, c.squelch);
        fresh.emulator.setFeature(emu::Feature::Jitter, c.jitter);
        if (c.squelchStalls != 0)
            fresh.emulator.injectFault({emu::FaultKind::Stall, cmd::ReadSquelchLevel, c.squelchStalls, 0});
        TAutoDetect made(fresh.context());
        EXPECT_EQ(pictures(fresh.emulator.log()), (Log{"R 72 2", "R 72 2", "R 58 1"}));
        EXPECT_EQ(child<QLineEdit>(made, "SN_SQ").isEnabled(), c.snEnabled);
        EXPECT_EQ(child<QCheckBox>(made, "CosCheck").isEnabled(), c.cosEnabled);
        EXPECT_EQ(child<QLineEdit>(made, "JitterValue").isEnabled(), c.jitterEnabled);
        EXPECT_EQ(child<QLineEdit>(made, "SN_SQ").text().toStdString(), c.snText);
        EXPECT_EQ(child<QLineEdit>(made, "JitterValue").text().toStdString(), c.jitterText);
        EXPECT_TRUE(fresh.host.messages.isEmpty());
    }
}

// ---------------------------------------------------------------------------
// The four load forms

TEST_F(BasicInfo, EachLoadFormSendsItsReadsAndShowsTheAdapter)
{
    struct Case {
        const char* name;
        Basic adapter;
        Shown opening;           // as the opening shows it
        const char* timeOutLater;  // TimeOut after Reload, Cancel, read-back
    };
    const Case cases[] = {
        {"high edges",
         {255, 0, 0, 24, 3, 0x86, 0xF0, 0x06, 0x81, {0xFF, 0xC0}, 255},
         {"2550", "00", "00", "24", "3", "ON", true, "OFF", "HALF DUPLEX", "F0", " 6", true, false,
          true, "1023", "255"},
         "0"},
        {"low edges",
         {200, 1, 1, 0, 0, 0x00, 0x00, 0x66, 0x02, {0x00, 0x40}, 0},
         {"2000", "10", "10", "0", "0", "OFF", false, "OFF", "FULL DUPLEX", "  ", "66", false, true,
          false, "1", "0"},
         "10"},
        {"middle",
         {0, 25, 255, 7, 24, 0x7D, 0x0A, 0xAB, 0x7C, {0x80, 0x3F}, 128},
         {"0", "250", "2550", "7", "24", "OFF", true, "ON", "FULL DUPLEX", " A", "AB", false, false,
          false, "512", "128"},
         "250"},
    };
    for (Form form : {Form::Opening, Form::Reload, Form::Cancel, Form::ReadBack}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(formName(form)) + ", " + c.name);
            rig.emulator.state() = emu::AdapterState{};
            build();
            // Every control first shows something else, so each one must be
            // replaced by the load.
            for (const char* name : {"DelayTime", "TimeOut", "KeepAlive", "ReSyncErrorBit", "CRCCheck",
                                     "LastFrameSend", "Duplex", "PreBit", "PostBit", "SN_SQ", "JitterValue"})
                line(name).setText("77");
            line("LastFrameErrorBits").setText("17");
            box("CosCheck").setChecked(!c.opening.cos);
            box("TxInvert").setChecked(!c.opening.tx);
            box("RxInvert").setChecked(!c.opening.rx);
            box("AutoRXDetect").setChecked(!c.opening.autoRx);
            c.adapter.applyTo(rig.emulator.state());

            run(form);

            const bool readsLastFrame = form == Form::Opening || form == Form::Reload;
            EXPECT_EQ(log(), loadReads(readsLastFrame));
            Shown expected = c.opening;
            if (form != Form::Opening) expected.timeOut = c.timeOutLater;
            if (!readsLastFrame) expected.lastFrame = "17";
            expectShown(expected);
            expectEnabled(true, true, true);
            EXPECT_TRUE(rig.host.messages.isEmpty());
        }
    }
}

// A read whose answer is not judged shows what a zeroed buffer holds when
// it fails, never what an earlier read delivered.
TEST_F(BasicInfo, FailedReadsShowZeroedBuffers)
{
    const Basic adapter{255, 200, 100, 9, 5, 0x8E, 0xF0, 0x66, 0x83, {0xFF, 0xC0}, 99};
    struct Case {
        const char* name;
        Form form;
        std::vector<std::uint8_t> failing;  // each fails once
        Shown shown;
    };
    const Case cases[] = {
        {"all fail, Reload", Form::Reload,
         {0x52, 0x51, 0x53, 0x54, 0x5B, 0x56, 0xE2, 0xE3, 0xD0, 0x72, 0x58},
         {"0", "0", "00", "0", "0", "OFF", false, "OFF", "FULL DUPLEX", "  ", "  ", false, false, false,
          "0", "0"}},
        {"all fail, opening", Form::Opening,
         {0x52, 0x51, 0x53, 0x54, 0x5B, 0x56, 0xE2, 0xE3, 0xD0, 0x72, 0x58},
         {"0", "00", "00", "0", "0", "OFF", false, "OFF", "FULL DUPLEX", "  ", "  ", false, false, false,
          "0", "0"}},
        {"every other fails", Form::Reload,
         {0x51, 0x54, 0x56, 0xE3, 0x72},
         {"2550", "0", "1000", "0", "5", "OFF", false, "OFF", "FULL DUPLEX", "F0", "  ", true, true, true,
          "0", "99"}},
        {"the others fail", Form::Reload,
         {0x52, 0x53, 0x5B, 0xE2, 0xD0, 0x58},
         {"0", "2000", "00", "9", "0", "ON", true, "ON", "HALF DUPLEX", "  ", "66", false, false, false,
          "1023", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        adapter.applyTo(rig.emulator.state());
        build();
        trigger("Reload1");
        rig.emulator.clearFaults();
        for (std::uint8_t code : c.failing) rig.emulator.injectFault({emu::FaultKind::Stall, code, 1, 0});
        run(c.form);
        expectShown(c.shown);
        // Neither form judges these reads: the enabled states stay.
        expectEnabled(true, true, true);
    }

    // A squelch answer one byte short leaves the low bits at zero: FF -> 1020.
    build();
    rig.emulator.injectFault({emu::FaultKind::ShortRead, cmd::ReadSquelchLevel, 1, 1});
    trigger("Reload1");
    EXPECT_EQ(text("SN_SQ"), "1020");
}

TEST_F(BasicInfo, CancelKeepsAnEditedLastFrameErrorBitsAndReloadReplacesIt)
{
    build();
    trigger("Reload1");
    line("LastFrameErrorBits").setText("99");
    line("DelayTime").setText("5");
    rig.emulator.clearLog();
    trigger("Cancel1");
    EXPECT_EQ(log(), loadReads(false));
    EXPECT_EQ(text("LastFrameErrorBits"), "99");
    EXPECT_EQ(text("DelayTime"), "300");

    // Save refuses it and its read-back leaves the typed text too.
    save();
    EXPECT_EQ(rig.host.messages,
              QStringList{"Invalid value in Last Frame Error Bits (Max. value is 24)"});
    EXPECT_EQ(text("LastFrameErrorBits"), "99");

    rig.emulator.clearLog();
    trigger("Reload1");
    EXPECT_EQ(log(), loadReads(true));
    EXPECT_EQ(text("LastFrameErrorBits"), "8");
}

// ---------------------------------------------------------------------------
// Save

struct SaveCase {
    const char* control;
    const char* text;
    bool cosChecked;
    const char* message;  // nullptr: none
    const char* write;    // nullptr: nothing sent for the field
};

void PrintTo(const SaveCase& c, std::ostream* os)
{
    *os << c.control << " \"" << c.text << "\"" << (c.cosChecked ? " with COS" : "");
}

class BasicInfoSave : public BasicInfo, public testing::WithParamInterface<SaveCase> {};

TEST_P(BasicInfoSave, SendsTheFieldOrRefusesIt)
{
    const SaveCase& c = GetParam();
    build();
    trigger("Reload1");
    line(c.control).setText(QString::fromLatin1(c.text));
    box("CosCheck").setChecked(c.cosChecked);

    save();

    EXPECT_EQ(log(), saveStream(replaced(factoryWrites(c.cosChecked), c.control, c.write)));
    const QStringList expected =
        c.message == nullptr ? QStringList{} : QStringList{QString::fromLatin1(c.message)};
    EXPECT_EQ(rig.host.messages, expected);
}

constexpr const char* DelayMax = "Invalid value in Delay Time (Max. value is 2550 mSec.)";
constexpr const char* DelayChar = "Invalid character in Delay Time";
constexpr const char* TimeOutMax = "Invalid value in Time Out(Max. value is 2550 sec.)";
constexpr const char* ResyncMax = "Invalid value in Resync error bits (Max. value is 24)";
constexpr const char* ResyncChar = "Invalid character in Resync error bits";
constexpr const char* LastMax = "Invalid value in Last Frame Error Bits (Max. value is 24)";
constexpr const char* KeepMax = "Invalid value in Keep Alive (Max. value is 2550 mSec.)";
constexpr const char* KeepChar = "Invalid character in Keep Alive";
constexpr const char* SquelchMax = "Invalid value in S/N Squelch (Max. value is 1023.)";
constexpr const char* SquelchZero = "You must set the value of S/N Squelch > 0, when you set none COS check.";
constexpr const char* JitterMax = "Invalid value in Jitter Buffer Size (Max. value is 255)";

INSTANTIATE_TEST_SUITE_P(
    Fields, BasicInfoSave,
    testing::Values(
        SaveCase{"DelayTime", "2550", false, nullptr, "V 02 00FF"},
        SaveCase{"DelayTime", "2551", false, DelayMax, nullptr},
        SaveCase{"DelayTime", "15", false, nullptr, "V 02 0001"},
        SaveCase{"DelayTime", "0", false, nullptr, "V 02 0000"},
        SaveCase{"DelayTime", "-1", false, DelayMax, nullptr},
        SaveCase{"DelayTime", "123456789", false, DelayMax, nullptr},
        SaveCase{"DelayTime", "00002550x", false, nullptr, "V 02 00FF"},
        SaveCase{"DelayTime", "12 34", false, nullptr, "V 02 0001"},
        SaveCase{"DelayTime", " 12", false, DelayChar, nullptr},
        SaveCase{"DelayTime", "", false, DelayChar, nullptr},
        SaveCase{"DelayTime", "-", false, DelayChar, nullptr},
        SaveCase{"DelayTime", "99999999999", false, DelayMax, nullptr},
        SaveCase{"TimeOut", "-1", false, TimeOutMax, nullptr},
        SaveCase{"TimeOut", "abc", false, "Invalid character in Time Out", nullptr},
        SaveCase{"TimeOut", "2550", false, nullptr, "V 01 00FF"},
        SaveCase{"TimeOut", "2551", false, TimeOutMax, nullptr},
        SaveCase{"ReSyncErrorBit", "24", false, nullptr, "V 04 0018"},
        SaveCase{"ReSyncErrorBit", "25", false, ResyncMax, nullptr},
        SaveCase{"ReSyncErrorBit", "12 34", false, nullptr, "V 04 000C"},
        SaveCase{"ReSyncErrorBit", " 12", false, ResyncChar, nullptr},
        SaveCase{"LastFrameErrorBits", "24", false, nullptr, "V 5A 0018"},
        SaveCase{"LastFrameErrorBits", "25", false, LastMax, nullptr},
        SaveCase{"LastFrameErrorBits", "48", false, LastMax, nullptr},
        SaveCase{"LastFrameErrorBits", "12345", false, LastMax, nullptr},
        SaveCase{"LastFrameErrorBits", "0024x", false, nullptr, "V 5A 0018"},
        SaveCase{"LastFrameErrorBits", "2 99", false, nullptr, "V 5A 0002"},
        SaveCase{"LastFrameErrorBits", "x", false, "Invalid character in Last Frame Error bits", nullptr},
        SaveCase{"KeepAlive", "", false, KeepChar, nullptr},
        SaveCase{"KeepAlive", "12a", false, KeepChar, nullptr},
        SaveCase{"KeepAlive", "2550", false, nullptr, "V 03 00FF"},
        SaveCase{"KeepAlive", "2551", false, KeepMax, nullptr},
        SaveCase{"KeepAlive", "19", false, nullptr, "V 03 0001"},
        SaveCase{"CRCCheck", "ON", false, nullptr, "V 07 0001"},
        SaveCase{"CRCCheck", "OFF", false, nullptr, "V 07 0000"},
        SaveCase{"CRCCheck", "ON ", false, nullptr, "V 07 0000"},
        SaveCase{"CRCCheck", "ONE", false, nullptr, "V 07 0000"},
        SaveCase{"CRCCheck", "", false, nullptr, "V 07 0000"},
        SaveCase{"CRCCheck", "on", false, nullptr, "V 07 0001"},
        SaveCase{"LastFrameSend", "OFF", false, nullptr, "V 0A 0000"},
        SaveCase{"LastFrameSend", " ON", false, nullptr, "V 0A 0000"},
        SaveCase{"Duplex", "HALF DUPLEX", false, nullptr, "V 0E 0001"},
        SaveCase{"Duplex", "HALFWAY", false, nullptr, "V 0E 0001"},
        SaveCase{"Duplex", "HALF", false, nullptr, "V 0E 0001"},
        SaveCase{"Duplex", "half duplex", false, nullptr, "V 0E 0001"},
        SaveCase{"Duplex", "HAL", false, nullptr, "V 0E 0000"},
        SaveCase{"Duplex", " HALF", false, nullptr, "V 0E 0000"},
        SaveCase{"Duplex", "FULL DUPLEX", false, nullptr, "V 0E 0000"},
        SaveCase{"Duplex", "", false, nullptr, "V 0E 0000"},
        SaveCase{"PreBit", "F", false, nullptr, "V E0 00F0"},
        SaveCase{"PreBit", "0F", false, nullptr, "V E0 000F"},
        SaveCase{"PreBit", "G1", false, nullptr, "V E0 0001"},
        SaveCase{"PreBit", "F0AB", false, nullptr, "V E0 00F0"},
        SaveCase{"PreBit", " 6", false, nullptr, "V E0 0006"},
        SaveCase{"PreBit", "6", false, nullptr, "V E0 0060"},
        SaveCase{"PreBit", "  ", false, nullptr, "V E0 0000"},
        SaveCase{"PreBit", "", false, nullptr, "V E0 0000"},
        SaveCase{"PreBit", "f0", false, nullptr, "V E0 00F0"},
        SaveCase{"PostBit", "9Z", false, nullptr, "V E1 0090"},
        SaveCase{"PostBit", "AB", false, nullptr, "V E1 00AB"},
        SaveCase{"SN_SQ", "0", true, nullptr, "V 71 0000"},
        SaveCase{"SN_SQ", "0", false, SquelchZero, nullptr},
        SaveCase{"SN_SQ", "0 5", false, SquelchZero, nullptr},
        SaveCase{"SN_SQ", "1", false, nullptr, "V 71 0001"},
        SaveCase{"SN_SQ", "1023", false, nullptr, "V 71 03FF"},
        SaveCase{"SN_SQ", "1024", false, SquelchMax, nullptr},
        SaveCase{"SN_SQ", "1024", true, SquelchMax, nullptr},
        SaveCase{"SN_SQ", "-1", false, SquelchMax, nullptr},
        SaveCase{"SN_SQ", "", true, "Invalid character in SN Squelch", nullptr},
        SaveCase{"JitterValue", "255", false, nullptr, "V 4A 00FF"},
        SaveCase{"JitterValue", "256", false, JitterMax, nullptr},
        SaveCase{"JitterValue", "12345", false, JitterMax, nullptr},
        SaveCase{"JitterValue", "255 99", false, nullptr, "V 4A 00FF"},
        SaveCase{"JitterValue", "02559", false, nullptr, "V 4A 00FF"},
        SaveCase{"JitterValue", "-1", false, JitterMax, nullptr},
        SaveCase{"JitterValue", "", false, "Invalid character in Jitter Buffer Size", nullptr}));

TEST_F(BasicInfo, SaveWritesCheckBoxesAsTheyStand)
{
    const char* boxes[] = {"TxInvert", "RxInvert", "AutoRXDetect", "CosCheck"};
    const char* on[] = {"V D2 0001", "V D1 0001", "V D3 0001", "V 06 0001"};
    build();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(boxes[i]);
        trigger("Reload1");
        box(boxes[i]).setChecked(true);
        save();
        EXPECT_EQ(log(), saveStream(replaced(factoryWrites(false), boxes[i], on[i])));
        rig.emulator.state() = emu::AdapterState{};
    }
}

TEST_F(BasicInfo, BadFieldsAreRefusedOneByOneAndTheRestIsWritten)
{
    build();
    trigger("Reload1");
    line("DelayTime").setText("abc");
    save();
    EXPECT_EQ(rig.host.messages, QStringList{DelayChar});
    EXPECT_EQ(log(), saveStream(replaced(factoryWrites(false), "DelayTime", nullptr)));
    EXPECT_EQ(text("DelayTime"), "300");  // the read-back shows the stored value
    EXPECT_EQ(rig.emulator.state().delayTime, 30);

    // Several bad fields: one message each, in field order. An unchecked
    // COS Check is written before the squelch rule refuses a level of 0.
    trigger("Reload1");
    line("JitterValue").setText("256");
    line("SN_SQ").setText("0");
    line("TimeOut").setText("-5");
    line("DelayTime").setText("15");
    save();
    EXPECT_EQ(rig.host.messages, (QStringList{TimeOutMax, SquelchZero, JitterMax}));
    Writes writes = replaced(factoryWrites(false), "TimeOut", nullptr);
    writes = replaced(writes, "SN_SQ", nullptr);
    writes = replaced(replaced(writes, "JitterValue", nullptr), "DelayTime", "V 02 0001");
    EXPECT_EQ(log(), saveStream(writes));
    EXPECT_EQ(text("DelayTime"), "10");
    EXPECT_EQ(text("TimeOut"), "180");
    EXPECT_EQ(text("SN_SQ"), "128");
    EXPECT_EQ(text("JitterValue"), "20");
}

// For every field over many adapter values: the text a load shows, saved
// unchanged, writes back the very value that was read.
TEST_F(BasicInfo, ShownValuesSaveBackUnchanged)
{
    build();
    for (int i = 0; i < 1024; ++i) {
        const auto b = [i](int factor, int offset) { return static_cast<std::uint8_t>((i * factor + offset) & 0xFF); };
        std::uint8_t options = b(1, 0);  // every flag combination, with unused bits set too
        const bool cos = (options & option::CosCheck) != 0 || i == 0;  // level 0 needs COS Check
        if (cos) options |= option::CosCheck;
        auto squelch = enc::squelchBytes(i);
        squelch[1] |= static_cast<std::uint8_t>(i & 0x3F);  // bits the level ignores
        const Basic adapter{b(1, 0), b(7, 3), b(13, 5), static_cast<std::uint8_t>(i % 25),
                            static_cast<std::uint8_t>((i * 7) % 25), options, b(37, 0), b(59, 1),
                            b(3, 1), squelch, b(101, 0)};
        adapter.applyTo(rig.emulator.state());
        run(i % 2 == 0 ? Form::Opening : Form::Reload);
        save();

        std::map<int, int> sent;
        int writes = 0;
        for (const emu::LogEntry& e : rig.emulator.requests()) {
            if (e.isRead()) continue;
            sent[e.request] = e.value;
            ++writes;
        }
        const std::map<int, int> expected = {
            {cmd::WriteDelayTime, adapter.delay},
            {cmd::WriteTimeOut, adapter.timeOut},
            {cmd::WriteKeepAlive, adapter.keepAlive},
            {cmd::WriteResyncErrorBits, adapter.resync},
            {cmd::WriteLastFrameErrorBits, adapter.lastFrame},
            {cmd::WriteCrcCheck, (options & option::CrcCheck) != 0},
            {cmd::WriteLastFrameSend, (options & option::LastFrameSend) != 0},
            {cmd::WriteDuplex, (options & option::HalfDuplex) != 0},
            {cmd::WritePreBitPattern, adapter.pre},
            {cmd::WritePostBitPattern, adapter.post},
            {cmd::WriteTxInvert, (adapter.polarity & polarity::TxInvert) != 0},
            {cmd::WriteRxInvert, (adapter.polarity & polarity::RxInvert) != 0},
            {cmd::WriteAutoRxPolarity, (adapter.polarity & polarity::AutoRx) != 0},
            {cmd::WriteCosCheck, cos},
            {cmd::WriteSquelchLevel, i},
            {cmd::WriteJitterBuffer, adapter.jitter},
        };
        ASSERT_EQ(sent, expected) << "adapter values #" << i;
        ASSERT_EQ(writes, 16) << "adapter values #" << i;
        ASSERT_TRUE(rig.host.messages.isEmpty()) << "adapter values #" << i;
    }
}

// ---------------------------------------------------------------------------
// Firmware without an optional feature

TEST_F(BasicInfo, WithoutSquelchTheSquelchControlsStayDisabledAndUnwritten)
{
    rig.emulator.setFeature(emu::Feature::Squelch, false);
    rig.emulator.state().optionFlags |= option::CosCheck;
    build();
    expectEnabled(false, false, true);
    EXPECT_EQ(text("SN_SQ"), "");

    // Opening, Reload and Cancel still ask, and show the zeroed buffer.
    for (Form form : {Form::Opening, Form::Reload, Form::Cancel}) {
        SCOPED_TRACE(formName(form));
        line("SN_SQ").setText("77");
        rig.emulator.clearLog();
        run(form);
        EXPECT_EQ(log(), loadReads(form != Form::Cancel));
        EXPECT_EQ(text("SN_SQ"), "0");
        EXPECT_TRUE(box("CosCheck").isChecked());
        expectEnabled(false, false, true);
    }

    // Save writes the COS Check box but neither judges nor writes the level.
    save();
    EXPECT_TRUE(rig.host.messages.isEmpty());
    EXPECT_EQ(log(), saveStream(replaced(factoryWrites(true), "SN_SQ", nullptr)));
    EXPECT_EQ(text("SN_SQ"), "");
    expectEnabled(false, false, true);
}

TEST_F(BasicInfo, WithoutJitterTheJitterBoxStaysDisabledAndUnwritten)
{
    rig.emulator.setFeature(emu::Feature::Jitter, false);
    build();
    expectEnabled(true, true, false);
    EXPECT_EQ(text("JitterValue"), "");

    struct Step {
        Form form;
        const char* shown;
    };
    for (const Step& step : {Step{Form::Opening, "0"}, Step{Form::Reload, "0"}, Step{Form::Cancel, ""},
                             Step{Form::Reload, "0"}}) {
        SCOPED_TRACE(formName(step.form));
        line("JitterValue").setText("77");
        rig.emulator.clearLog();
        run(step.form);
        EXPECT_EQ(log(), loadReads(step.form != Form::Cancel));
        EXPECT_EQ(text("JitterValue"), step.shown);
        expectEnabled(true, true, false);
    }

    line("JitterValue").setText("abc");
    save();
    EXPECT_TRUE(rig.host.messages.isEmpty());
    EXPECT_EQ(log(), saveStream(replaced(factoryWrites(false), "JitterValue", nullptr)));
    EXPECT_EQ(text("JitterValue"), "");
    expectEnabled(true, true, false);
}

// Only the read-back judges the squelch read, and only Cancel and the
// read-back judge the jitter read; the state they set holds until the next
// judged read.
TEST_F(BasicInfo, JudgedReadsSwitchTheFeatureControls)
{
    build();
    trigger("Reload1");
    rig.emulator.clearFaults();
    rig.emulator.injectFault({emu::FaultKind::Stall, cmd::ReadSquelchLevel, 1, 0});
    rig.emulator.injectFault({emu::FaultKind::Stall, cmd::ReadJitterBuffer, 1, 0});
    save();
    EXPECT_EQ(log(), saveStream(factoryWrites(false)));
    EXPECT_EQ(text("SN_SQ"), "");
    EXPECT_EQ(text("JitterValue"), "");
    expectEnabled(false, true, false);

    trigger("Reload1");
    EXPECT_EQ(text("SN_SQ"), "128");
    EXPECT_EQ(text("JitterValue"), "20");
    expectEnabled(false, true, false);

    trigger("Cancel1");
    expectEnabled(false, true, true);

    // The disabled level is left out; the read-back answers and enables it.
    save();
    EXPECT_EQ(log(), saveStream(replaced(factoryWrites(false), "SN_SQ", nullptr)));
    EXPECT_EQ(text("SN_SQ"), "128");
    expectEnabled(true, true, true);
}

// ---------------------------------------------------------------------------
// Opening from the main window

TEST(BasicInfoOpening, MainMenuProbesTheSerialPortLoadsAndShowsTheDialog)
{
    Rig rig;
    Windows windows = rig.start();
    rig.emulator.state().timeOut = 0;
    rig.emulator.state().lastFrameErrorBits = 11;
    QAction& rs232c = child<QAction>(*windows.form7, "RS232C");
    rs232c.setEnabled(false);
    rig.emulator.clearLog();

    std::string timeOut, lastFrame;
    bool closedByExit = false;
    rig.host.whileShown = [&](QDialog& dialog) {
        timeOut = child<QLineEdit>(dialog, "TimeOut").text().toStdString();
        lastFrame = child<QLineEdit>(dialog, "LastFrameErrorBits").text().toStdString();
        child<QAction>(dialog, "Exit1").trigger();
        closedByExit = !dialog.isVisible();
    };
    windows.form7->BasicInfoSetting1Click();

    Log expected = {"R B3 1"};
    for (const std::string& r : loadReads(true)) expected.push_back(r);
    EXPECT_EQ(pictures(rig.emulator.log()), expected);  // Exit sends nothing
    EXPECT_EQ(rig.host.shown, QStringList{"Basic Infomation Setting"});
    EXPECT_EQ(timeOut, "00");
    EXPECT_EQ(lastFrame, "11");
    EXPECT_TRUE(closedByExit);
    EXPECT_TRUE(rs232c.isEnabled());
}

TEST(BasicInfoOpening, SerialPortItemIsNotEnabledWithoutItsDialog)
{
    Rig rig;
    rig.emulator.setFeature(emu::Feature::SerialPort, false);
    Windows windows = rig.start();
    rig.emulator.setFeature(emu::Feature::SerialPort, true);  // answers now, too late
    rig.emulator.clearLog();
    windows.form7->BasicInfoSetting1Click();
    ASSERT_FALSE(rig.emulator.log().empty());
    EXPECT_EQ(picture(rig.emulator.log().front()), "R B3 1");
    EXPECT_FALSE(child<QAction>(*windows.form7, "RS232C").isEnabled());
    EXPECT_EQ(rig.host.shown, QStringList{"Basic Infomation Setting"});
}

}  // namespace

// Upper-casing never changes the length of a text and never turns a Latin-1
// letter into one the adapter cannot receive.
TEST(UpperCase, CharacterForCharacterWithinLatin1)
{
    EXPECT_EQ(upperCaseKeepingLength(QString::fromUtf8("stra\u00dfe \u00e4\u00ff\u00b5 jp1yiu")),
              QString::fromUtf8("STRA\u00dfE \u00c4\u00ff\u00b5 JP1YIU"));
}
