// The basic settings dialog driven through its real widgets over the
// emulated adapter: what each load shows, which control each flag bit sets,
// what Save sends or refuses for each field, the feature-dependent controls,
// and the opening from the main menu.

#include "tests/support/dialog_helpers.h"

#include "app/eeprom_set.h"
#include "dialogs/basicinfo.h"
#include "dialogs/upper_case.h"

#include <memory>
#include <string>
#include <tuple>

namespace {

using Form = TAutoDetect::LoadForm;
using dlg::child;
using dlg::Pics;
using dlg::sent;

class BasicInfo : public testing::Test {
protected:
    void build()
    {
        dialog = std::make_unique<TAutoDetect>(rig.context());
        dialog->showProbe(settings::probeBasic(rig.link));
        rig.emulator.clearLog();
        rig.emulator.clearFaults();
    }
    QLineEdit& line(const char* name) { return child<QLineEdit>(*dialog, name); }
    QCheckBox& box(const char* name) { return child<QCheckBox>(*dialog, name); }
    std::string text(const char* name) { return line(name).text().toStdString(); }
    void trigger(const char* action) { dlg::trigger(*dialog, action); }
    void run(Form form)
    {
        switch (form) {
        case Form::Reload: trigger("Reload1"); break;
        case Form::Cancel: trigger("Cancel1"); break;
        default: {
            notread::Report report;
            dialog->LoadBasicSettings(form, report);
            break;
        }
        }
    }
    void save()
    {
        rig.emulator.clearLog();
        rig.host.messages.clear();
        trigger("Save1");
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

// ---------------------------------------------------------------------------
// The window

// At construction the second squelch answer decides; a failed answer blanks
// and disables the feature's controls.
TEST_F(BasicInfo, ConstructionProbesEnableOrBlankTheFeatureControls)
{
    for (const auto& [squelchStalls, jitter] : {std::pair{0, true}, {1, true}, {2, true}, {0, false}}) {
        SCOPED_TRACE(testing::Message() << "0x72 read " << squelchStalls << " stalls, jitter " << jitter);
        if (squelchStalls != 0) rig.emulator.injectFault({emu::FaultKind::Stall, 0x72, squelchStalls, 0});
        rig.emulator.setFeature(emu::Feature::Jitter, jitter);
        build();
        expectEnabled(squelchStalls != 2, squelchStalls != 2, jitter);
        EXPECT_EQ(text("SN_SQ"), squelchStalls != 2 ? "128" : "");
        EXPECT_EQ(text("JitterValue"), jitter ? "20" : "");
    }
}

// ---------------------------------------------------------------------------
// What the four load forms show

TEST_F(BasicInfo, EachLoadFormShowsTheAdapterValues)
{
    const char* const controls[] = {"DelayTime", "TimeOut", "KeepAlive", "ReSyncErrorBit", "LastFrameErrorBits",
                                    "PreBit",    "PostBit", "SN_SQ",     "JitterValue"};
    struct Case {
        std::array<std::uint8_t, 10> adapter;  // the reads of `controls`, 0x72 in two bytes
        std::array<const char*, 9> opening;    // as the opening shows them
        const char* timeOutLater;              // TimeOut after Reload, Cancel, read-back
    };
    const Case cases[] = {
        {{0, 0, 0, 24, 3, 0xF0, 0x06, 0x80, 0x3F, 255}, {"0", "00", "00", "24", "3", "F0", " 6", "512", "255"}, "0"},
        {{200, 25, 255, 7, 24, 0x00, 0xAB, 0xFF, 0xC0, 0},
         {"2000", "250", "2550", "7", "24", "  ", "AB", "1023", "0"},
         "250"},
    };
    for (Form form : {Form::Opening, Form::Reload, Form::Cancel, Form::ReadBack}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "form " << int(form) << ", " << c.opening[0]);
            build();
            for (const char* name : controls) line(name).setText("77");
            emu::AdapterState& s = rig.emulator.state();
            const auto& a = c.adapter;
            std::tie(s.delayTime, s.timeOut, s.keepAlive, s.resyncErrorBits, s.lastFrameErrorBits) =
                std::tie(a[0], a[1], a[2], a[3], a[4]);
            std::tie(s.preBit, s.postBit, s.squelch[0], s.squelch[1], s.jitterBuffer) =
                std::tie(a[5], a[6], a[7], a[8], a[9]);

            run(form);

            for (std::size_t i = 0; i < std::size(controls); ++i) {
                EXPECT_EQ(text(controls[i]), i == 1 && form != Form::Opening ? c.timeOutLater : c.opening[i])
                    << controls[i];
            }
            expectEnabled(true, true, true);
        }
    }
}

// ---------------------------------------------------------------------------
// The flags: read as bits of 0x56 and 0xD0, each written by its own request

struct Flag {
    const char* control;
    bool optionByte;  // a bit of 0x56, else of 0xD0
    std::uint8_t mask, code;
    const char *onText, *offText;  // nullptr: a check box
};
// In the order Save sends them.
const Flag Flags[] = {
    {"CRCCheck", true, 0x02, 0x07, "ON", "OFF"},
    {"LastFrameSend", true, 0x08, 0x0A, "ON", "OFF"},
    {"Duplex", true, 0x80, 0x0E, "HALF DUPLEX", "FULL DUPLEX"},
    {"TxInvert", false, 0x01, 0xD2, nullptr, nullptr},
    {"RxInvert", false, 0x02, 0xD1, nullptr, nullptr},
    {"AutoRXDetect", false, 0x80, 0xD3, nullptr, nullptr},
    {"CosCheck", true, 0x04, 0x06, nullptr, nullptr},
};

// One bit at a time (none in the last round), with every bit that shows
// nowhere set around it: exactly its control shows on, and Save sends 1 for
// that control alone.
TEST_F(BasicInfo, EachFlagBitSetsItsOwnControlWhichSetsItsOwnRequest)
{
    build();
    for (std::size_t on = 0; on <= std::size(Flags); ++on) {
        SCOPED_TRACE(on < std::size(Flags) ? Flags[on].control : "none");
        std::uint8_t options = 0x71, polarity = 0x7C;
        if (on < std::size(Flags)) (Flags[on].optionByte ? options : polarity) |= Flags[on].mask;
        rig.emulator.state().optionFlags = options;
        rig.emulator.state().polarityFlags = polarity;
        for (std::size_t i = 0; i < std::size(Flags); ++i) {
            if (Flags[i].onText) line(Flags[i].control).setText(i == on ? Flags[i].offText : Flags[i].onText);
            else box(Flags[i].control).setChecked(i != on);
        }

        run(Form::Reload);

        Pics writes;
        for (std::size_t i = 0; i < std::size(Flags); ++i) {
            const Flag& f = Flags[i];
            if (f.onText) EXPECT_EQ(text(f.control), i == on ? f.onText : f.offText);
            else EXPECT_EQ(box(f.control).isChecked(), i == on) << f.control;
            writes.push_back(dlg::valueWrite(f.code, i == on));
        }
        save();
        EXPECT_EQ(sent(rig, {0x07, 0x0A, 0x0E, 0xD2, 0xD1, 0xD3, 0x06}), writes);
    }
}

// What a user types in lower case into an upper-case box reaches the adapter
// as its upper-case meaning: "on" is ON, "f0" is the pattern 0xF0.
// Milliseconds go out in units of 10, the remainder dropped.
TEST_F(BasicInfo, TypedTextIsSentAsWhatItMeans)
{
    build();
    const struct {
        const char* control;
        const char* typed;
        std::uint8_t code;
        unsigned value;
    } cases[] = {{"CRCCheck", "on", 0x07, 1},  {"LastFrameSend", "on", 0x0A, 1}, {"Duplex", "half duplex", 0x0E, 1},
                 {"PreBit", "f0", 0xE0, 0xF0}, {"PostBit", "6a", 0xE1, 0x6A},    {"DelayTime", "15", 0x02, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        rig.emulator.state().optionFlags = 0x00;
        trigger("Reload1");
        line(c.control).clear();
        dlg::type(line(c.control), QString::fromLatin1(c.typed));
        save();
        EXPECT_EQ(sent(rig, {c.code}), Pics{dlg::valueWrite(c.code, c.value)});
    }
}

// ---------------------------------------------------------------------------
// Save, one field at a time: its own write or its own message

struct NumberField {
    const char* control;
    std::uint8_t code;
    const char* cutToMax;                        // its largest value in the first N characters, more after them
    int sent;                                    // the wValue that goes out for it
    const char *overMax, *tooLarge, *notNumber;  // one above the largest value; the two messages
};

// N is 8, or 4 for LastFrameErrorBits and JitterValue.
const NumberField Numbers[] = {
    {"DelayTime", 0x02, "00002550x", 0xFF, "2551", "Invalid value in Delay Time (Max. value is 2550 mSec.)",
     "Invalid character in Delay Time"},
    {"TimeOut", 0x01, "00002550x", 0xFF, "2551", "Invalid value in Time Out(Max. value is 2550 sec.)",
     "Invalid character in Time Out"},
    {"ReSyncErrorBit", 0x04, "00000024x", 24, "25", "Invalid value in Resync error bits (Max. value is 24)",
     "Invalid character in Resync error bits"},
    {"LastFrameErrorBits", 0x5A, "0024x", 24, "25", "Invalid value in Last Frame Error Bits (Max. value is 24)",
     "Invalid character in Last Frame Error bits"},
    {"KeepAlive", 0x03, "00002550x", 0xFF, "2551", "Invalid value in Keep Alive (Max. value is 2550 mSec.)",
     "Invalid character in Keep Alive"},
    {"SN_SQ", 0x71, "00001023x", 1023, "1024", "Invalid value in S/N Squelch (Max. value is 1023.)",
     "Invalid character in SN Squelch"},
    {"JitterValue", 0x4A, "02559", 255, "256", "Invalid value in Jitter Buffer Size (Max. value is 255)",
     "Invalid character in Jitter Buffer Size"},
};

TEST_F(BasicInfo, EachNumberFieldIsCutAndSentOrRefusedWithItsOwnMessage)
{
    build();
    for (const NumberField& f : Numbers) {
        const std::pair<const char*, const char*> entries[] = {
            {f.cutToMax, nullptr}, {f.overMax, f.tooLarge}, {"x", f.notNumber}};
        for (const auto& [entry, message] : entries) {
            SCOPED_TRACE(testing::Message() << f.control << " \"" << entry << '"');
            trigger("Reload1");
            line(f.control).setText(entry);
            save();
            EXPECT_EQ(sent(rig, {f.code}), message ? Pics{} : Pics{dlg::valueWrite(f.code, f.sent)});
            EXPECT_EQ(rig.host.messages, message ? QStringList{message} : QStringList{});
        }
    }
}

// A refused field stops nothing: the other fields are written, and the
// read-back shows the adapter's values in the refused ones again.
TEST_F(BasicInfo, RefusedFieldsLeaveTheRestOfTheSaveGoing)
{
    build();
    trigger("Reload1");
    line("DelayTime").setText("x");
    line("JitterValue").setText("256");
    save();
    EXPECT_EQ(rig.host.messages, (QStringList{Numbers[0].notNumber, Numbers[6].tooLarge}));
    EXPECT_TRUE(sent(rig, {0x02, 0x4A}).empty());
    const Pics others = sent(rig, {0x01, 0x04, 0x5A, 0x03, 0x07, 0x0A, 0x0E, 0xE0, 0xE1, 0xD2, 0xD1, 0xD3, 0x06, 0x71});
    EXPECT_EQ(others.size(), 14u);
    EXPECT_EQ(text("DelayTime"), "300");
    EXPECT_EQ(text("JitterValue"), "20");
}

// ---------------------------------------------------------------------------
// The feature-dependent controls after construction

// Only the read-back judges the squelch read, and only Cancel and the
// read-back judge the jitter read; the state they set holds until the next
// judged read. Save leaves a disabled box out without a word.
TEST_F(BasicInfo, JudgedReadsSwitchTheFeatureControlsAndDisabledOnesAreNotSaved)
{
    build();
    trigger("Reload1");
    rig.emulator.clearFaults();
    rig.emulator.injectFault({emu::FaultKind::Stall, 0x72, 1, 0});
    rig.emulator.injectFault({emu::FaultKind::Stall, 0x58, 1, 0});
    save();
    EXPECT_EQ(text("SN_SQ"), "");
    EXPECT_EQ(text("JitterValue"), "");
    expectEnabled(false, true, false);

    trigger("Reload1");
    EXPECT_EQ(text("SN_SQ"), "128");
    EXPECT_EQ(text("JitterValue"), "20");
    expectEnabled(false, true, false);

    line("SN_SQ").setText("abc");
    line("JitterValue").setText("abc");
    save();
    EXPECT_TRUE(rig.host.messages.isEmpty());
    EXPECT_TRUE(sent(rig, {0x71, 0x4A}).empty());
    EXPECT_EQ(text("SN_SQ"), "128");
    expectEnabled(true, true, true);

    rig.emulator.clearFaults();
    rig.emulator.injectFault({emu::FaultKind::Stall, 0x58, 1, 0});
    trigger("Cancel1");
    EXPECT_EQ(text("JitterValue"), "");
    expectEnabled(true, true, false);
    trigger("Cancel1");
    expectEnabled(true, true, true);
}

// ---------------------------------------------------------------------------
// Opening from the main window

// The menu item's serial port probe enables the RS232C item only when its
// dialog exists; the opening form shows the time-out as "%d0". Exit closes
// the dialog and sends nothing.
TEST(BasicInfoOpening, MainMenuProbesTheSerialPortAndShowsTheOpeningForm)
{
    for (const bool serialAtStart : {true, false}) {
        SCOPED_TRACE(serialAtStart ? "serial port dialog built" : "no serial port dialog");
        Rig rig;
        rig.emulator.setFeature(emu::Feature::SerialPort, serialAtStart);
        Windows windows = rig.start();
        rig.emulator.setFeature(emu::Feature::SerialPort, true);  // answers now, too late for the dialog
        rig.emulator.state().timeOut = 0;
        QAction& rs232c = child<QAction>(*windows.mainWindow, "RS232C");
        rs232c.setEnabled(false);

        dlg::expectExitClosesSilently(
            rig, [&] { windows.mainWindow->BasicInfoSetting1Click(); }, "Exit1");
        EXPECT_EQ(rig.host.shown, QStringList{windows.basicDialog->windowTitle()});
        EXPECT_EQ(dlg::edit(*windows.basicDialog, "TimeOut").text(), "00");
        EXPECT_EQ(rs232c.isEnabled(), serialAtStart);
    }
}

}  // namespace

// Upper-casing never changes the length of a text and never turns a Latin-1
// letter into one the adapter cannot receive.
TEST(UpperCase, CharacterForCharacterWithinLatin1)
{
    EXPECT_EQ(upperCaseKeepingLength(QString::fromUtf8("stra\u00dfe \u00e4\u00ff\u00b5 n0call")),
              QString::fromUtf8("STRA\u00dfE \u00c4\u00ff\u00b5 N0CALL"));
}
