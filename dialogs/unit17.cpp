#include "dialogs/unit17.h"

#include "ui_unit17.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "device/latin1.h"
#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"

#include <array>
#include <cstdint>

namespace {
// The adapter keeps the interval as one byte of tens of seconds.
constexpr std::int32_t MaxIntervalSeconds = 2550;
constexpr std::size_t IntervalTextLength = 4;
}  // namespace

TForm17::TForm17(Context context, QWidget* parent)
    : QDialog(parent), ctx_(context), ui_(std::make_unique<Ui::TForm17>())
{
    ui_->setupUi(this);
    notread::followEntries(*this);
    connect(ui_->Save1, &QAction::triggered, this, &TForm17::Save1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TForm17::Cancel1Click);
    connect(ui_->Exit1, &QAction::triggered, this, &TForm17::Exit1Click);
}

TForm17::~TForm17() = default;

void TForm17::loadSettings(ZeroForm rewindForm, notread::Report& report)
{
    readMessage(rewindForm, false, report);
    readInterval(false, report);
}

void TForm17::Save1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        VendorLink& link = ctx_.link;

        // A refused interval is not written, but the message still is.
        if (report.mayWrite(*ui_->BeaconTimer)) {
            const auto seconds =
                enc::parseNumberField(wire::fromText(ui_->BeaconTimer->text()), IntervalTextLength);
            if (!seconds) {
                ctx_.host.showMessage(QStringLiteral("Invalid character in Beacon Interval Timer"));
            } else if (enc::exceedsMax(*seconds, MaxIntervalSeconds)) {
                // Compared as unsigned, so a negative entry is refused here too.
                ctx_.host.showMessage(QStringLiteral(
                    "Invalid value in Beacon Interval Timer (Max. value is 2550 Sec.)"));
            } else {
                link.VendorWriteValue(cmd::WriteBeaconInterval, static_cast<std::uint16_t>(*seconds / 10));
            }
        }

        if (report.mayWrite(*ui_->BeaconMessage)) {
            const auto message = enc::messageBlock(wire::fromText(ui_->BeaconMessage->text()));
            link.writeChunked(cmd::WriteBeaconMessage, message, enc::Plan20);
        }

        // Request 0x00, with time for the adapter on both sides of it, ends
        // the beacon write before the read-back.
        ctx_.host.pause(200);
        link.ZeroLength(cmd::BeaconCommit, ZeroForm::Write);
        ctx_.host.pause(200);

        readInterval(true, report);
        readMessage(ZeroForm::Read, true, report);
        report.tell(ctx_.host);
    });
}

void TForm17::Cancel1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        loadSettings(ZeroForm::Write, report);
        report.tell(ctx_.host);
    });
}

void TForm17::Exit1Click()
{
    close();
}

void TForm17::readMessage(ZeroForm rewindForm, bool readBack, notread::Report& report)
{
    std::array<std::uint8_t, enc::MessageBlockSize> message{};
    if (ctx_.link.readChunked(cmd::RewindBeaconMessage, rewindForm, cmd::ReadBeaconMessage, message,
                              enc::Plan20))
        notread::show(*ui_->BeaconMessage, wire::textUpToNul(message));
    else
        notread::failed(*ui_->BeaconMessage, readBack, report);
}

void TForm17::readInterval(bool readBack, notread::Report& report)
{
    if (const auto tens = ctx_.link.readByte(cmd::ReadBeaconInterval))
        notread::show(*ui_->BeaconTimer, QString::fromStdString(enc::formatDecimal(*tens * 10u)));
    else
        notread::failed(*ui_->BeaconTimer, readBack, report);
}
