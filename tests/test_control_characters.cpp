// Control characters in the dialogs' text boxes: one typed or pasted is
// refused with its message and only that write is skipped; one the adapter
// holds goes back to it unchanged when the box is not edited. The full-width
// forms a Japanese input method commits travel as the ASCII they stand for.

#include "app/eeprom_set.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "tests/support/dialog_helpers.h"
#include "tests/support/named_case.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>

#include <algorithm>
#include <functional>
#include <string>

using namespace dlg;

namespace {

template <std::size_t N>
std::string bytes(const std::array<std::uint8_t, N>& block)
{
    return std::string(block.begin(), block.end());
}

struct TextBox {
    const char* name;  // of the box
    const char* label;
    const char* menuItem;  // of the main window, which opens the box's dialog
    char fill;             // after the text in the adapter's block
    std::function<std::string(emu::AdapterState&)> held;
    std::function<void(emu::AdapterState&)> holdControl;  // the adapter holds a text with a TAB
};

NAMED_CASE(TextBox)

const TextBox Boxes[] = {
    {"AltMyCall", "Alter My Call Sign", "RepeaterInfoSetting1", ' ',
     [](emu::AdapterState& s) { return bytes(s.altMyCall); },
     [](emu::AdapterState& s) { s.altMyCall = block<8>("N0\tCALL ", ' '); }},
    {"SlowDataMsg", "Message", "SlowData", '\0', [](emu::AdapterState& s) { return bytes(s.slowDataMessage); },
     [](emu::AdapterState& s) { s.slowDataMessage = block<20>("A\tB"); }},
    {"BeaconMessage", "Beacon Message", "Beacon", '\0', [](emu::AdapterState& s) { return bytes(s.beaconMessage); },
     [](emu::AdapterState& s) { s.beaconMessage = block<20>("A\tB"); }},
    {"GPS_Message", "GPS Message", "RS232C", ' ', [](emu::AdapterState& s) { return bytes(s.gpsMessage); },
     [](emu::AdapterState& s) { s.gpsMessage = block<29>("$GP\tRMC", ' '); }},
};

class ControlCharacter : public testing::TestWithParam<TextBox> {
protected:
    // Opens the dialog of the box.
    QWidget& open()
    {
        trigger(*windows.mainWindow, GetParam().menuItem);
        rig.host.messages.clear();
        rig.emulator.clearLog();
        for (QWidget* dialog : std::initializer_list<QWidget*>{windows.repeaterDialog, windows.slowDataDialog,
                                                               windows.beaconDialog, windows.serialPortDialog})
            if (dialog->findChild<QLineEdit*>(GetParam().name) != nullptr) return *dialog;
        throw std::runtime_error("no dialog holds the box");
    }
    void save(QWidget& dialog)
    {
        const bool repeater = GetParam().name == std::string("AltMyCall");
        trigger(dialog, repeater ? "Ssve1" : "Save1");
    }

    Rig rig;
    Windows windows{rig.start()};
};

// Pasted (typing one adds nothing), C0, DEL and C1 alike.
TEST_P(ControlCharacter, PastedIsRefusedAndTheRestIsWritten)
{
    for (const QString& entered : {QString("N0\tX"), QString("N0") + QChar(0x85), QString("N0") + QChar(0x7F)}) {
        QWidget& dialog = open();
        const std::string before = GetParam().held(rig.emulator.state());
        QLineEdit& box = edit(dialog, GetParam().name);
        box.selectAll();
        QGuiApplication::clipboard()->setText(entered);
        box.paste();
        ASSERT_EQ(box.text(), entered);
        save(dialog);
        EXPECT_EQ(rig.host.messages, QStringList{QStringLiteral("Invalid character in ") + GetParam().label});
        EXPECT_EQ(GetParam().held(rig.emulator.state()), before);
        const auto& log = rig.emulator.requests();
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const emu::LogEntry& e) { return !e.isRead(); }))
            << "the rest of the Save";
    }
}

TEST_P(ControlCharacter, HeldByTheAdapterGoesBackUnchangedWhenNotEdited)
{
    GetParam().holdControl(rig.emulator.state());
    const std::string held = GetParam().held(rig.emulator.state());
    QWidget& dialog = open();
    trigger(dialog, "Cancel1");  // shows what the adapter holds now
    rig.emulator.clearLog();
    save(dialog);
    EXPECT_EQ(rig.host.messages, QStringList{});
    std::string written;
    for (const emu::LogEntry& e : rig.emulator.requests())
        if (!e.isRead()) written.append(e.data.begin(), e.data.end());
    EXPECT_NE(written.find('\t'), std::string::npos) << "written back";
    EXPECT_EQ(GetParam().held(rig.emulator.state()), held);
}

TEST_P(ControlCharacter, FullWidthFromAnInputMethodIsSentAsHalfWidth)
{
    QWidget& dialog = open();
    QLineEdit& box = edit(dialog, GetParam().name);
    box.selectAll();
    QInputMethodEvent commit;
    // "N0 CALL!" in full-width letters, digits and sign, with the ideographic space.
    commit.setCommitString(
        QString::fromUtf8("\xEF\xBC\xAE\xEF\xBC\x90\xE3\x80\x80\xEF\xBC\xA3\xEF\xBC\xA1"
                          "\xEF\xBC\xAC\xEF\xBC\xAC\xEF\xBC\x81"));
    QCoreApplication::sendEvent(&box, &commit);
    save(dialog);
    EXPECT_EQ(rig.host.messages, QStringList{});
    const std::string held = GetParam().held(rig.emulator.state());
    EXPECT_EQ(held, padded("N0 CALL!", held.size(), GetParam().fill));
    EXPECT_EQ(box.text().trimmed(), QStringLiteral("N0 CALL!"));  // as read back
}

INSTANTIATE_TEST_SUITE_P(Boxes, ControlCharacter, testing::ValuesIn(Boxes),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
