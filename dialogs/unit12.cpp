#include "dialogs/unit12.h"

#include "ui_unit12.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "device/latin1.h"
#include "dialogs/busy_cursor.h"

#include <array>
#include <span>

namespace {

struct CodedButton {
    std::uint8_t code;
    QRadioButton* Ui::TForm12::*button;
};

// Baud rate code: the baud rate divided by 100. Save looks at the buttons in
// this order.
constexpr std::array<CodedButton, 4> BaudButtons = {{
    {192, &Ui::TForm12::S19200},
    {96, &Ui::TForm12::S9600},
    {48, &Ui::TForm12::S4800},
    {12, &Ui::TForm12::S1200},
}};

// RS232C mode code; 3, 4 and anything above 6 have no button. Save looks at
// the buttons in this order.
constexpr std::array<CodedButton, 5> ModeButtons = {{
    {0, &Ui::TForm12::Command_Mode},
    {5, &Ui::TForm12::GPS_RCV_Mode},
    {6, &Ui::TForm12::GPS_SEND_Mode},
    {1, &Ui::TForm12::SlowData_Mode},
    {2, &Ui::TForm12::ShortMessage_Mode},
}};

// Checks the button whose code matches. A code without a button changes
// nothing: the group keeps whatever was checked before.
template <std::size_t N>
void checkMatching(Ui::TForm12& ui, const std::array<CodedButton, N>& buttons, std::uint8_t code)
{
    for (const CodedButton& b : buttons)
        if (b.code == code) (ui.*b.button)->setChecked(true);
}

template <std::size_t N>
std::optional<std::uint8_t> checkedCode(const Ui::TForm12& ui,
                                        const std::array<CodedButton, N>& buttons)
{
    for (const CodedButton& b : buttons)
        if ((ui.*b.button)->isChecked()) return b.code;
    return std::nullopt;
}

}  // namespace

TForm12::TForm12(Context context, QWidget* parent)
    : QDialog(parent), ctx_(context), ui_(std::make_unique<Ui::TForm12>())
{
    ui_->setupUi(this);
    // Message send stands alone in its group: without this a click could
    // turn it on but nothing could turn it off again, nor could a value
    // read from the adapter clear it.
    ui_->GPS_MsgSend->setAutoExclusive(false);

    connect(ui_->Save1, &QAction::triggered, this, &TForm12::Save1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TForm12::Cancel1Click);
    connect(ui_->Exit1, &QAction::triggered, this, &TForm12::Exit1Click);

    // Not shown yet, so closing just keeps it hidden with its design-time state.
    if (!loadGroup()) close();
}

TForm12::~TForm12() = default;

bool TForm12::loadGroup()
{
    std::uint8_t byte = 0;
    if (ctx_.link.VendorRead(cmd::ReadBaudRate, &byte, 1) < 0) return false;
    showBaudCode(byte);

    showModeCode(ctx_.link.readByte(cmd::ReadSerialMode));
    showGpsBits(ctx_.link.readByte(cmd::ReadGpsBits));

    readGpsMessage(ZeroForm::Write);
    return true;
}

void TForm12::Save1Click()
{
    BusyCursor busy;

    // A setting with no button checked (the adapter reported a code that has
    // none) has no code to send: it is left out and the Save goes on.
    if (const auto baud = checkedBaudCode()) {
        std::uint8_t code = *baud;
        if (ctx_.link.VendorWriteValue(cmd::WriteBaudRate, code) < 0) return;
        // A failed read leaves the code just written in place.
        ctx_.link.VendorRead(cmd::ReadBaudRate, &code, 1);
        showBaudCode(code);
    }

    if (const auto mode = checkedModeCode()) {
        std::uint8_t code = *mode;
        ctx_.link.VendorWriteValue(cmd::WriteSerialMode, code);
        ctx_.link.VendorRead(cmd::ReadSerialMode, &code, 1);
        showModeCode(code);
    }

    std::uint8_t bits = checkedGpsBits();
    ctx_.link.VendorWriteValue(cmd::WriteGpsBits, bits);
    ctx_.link.VendorRead(cmd::ReadGpsBits, &bits, 1);
    showGpsBits(bits);

    const auto block = enc::gpsBlock(wire::fromText(ui_->GPS_Message->text()));
    ctx_.link.writeChunked(cmd::WriteGpsMessage, block, enc::Plan29);
    ctx_.host.pause(200);
    readGpsMessage(ZeroForm::Read);
}

void TForm12::Cancel1Click()
{
    BusyCursor busy;
    loadGroup();
}

void TForm12::Exit1Click()
{
    close();
}

void TForm12::showBaudCode(std::uint8_t code)
{
    checkMatching(*ui_, BaudButtons, code);
}

void TForm12::showModeCode(std::uint8_t code)
{
    checkMatching(*ui_, ModeButtons, code);
}

void TForm12::showGpsBits(std::uint8_t bits)
{
    ui_->GPRMC->setChecked((bits & gps::Gprmc) != 0);
    ui_->GPGGA->setChecked((bits & gps::Gpgga) != 0);
    ui_->GPGLL->setChecked((bits & gps::Gpgll) != 0);
    ui_->GPGSA->setChecked((bits & gps::Gpgsa) != 0);
    ui_->GPVTG->setChecked((bits & gps::Gpvtg) != 0);
    ui_->GPS_MsgSend->setChecked((bits & gps::MessageSend) != 0);
}

std::optional<std::uint8_t> TForm12::checkedBaudCode() const
{
    return checkedCode(*ui_, BaudButtons);
}

std::optional<std::uint8_t> TForm12::checkedModeCode() const
{
    return checkedCode(*ui_, ModeButtons);
}

std::uint8_t TForm12::checkedGpsBits() const
{
    std::uint8_t bits = 0;
    if (ui_->GPRMC->isChecked()) bits |= gps::Gprmc;
    if (ui_->GPGGA->isChecked()) bits |= gps::Gpgga;
    if (ui_->GPGLL->isChecked()) bits |= gps::Gpgll;
    if (ui_->GPGSA->isChecked()) bits |= gps::Gpgsa;
    if (ui_->GPVTG->isChecked()) bits |= gps::Gpvtg;
    if (ui_->GPS_MsgSend->isChecked()) bits |= gps::MessageSend;
    return bits;
}

void TForm12::readGpsMessage(ZeroForm rewindForm)
{
    // Pieces that fail leave zeros, so the text ends where they start.
    std::array<std::uint8_t, enc::GpsBlockSize> block{};
    ctx_.link.readChunked(cmd::RewindGpsMessage, rewindForm, cmd::ReadGpsMessage, block,
                          enc::Plan29);
    ui_->GPS_Message->setText(wire::textUpToNul(block));
}
