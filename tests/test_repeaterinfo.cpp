// The repeater settings dialog and the flag legend, driven through their real
// widgets over the emulated adapter: which box each status bit ticks and
// which request each box sets, each call sign's own bytes, Exit and the
// legend.

#include "app/eeprom_set.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit13.h"
#include "tests/support/dialog_helpers.h"

#include <QApplication>
#include <QMouseEvent>

#include <ostream>

using dlg::Pics;
using State = emu::AdapterState;

namespace {

// Each box: its byte and bit in the status block and the request Save sends
// it with; the flag bits all travel in the one byte of request 0x98.
struct Box {
    const char* name;
    int byte;
    std::uint8_t mask, code;
};
const Box Boxes[] = {
    {"CallCheckSW", 0, 0x01, 0x90},   {"DupCheckSW", 0, 0x02, 0x91},    {"DupClearSW", 0, 0x04, 0x92},
    {"AltMyCallSW", 0, 0x08, 0x93},   {"AltMyCall2SW", 0, 0x10, 0x94},  {"AltYourCallSW", 0, 0x20, 0x95},
    {"AltRPT1CallSW", 0, 0x40, 0x96}, {"AltRPT2CallSW", 0, 0x80, 0x97}, {"AltFlagSW", 1, 0x01, 0x99},
    {"AltFlag7", 2, 0x80, 0x98},      {"AltFlag6", 2, 0x40, 0x98},      {"AltFlag5", 2, 0x20, 0x98},
    {"AltFlag4", 2, 0x10, 0x98},      {"AltFlag3", 2, 0x08, 0x98},      {"AltFlag2", 2, 0x04, 0x98},
    {"AltFlag1", 2, 0x02, 0x98},      {"AltFlag0", 2, 0x01, 0x98},
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
    // The main window's "&Repeater Info. ": load, then the modal showing.
    void open(std::function<void(QDialog&)> whileShown = nullptr)
    {
        rig.host.whileShown = std::move(whileShown);
        dlg::trigger(*w.mainWindow, "RepeaterInfoSetting1");
    }
    void save()
    {
        rig.emulator.clearLog();
        dlg::trigger(dialog, "Ssve1");
    }
    QLineEdit* edit(const char* name) { return &dlg::edit(dialog, name); }
    QCheckBox* box(const char* name) { return &dlg::child<QCheckBox>(dialog, name); }
    std::vector<std::string> ticked()
    {
        std::vector<std::string> out;
        for (const Box& b : Boxes)
            if (box(b.name)->isChecked()) out.push_back(b.name);
        return out;
    }

    Rig rig;
    Windows w{rig.start()};
    TForm11& dialog = *w.repeaterDialog;
};

// One bit at a time, then none, then several: exactly the boxes of the set
// bits are ticked, and Save sends 1 for each ticked switch and the ticked
// flag bits in the flag byte. Byte 1's other bits belong to no box here.
// The boxes of flag bits 7 and 4 are locked, yet show and send their bits.
TEST_F(RepeaterDialog, EachStatusBitTicksItsOwnBoxWhichSaveSendsBack)
{
    for (const Box& b : Boxes) {
        const std::string name = b.name;
        EXPECT_EQ(box(b.name)->isEnabled(), name != "AltFlag7" && name != "AltFlag4") << name;
    }
    std::vector<std::array<std::uint8_t, 3>> blocks;
    for (const Box& b : Boxes) {
        std::array<std::uint8_t, 3> one{};
        one[b.byte] = b.mask;
        blocks.push_back(one);
    }
    blocks.push_back({0x00, 0x00, 0x00});
    blocks.push_back({0x09, 0x01, 0xC5});
    for (std::array<std::uint8_t, 3> status : blocks) {
        status[1] |= 0xFE;
        SCOPED_TRACE(testing::Message() << std::hex << int(status[0]) << ' ' << int(status[1]) << ' '
                                        << int(status[2]));
        for (const Box& b : Boxes) box(b.name)->setChecked(true);
        rig.emulator.state().status = status;
        open();

        std::vector<std::string> expected;
        Pics writes;
        unsigned flagByte = 0;
        for (const Box& b : Boxes) {
            const bool on = (status[b.byte] & b.mask) != 0;
            if (on) expected.push_back(b.name);
            if (b.code == 0x98) flagByte |= on ? b.mask : 0;
            else writes.push_back(dlg::valueWrite(b.code, on));
        }
        writes.push_back(dlg::valueWrite(0x98, flagByte));
        EXPECT_EQ(ticked(), expected);

        save();
        EXPECT_EQ(dlg::sent(rig, {0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x99, 0x98}), writes);
    }
}

struct CallSign {
    const char* control;
    std::uint8_t writeCode;
    std::size_t width;
    std::uint8_t* (*held)(State&);  // the adapter's bytes
};

void PrintTo(const CallSign& c, std::ostream* os)
{
    *os << c.control;
}

class CallSignField : public RepeaterDialog, public testing::WithParamInterface<CallSign> {};

// Cancel drops an edit and shows the adapter's bytes, trailing blanks
// included; a typed text goes out upper case, cut to the field's width, and
// shows as read back.
TEST_P(CallSignField, ShowsItsOwnBytesAndSendsTheFirstCharactersTyped)
{
    const CallSign& c = GetParam();
    const std::string held = dlg::padded("Q1", c.width, ' ');
    std::copy(held.begin(), held.end(), c.held(rig.emulator.state()));
    QLineEdit* field = edit(c.control);
    field->setText("EDITED");
    dlg::trigger(dialog, "Cancel1");
    EXPECT_EQ(field->text().toStdString(), held);

    field->clear();
    dlg::type(*field, "abcdefghij");
    save();
    EXPECT_EQ(dlg::dataSent(rig, c.writeCode), std::string("ABCDEFGHIJ").substr(0, c.width));
    EXPECT_EQ(field->text().toStdString(), std::string("ABCDEFGHIJ").substr(0, c.width));
}

INSTANTIATE_TEST_SUITE_P(
    Repeater, CallSignField,
    testing::Values(CallSign{"MyRepeaterCall", 0x46, 8, [](State& s) { return s.myRepeaterCall.data(); }},
                    CallSign{"AltMyCall", 0xA0, 8, [](State& s) { return s.altMyCall.data(); }},
                    CallSign{"AltMyCall2", 0xA1, 4, [](State& s) { return s.altMyCall2.data(); }},
                    CallSign{"AltYourCall", 0xA2, 8, [](State& s) { return s.altYourCall.data(); }},
                    CallSign{"AltRPT1Call", 0xA3, 8, [](State& s) { return s.altRpt1Call.data(); }},
                    CallSign{"AltRPT2Call", 0xA4, 8, [](State& s) { return s.altRpt2Call.data(); }}),
    [](const auto& info) { return std::string(info.param.control); });

TEST_F(RepeaterDialog, DetailOpensTheLegendByClickOrKeyWithoutTrafficAndKeepsTheEdits)
{
    open([&](QDialog&) {
        edit("AltYourCall")->setText("EDITED");
        box("AltFlag5")->setChecked(true);
        rig.emulator.clearLog();
        rig.host.whileShown = [](QDialog& legend) { legend.close(); };
        click(&dlg::child<QLabel>(dialog, "StaticText18"));
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(&dlg::child<QLabel>(dialog, "StaticText18"), &space);
        EXPECT_EQ(edit("AltYourCall")->text(), "EDITED");
        EXPECT_TRUE(box("AltFlag5")->isChecked());
    });
    const QString legend = w.flagLegend->windowTitle();
    EXPECT_EQ(rig.host.shown, (QStringList{dialog.windowTitle(), legend, legend}));
    EXPECT_TRUE(rig.emulator.log().empty());
}

}  // namespace
