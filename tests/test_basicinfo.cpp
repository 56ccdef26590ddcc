// The basic settings dialog driven through its real widgets over the
// emulated adapter: what each load sends and shows, what Save sends for each
// input, the feature-dependent controls, and the opening from the main menu.

#include "tests/support/dialog_helpers.h"

#include "app/eeprom_set.h"
#include "device/commands.h"
#include "device/encodings.h"
#include "dialogs/basicinfo.h"
#include "dialogs/upper_case.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Log = std::vector<std::string>;
using Form = TAutoDetect::LoadForm;

using dlg::child;

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
    void trigger(const char* action) { dlg::trigger(*dialog, action); }
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
    using dlg::type;
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

using S = SaveCase;

class BasicInfoSave : public BasicInfo, public testing::WithParamInterface<SaveCase> {};

TEST_P(BasicInfoSave, SendsTheFieldOrRefusesIt)
{
    const SaveCase& c = GetParam();
    build();
    trigger("Reload1");
    box("CosCheck").setChecked(c.cosChecked);
    if (auto* checkBox = dialog->findChild<QCheckBox*>(c.control))
        checkBox->setChecked(true);  // a check box row ticks its box
    else
        line(c.control).setText(QString::fromLatin1(c.text));

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
        S{"DelayTime", "2550", false, nullptr, "V 02 00FF"}, S{"DelayTime", "2551", false, DelayMax, nullptr},
        S{"DelayTime", "15", false, nullptr, "V 02 0001"}, S{"DelayTime", "0", false, nullptr, "V 02 0000"},
        S{"DelayTime", "-1", false, DelayMax, nullptr}, S{"DelayTime", "123456789", false, DelayMax, nullptr},
        S{"DelayTime", "00002550x", false, nullptr, "V 02 00FF"},
        S{"DelayTime", "12 34", false, nullptr, "V 02 0001"}, S{"DelayTime", " 12", false, DelayChar, nullptr},
        S{"DelayTime", "", false, DelayChar, nullptr}, S{"DelayTime", "-", false, DelayChar, nullptr},
        S{"DelayTime", "99999999999", false, DelayMax, nullptr},
        S{"TimeOut", "-1", false, TimeOutMax, nullptr},
        S{"TimeOut", "abc", false, "Invalid character in Time Out", nullptr},
        S{"TimeOut", "2550", false, nullptr, "V 01 00FF"}, S{"TimeOut", "2551", false, TimeOutMax, nullptr},
        S{"ReSyncErrorBit", "24", false, nullptr, "V 04 0018"},
        S{"ReSyncErrorBit", "25", false, ResyncMax, nullptr},
        S{"ReSyncErrorBit", "12 34", false, nullptr, "V 04 000C"},
        S{"ReSyncErrorBit", " 12", false, ResyncChar, nullptr},
        S{"LastFrameErrorBits", "24", false, nullptr, "V 5A 0018"},
        S{"LastFrameErrorBits", "25", false, LastMax, nullptr},
        S{"LastFrameErrorBits", "48", false, LastMax, nullptr},
        S{"LastFrameErrorBits", "12345", false, LastMax, nullptr},
        S{"LastFrameErrorBits", "0024x", false, nullptr, "V 5A 0018"},
        S{"LastFrameErrorBits", "2 99", false, nullptr, "V 5A 0002"},
        S{"LastFrameErrorBits", "x", false, "Invalid character in Last Frame Error bits", nullptr},
        S{"KeepAlive", "", false, KeepChar, nullptr}, S{"KeepAlive", "12a", false, KeepChar, nullptr},
        S{"KeepAlive", "2550", false, nullptr, "V 03 00FF"}, S{"KeepAlive", "2551", false, KeepMax, nullptr},
        S{"KeepAlive", "19", false, nullptr, "V 03 0001"},
        S{"CRCCheck", "ON", false, nullptr, "V 07 0001"}, S{"CRCCheck", "OFF", false, nullptr, "V 07 0000"},
        S{"CRCCheck", "ON ", false, nullptr, "V 07 0000"}, S{"CRCCheck", "ONE", false, nullptr, "V 07 0000"},
        S{"CRCCheck", "", false, nullptr, "V 07 0000"}, S{"CRCCheck", "on", false, nullptr, "V 07 0001"},
        S{"LastFrameSend", "OFF", false, nullptr, "V 0A 0000"},
        S{"LastFrameSend", " ON", false, nullptr, "V 0A 0000"},
        S{"Duplex", "HALF DUPLEX", false, nullptr, "V 0E 0001"},
        S{"Duplex", "HALFWAY", false, nullptr, "V 0E 0001"}, S{"Duplex", "HALF", false, nullptr, "V 0E 0001"},
        S{"Duplex", "half duplex", false, nullptr, "V 0E 0001"}, S{"Duplex", "HAL", false, nullptr, "V 0E 0000"},
        S{"Duplex", " HALF", false, nullptr, "V 0E 0000"}, S{"Duplex", "FULL DUPLEX", false, nullptr, "V 0E 0000"},
        S{"Duplex", "", false, nullptr, "V 0E 0000"},
        S{"PreBit", "F", false, nullptr, "V E0 00F0"}, S{"PreBit", "0F", false, nullptr, "V E0 000F"},
        S{"PreBit", "G1", false, nullptr, "V E0 0001"}, S{"PreBit", "F0AB", false, nullptr, "V E0 00F0"},
        S{"PreBit", " 6", false, nullptr, "V E0 0006"}, S{"PreBit", "6", false, nullptr, "V E0 0060"},
        S{"PreBit", "  ", false, nullptr, "V E0 0000"}, S{"PreBit", "", false, nullptr, "V E0 0000"},
        S{"PreBit", "f0", false, nullptr, "V E0 00F0"},
        S{"PostBit", "9Z", false, nullptr, "V E1 0090"}, S{"PostBit", "AB", false, nullptr, "V E1 00AB"},
        S{"TxInvert", "ticked", false, nullptr, "V D2 0001"},
        S{"RxInvert", "ticked", false, nullptr, "V D1 0001"},
        S{"AutoRXDetect", "ticked", false, nullptr, "V D3 0001"},
        S{"CosCheck", "ticked", true, nullptr, "V 06 0001"},
        S{"SN_SQ", "0", true, nullptr, "V 71 0000"}, S{"SN_SQ", "0", false, SquelchZero, nullptr},
        S{"SN_SQ", "0 5", false, SquelchZero, nullptr}, S{"SN_SQ", "1", false, nullptr, "V 71 0001"},
        S{"SN_SQ", "1023", false, nullptr, "V 71 03FF"}, S{"SN_SQ", "1024", false, SquelchMax, nullptr},
        S{"SN_SQ", "1024", true, SquelchMax, nullptr}, S{"SN_SQ", "-1", false, SquelchMax, nullptr},
        S{"SN_SQ", "", true, "Invalid character in SN Squelch", nullptr},
        S{"JitterValue", "255", false, nullptr, "V 4A 00FF"}, S{"JitterValue", "256", false, JitterMax, nullptr},
        S{"JitterValue", "12345", false, JitterMax, nullptr},
        S{"JitterValue", "255 99", false, nullptr, "V 4A 00FF"},
        S{"JitterValue", "02559", false, nullptr, "V 4A 00FF"}, S{"JitterValue", "-1", false, JitterMax, nullptr},
        S{"JitterValue", "", false, "Invalid character in Jitter Buffer Size", nullptr}));

TEST_F(BasicInfo, BadFieldsAreRefusedOneByOneAndTheRestIsWritten)
{
    build();
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

// The controls stay disabled, loads still ask and show the zeroed buffer,
// and Save neither judges nor writes the value (COS Check is still written).
TEST_F(BasicInfo, WithoutAFeatureItsControlsStayDisabledAndUnwritten)
{
    struct Case {
        emu::Feature feature;
        const char* control;
        bool squelch, cos, jitter;  // enabled
        const char* afterCancel;    // Cancel judges the jitter read
    };
    for (const Case& c : {Case{emu::Feature::Squelch, "SN_SQ", false, false, true, "0"},
                          Case{emu::Feature::Jitter, "JitterValue", true, true, false, ""}}) {
        SCOPED_TRACE(c.control);
        rig.emulator.state() = emu::AdapterState{};
        rig.emulator.setFeature(emu::Feature::Squelch, true);
        rig.emulator.setFeature(emu::Feature::Jitter, true);
        rig.emulator.setFeature(c.feature, false);
        rig.emulator.state().optionFlags |= option::CosCheck;
        build();
        expectEnabled(c.squelch, c.cos, c.jitter);
        EXPECT_EQ(text(c.control), "");

        for (const auto& [form, shown] : std::vector<std::pair<Form, const char*>>{
                 {Form::Opening, "0"}, {Form::Reload, "0"}, {Form::Cancel, c.afterCancel}, {Form::Reload, "0"}}) {
            SCOPED_TRACE(formName(form));
            line(c.control).setText("77");
            rig.emulator.clearLog();
            run(form);
            EXPECT_EQ(log(), loadReads(form != Form::Cancel));
            EXPECT_EQ(text(c.control), shown);
            EXPECT_TRUE(box("CosCheck").isChecked());
            expectEnabled(c.squelch, c.cos, c.jitter);
        }

        line(c.control).setText("abc");
        save();
        EXPECT_TRUE(rig.host.messages.isEmpty());
        EXPECT_EQ(log(), saveStream(replaced(factoryWrites(true), c.control, nullptr)));
        EXPECT_EQ(text(c.control), "");
        expectEnabled(c.squelch, c.cos, c.jitter);
    }
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

// The menu item probes the serial port first; the RS232C item is enabled
// only when its dialog exists. Exit closes the dialog and sends nothing.
TEST(BasicInfoOpening, MainMenuProbesTheSerialPortLoadsAndShowsTheDialog)
{
    for (const bool serialAtStart : {true, false}) {
        SCOPED_TRACE(serialAtStart ? "serial port dialog built" : "no serial port dialog");
        Rig rig;
        rig.emulator.setFeature(emu::Feature::SerialPort, serialAtStart);
        Windows windows = rig.start();
        rig.emulator.setFeature(emu::Feature::SerialPort, true);  // answers now, too late for the dialog
        rig.emulator.state().timeOut = 0;
        rig.emulator.state().lastFrameErrorBits = 11;
        QAction& rs232c = child<QAction>(*windows.form7, "RS232C");
        rs232c.setEnabled(false);
        rig.emulator.clearLog();

        std::string timeOut, lastFrame;
        bool closedByExit = false;
        dlg::whileShown(rig, [&] { windows.form7->BasicInfoSetting1Click(); }, [&](QDialog& dialog) {
            timeOut = dlg::text(dialog, "TimeOut");
            lastFrame = dlg::text(dialog, "LastFrameErrorBits");
            dlg::trigger(dialog, "Exit1");
            closedByExit = !dialog.isVisible();
        });

        EXPECT_EQ(dlg::logged(rig), dlg::concat({{"R B3 1"}, loadReads(true)}));  // Exit sends nothing
        EXPECT_EQ(rig.host.shown, QStringList{"Basic Infomation Setting"});
        EXPECT_EQ(timeOut, "00");
        EXPECT_EQ(lastFrame, "11");
        EXPECT_TRUE(closedByExit);
        EXPECT_EQ(rs232c.isEnabled(), serialAtStart);
    }
}

}  // namespace

// Upper-casing never changes the length of a text and never turns a Latin-1
// letter into one the adapter cannot receive.
TEST(UpperCase, CharacterForCharacterWithinLatin1)
{
    EXPECT_EQ(upperCaseKeepingLength(QString::fromUtf8("stra\u00dfe \u00e4\u00ff\u00b5 jp1yiu")),
              QString::fromUtf8("STRA\u00dfE \u00c4\u00ff\u00b5 JP1YIU"));
}
