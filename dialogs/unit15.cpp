#include "dialogs/unit15.h"

#include "ui_unit15.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "device/latin1.h"
#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"

#include <array>
#include <cstdint>
#include <utility>

TForm15::TForm15(Context context, QWidget* parent)
    : QDialog(parent), ctx_(context), ui_(std::make_unique<Ui::TForm15>())
{
    ui_->setupUi(this);
    notread::followEntries(*this);
    connect(ui_->Save1, &QAction::triggered, this, &TForm15::Save1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TForm15::Cancel1Click);
    connect(ui_->Exu1, &QAction::triggered, this, &TForm15::Exu1Click);
}

TForm15::~TForm15() = default;

void TForm15::loadSettings(ZeroForm rewindForm, notread::Report& report)
{
    readSwitches(false, report);
    readDigitalCode(false, report);
    readMessage(rewindForm, false, report);
}

void TForm15::Save1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        VendorLink& link = ctx_.link;

        for (auto [box, code] : {std::pair{ui_->SlowDataInsB, cmd::WriteSlowDataBefore},
                                 std::pair{ui_->SlowDataInsA, cmd::WriteSlowDataAfter},
                                 std::pair{ui_->DigitalCodeSW, cmd::WriteDigitalCodeInsert}}) {
            if (report.mayWrite(*box)) link.VendorWriteValue(code, box->isChecked() ? 1 : 0);
        }

        // The code is shown as two hexadecimal digits and read back the same
        // way, so an unchanged code is stored unchanged.
        if (report.mayWrite(*ui_->DigitalCodeValue)) {
            if (const auto code = enc::codeByte(wire::fromText(ui_->DigitalCodeValue->text())))
                link.VendorWriteData(cmd::WriteDigitalCode, &*code, 1);
            else
                ctx_.host.showMessage(QStringLiteral("Invalid character in Code"));
        }

        if (report.mayWrite(*ui_->SlowDataMsg)) {
            const auto message = enc::messageBlock(wire::fromText(ui_->SlowDataMsg->text()));
            link.writeChunked(cmd::WriteSlowDataMessage, message, enc::Plan20);
        }

        // The switches are read back at once; the code and the message after
        // the adapter has had time to store them.
        readSwitches(true, report);
        ctx_.host.pause(200);
        readDigitalCode(true, report);
        readMessage(ZeroForm::Read, true, report);
        report.tell(ctx_.host);
    });
}

void TForm15::Cancel1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        loadSettings(ZeroForm::Read, report);
        report.tell(ctx_.host);
    });
}

void TForm15::Exu1Click()
{
    close();
}

void TForm15::readSwitches(bool readBack, notread::Report& report)
{
    std::array<std::uint8_t, 3> block{};
    const bool answered =
        ctx_.link.readAll(cmd::ReadStatusBlock, block.data(), static_cast<int>(block.size()));
    for (auto [box, mask] : {std::pair{ui_->SlowDataInsB, status::SlowDataBefore},
                             std::pair{ui_->SlowDataInsA, status::SlowDataAfter},
                             std::pair{ui_->DigitalCodeSW, status::DigitalCodeInsert}}) {
        if (answered) notread::show(*box, (block[1] & mask) != 0);
        else notread::failed(*box, readBack, report);
    }
}

void TForm15::readDigitalCode(bool readBack, notread::Report& report)
{
    if (const auto code = ctx_.link.readByte(cmd::ReadDigitalCode))
        notread::show(*ui_->DigitalCodeValue, QString::fromStdString(enc::formatHex2(*code)));
    else
        notread::failed(*ui_->DigitalCodeValue, readBack, report);
}

void TForm15::readMessage(ZeroForm rewindForm, bool readBack, notread::Report& report)
{
    std::array<std::uint8_t, enc::MessageBlockSize> message{};
    if (ctx_.link.readChunked(cmd::RewindSlowDataMessage, rewindForm, cmd::ReadSlowDataMessage,
                              message, enc::Plan20))
        notread::show(*ui_->SlowDataMsg, wire::textUpToNul(message));
    else
        notread::failed(*ui_->SlowDataMsg, readBack, report);
}
