// The slow data dialog over the emulated adapter: which box each status bit
// ticks, which request each box sets, the code and message fields, Cancel
// and Exit.

#include "app/eeprom_set.h"
#include "dialogs/unit15.h"
#include "tests/support/dialog_helpers.h"

using namespace dlg;

namespace {

class SlowDataDialog : public testing::Test {
protected:
    void open() { windows.mainWindow->SlowDataClick(); }
    void save()
    {
        rig.emulator.clearLog();
        trigger(dialog, "Save1");
    }
    QCheckBox& box(const char* name) { return child<QCheckBox>(dialog, name); }

    Rig rig;
    Windows windows{rig.start()};
    TForm15& dialog = *windows.slowDataDialog;
    QLineEdit& code = edit(dialog, "DigitalCodeValue");
    QLineEdit& message = edit(dialog, "SlowDataMsg");
};

// The three switches: the box, its bit in byte 1 of the status block and
// the request that sets it.
struct Switch {
    const char* box;
    std::uint8_t bit, code;
};
const Switch Switches[] = {{"SlowDataInsB", 0x02, 0xE5}, {"SlowDataInsA", 0x04, 0xE7}, {"DigitalCodeSW", 0x08, 0xE8}};

// One bit at a time (none in the last round), with every bit that is not a
// slow data switch set around it: exactly its box is ticked, and Save sends
// 1 for that box alone.
TEST_F(SlowDataDialog, EachStatusBitTicksItsOwnBoxWhichSetsItsOwnRequest)
{
    for (std::size_t on = 0; on <= std::size(Switches); ++on) {
        SCOPED_TRACE(on < std::size(Switches) ? Switches[on].box : "none");
        std::uint8_t byte1 = 0xF1;
        for (std::size_t i = 0; i < std::size(Switches); ++i) {
            box(Switches[i].box).setChecked(i != on);
            if (i == on) byte1 |= Switches[i].bit;
        }
        rig.emulator.state().status = {0xFF, byte1, 0xFF};
        rig.host.shown.clear();

        open();
        EXPECT_EQ(rig.host.shown, QStringList{dialog.windowTitle()});
        Pics writes;
        for (std::size_t i = 0; i < std::size(Switches); ++i) {
            EXPECT_EQ(box(Switches[i].box).isChecked(), i == on) << Switches[i].box;
            writes.push_back(valueWrite(Switches[i].code, i == on));
        }
        save();
        EXPECT_EQ(sent(rig, {0xE5, 0xE7, 0xE8}), writes);
    }
}

// The code shows as two hex digits, a leading zero kept.
TEST_F(SlowDataDialog, CancelShowsTheAdapterCodeAndMessageAgain)
{
    rig.emulator.state().digitalCode = 0x05;
    rig.emulator.state().slowDataMessage = block<20>("ADAPTER TEXT");
    code.setText("edited");
    message.setText("edited message");
    trigger(dialog, "Cancel1");
    EXPECT_EQ(code.text(), "05");
    EXPECT_EQ(message.text(), "ADAPTER TEXT");
}

}  // namespace
