#include "dialogs/unit15.h"

#include "ui_unit15.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "device/latin1.h"
#include "dialogs/busy_cursor.h"

#include <array>
#include <cstdint>

namespace {
std::uint16_t onOff(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}
}  // namespace

TForm15::TForm15(Context context, QWidget* parent)
    : QDialog(parent), ctx_(context), ui_(std::make_unique<Ui::TForm15>())
{
    ui_->setupUi(this);
    connect(ui_->Save1, &QAction::triggered, this, &TForm15::Save1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TForm15::Cancel1Click);
    connect(ui_->Exu1, &QAction::triggered, this, &TForm15::Exu1Click);
}

TForm15::~TForm15() = default;

void TForm15::loadSettings(ZeroForm rewindForm)
{
    readSwitches();
    readDigitalCode();
    readMessage(rewindForm);
}

void TForm15::Save1Click()
{
    BusyCursor busy;
    VendorLink& link = ctx_.link;

    link.VendorWriteValue(cmd::WriteSlowDataBefore, onOff(ui_->SlowDataInsB));
    link.VendorWriteValue(cmd::WriteSlowDataAfter, onOff(ui_->SlowDataInsA));
    link.VendorWriteValue(cmd::WriteDigitalCodeInsert, onOff(ui_->DigitalCodeSW));

    const std::uint8_t code = enc::packedCode(wire::fromText(ui_->DigitalCodeValue->text()));
    link.VendorWriteData(cmd::WriteDigitalCode, &code, 1);

    const auto message = enc::messageBlock(wire::fromText(ui_->SlowDataMsg->text()));
    link.writeChunked(cmd::WriteSlowDataMessage, message, enc::Plan20);

    // The switches are read back at once; the code and the message after
    // the adapter has had time to store them.
    readSwitches();
    ctx_.host.pause(200);
    readDigitalCode();
    readMessage(ZeroForm::Read);
}

void TForm15::Cancel1Click()
{
    BusyCursor busy;
    loadSettings(ZeroForm::Read);
}

void TForm15::Exu1Click()
{
    close();
}

void TForm15::readSwitches()
{
    // Zero-filled, so a failed read shows every switch off.
    std::array<std::uint8_t, 3> block{};
    ctx_.link.VendorRead(cmd::ReadStatusBlock, block.data(), static_cast<int>(block.size()));
    const std::uint8_t bits = block[1];
    ui_->SlowDataInsB->setChecked((bits & status::SlowDataBefore) != 0);
    ui_->SlowDataInsA->setChecked((bits & status::SlowDataAfter) != 0);
    ui_->DigitalCodeSW->setChecked((bits & status::DigitalCodeInsert) != 0);
}

void TForm15::readDigitalCode()
{
    const std::uint8_t code = ctx_.link.readByte(cmd::ReadDigitalCode);
    ui_->DigitalCodeValue->setText(QString::fromStdString(enc::formatHex2(code)));
}

void TForm15::readMessage(ZeroForm rewindForm)
{
    std::array<std::uint8_t, enc::MessageBlockSize> message{};
    ctx_.link.readChunked(cmd::RewindSlowDataMessage, rewindForm, cmd::ReadSlowDataMessage,
                          message, enc::Plan20);
    ui_->SlowDataMsg->setText(wire::textUpToNul(message));
}
