#include "dialogs/basicinfo.h"

#include "ui_basicinfo.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "device/latin1.h"
#include "device/vendor_link.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/upper_case.h"

namespace {

QString shown(const std::string& text)
{
    return wire::toText(text);
}

// Units of 10 ms or 10 s, shown as the value times ten.
QString timesTen(std::uint8_t value)
{
    return shown(enc::formatDecimal(value * 10u));
}

QString onOff(std::uint8_t flags, std::uint8_t mask)
{
    return (flags & mask) != 0 ? QStringLiteral("ON") : QStringLiteral("OFF");
}

}  // namespace

// One number field of Save: how much of the text counts, the largest number
// accepted, what the device value is and the two messages that refuse it.
struct TAutoDetect::NumberField {
    QLineEdit* edit;
    std::size_t firstN;
    std::uint32_t max;
    std::int32_t divisor;  // entered number / divisor = device value
    std::uint8_t code;
    const char* notNumber;
    const char* outOfRange;
};

TAutoDetect::TAutoDetect(Context context, QWidget* parent)
    : QDialog(parent), ctx_(context), ui_(std::make_unique<Ui::TAutoDetect>())
{
    ui_->setupUi(this);
    for (QLineEdit* edit : {ui_->CRCCheck, ui_->LastFrameSend, ui_->Duplex, ui_->PreBit, ui_->PostBit})
        forceUpperCase(*edit);
    connect(ui_->Save1, &QAction::triggered, this, &TAutoDetect::Save1Click);
    connect(ui_->Reload1, &QAction::triggered, this, &TAutoDetect::Reload1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TAutoDetect::Cancel1Click);
    connect(ui_->Exit1, &QAction::triggered, this, &TAutoDetect::Exit1Click);

    // The firmware answers the squelch and jitter reads only if it has the
    // feature; the answer decides whether its controls can be used. The
    // squelch is asked twice and the second answer decides.
    std::uint8_t squelch[2] = {};
    if (ctx_.link.VendorRead(cmd::ReadSquelchLevel, squelch, 2) >= 0) {
        showSquelch(squelch);
        ui_->SN_SQ->setEnabled(true);
    } else {
        ui_->SN_SQ->setText(QString());
        ui_->SN_SQ->setEnabled(false);
    }
    std::uint8_t squelchAgain[2] = {};
    if (ctx_.link.VendorRead(cmd::ReadSquelchLevel, squelchAgain, 2) >= 0) {
        showSquelch(squelchAgain);
        ui_->CosCheck->setEnabled(true);
        ui_->SN_SQ->setEnabled(true);
    } else {
        ui_->SN_SQ->setText(QString());
        ui_->CosCheck->setEnabled(false);
        ui_->SN_SQ->setEnabled(false);
    }
    std::uint8_t jitter[1] = {};
    if (ctx_.link.VendorRead(cmd::ReadJitterBuffer, jitter, 1) >= 0) {
        ui_->JitterValue->setText(shown(enc::formatDecimal(jitter[0])));
        ui_->JitterValue->setEnabled(true);
    } else {
        ui_->JitterValue->setText(QString());
        ui_->JitterValue->setEnabled(false);
    }
}

TAutoDetect::~TAutoDetect() = default;

void TAutoDetect::showSquelch(const std::uint8_t (&bytes)[2])
{
    ui_->SN_SQ->setText(
        shown(enc::formatDecimal(static_cast<unsigned>(enc::squelchLevel(bytes[0], bytes[1])))));
}

void TAutoDetect::LoadBasicSettings(LoadForm form)
{
    Ui::TAutoDetect& u = *ui_;
    const bool opening = form == LoadForm::Opening;

    u.DelayTime->setText(timesTen(ctx_.link.readByte(cmd::ReadDelayTime)));

    const std::uint8_t timeOut = ctx_.link.readByte(cmd::ReadTimeOut);
    u.TimeOut->setText(opening ? shown(enc::formatTens(timeOut)) : timesTen(timeOut));

    u.KeepAlive->setText(shown(enc::formatTens(ctx_.link.readByte(cmd::ReadKeepAlive))));
    u.ReSyncErrorBit->setText(shown(enc::formatDecimal(ctx_.link.readByte(cmd::ReadResyncErrorBits))));

    // Cancel and the read-back after Save leave the user's text here.
    if (form == LoadForm::Opening || form == LoadForm::Reload)
        u.LastFrameErrorBits->setText(
            shown(enc::formatDecimal(ctx_.link.readByte(cmd::ReadLastFrameErrorBits))));

    const std::uint8_t options = ctx_.link.readByte(cmd::ReadOptionFlags);
    u.CRCCheck->setText(onOff(options, option::CrcCheck));
    u.CosCheck->setChecked((options & option::CosCheck) != 0);
    u.LastFrameSend->setText(onOff(options, option::LastFrameSend));
    const bool half = (options & option::HalfDuplex) != 0;
    if (opening)
        u.Duplex->setText(half ? QStringLiteral("HALF DUPLEX") : QStringLiteral("FULL DUPLEX"));
    else
        u.Duplex->setText(half ? QStringLiteral("Half Duplex") : QStringLiteral("Full Duplex"));

    u.PreBit->setText(shown(enc::formatHexPadded(ctx_.link.readByte(cmd::ReadPreBitPattern))));
    u.PostBit->setText(shown(enc::formatHexPadded(ctx_.link.readByte(cmd::ReadPostBitPattern))));

    const std::uint8_t polarity = ctx_.link.readByte(cmd::ReadPolarityFlags);
    u.TxInvert->setChecked((polarity & polarity::TxInvert) != 0);
    u.RxInvert->setChecked((polarity & polarity::RxInvert) != 0);
    u.AutoRXDetect->setChecked((polarity & polarity::AutoRx) != 0);

    // The squelch read changes the enabled state only after Save; CosCheck
    // keeps the state construction gave it.
    std::uint8_t squelch[2] = {};
    const bool squelchAnswered = ctx_.link.VendorRead(cmd::ReadSquelchLevel, squelch, 2) >= 0;
    if (form != LoadForm::ReadBack) {
        showSquelch(squelch);
    } else if (squelchAnswered) {
        showSquelch(squelch);
        u.SN_SQ->setEnabled(true);
    } else {
        u.SN_SQ->setText(QString());
        u.SN_SQ->setEnabled(false);
    }

    // The jitter read changes the enabled state on Cancel and after Save.
    std::uint8_t jitter[1] = {};
    const bool jitterAnswered = ctx_.link.VendorRead(cmd::ReadJitterBuffer, jitter, 1) >= 0;
    const bool jitterJudged = form == LoadForm::Cancel || form == LoadForm::ReadBack;
    if (!jitterJudged) {
        u.JitterValue->setText(shown(enc::formatDecimal(jitter[0])));
    } else if (jitterAnswered) {
        u.JitterValue->setText(shown(enc::formatDecimal(jitter[0])));
        u.JitterValue->setEnabled(true);
    } else {
        u.JitterValue->setText(QString());
        u.JitterValue->setEnabled(false);
    }
}

void TAutoDetect::refuse(const char* message)
{
    ctx_.host.showMessage(QString::fromLatin1(message));
}

std::optional<std::int32_t> TAutoDetect::numberIn(const QLineEdit& edit, std::size_t firstN,
                                                  const char* notNumberMessage)
{
    const std::optional<std::int32_t> number =
        enc::parseNumberField(wire::fromText(edit.text()), firstN);
    if (!number) refuse(notNumberMessage);
    return number;
}

void TAutoDetect::saveNumber(const NumberField& field)
{
    const std::optional<std::int32_t> number = numberIn(*field.edit, field.firstN, field.notNumber);
    if (!number) return;
    // Compared as unsigned: a negative number counts as too large.
    if (enc::exceedsMax(*number, field.max)) {
        refuse(field.outOfRange);
        return;
    }
    ctx_.link.VendorWriteValue(field.code, static_cast<std::uint16_t>(*number / field.divisor));
}

void TAutoDetect::saveSquelch()
{
    const std::optional<std::int32_t> level =
        numberIn(*ui_->SN_SQ, 8, "Invalid character in SN Squelch");
    if (!level) return;
    // With COS Check off, a level of 0 is refused.
    if (!ui_->CosCheck->isChecked() && *level == 0) {
        refuse("You must set the value of S/N Squelch > 0, when you set none COS check.");
        return;
    }
    if (enc::exceedsMax(*level, 1023)) {
        refuse("Invalid value in S/N Squelch (Max. value is 1023.)");
        return;
    }
    ctx_.link.VendorWriteValue(cmd::WriteSquelchLevel, static_cast<std::uint16_t>(*level));
}

void TAutoDetect::Save1Click()
{
    BusyCursor busy;
    Ui::TAutoDetect& u = *ui_;
    VendorLink& link = ctx_.link;

    saveNumber({u.DelayTime, 8, 2550, 10, cmd::WriteDelayTime, "Invalid character in Delay Time",
                "Invalid value in Delay Time (Max. value is 2550 mSec.)"});
    saveNumber({u.TimeOut, 8, 2550, 10, cmd::WriteTimeOut, "Invalid character in Time Out",
                "Invalid value in Time Out(Max. value is 2550 sec.)"});
    saveNumber({u.ReSyncErrorBit, 8, 24, 1, cmd::WriteResyncErrorBits,
                "Invalid character in Resync error bits",
                "Invalid value in Resync error bits (Max. value is 24)"});
    saveNumber({u.LastFrameErrorBits, 4, 24, 1, cmd::WriteLastFrameErrorBits,
                "Invalid character in Last Frame Error bits",
                "Invalid value in Last Frame Error Bits (Max. value is 24)"});
    saveNumber({u.KeepAlive, 8, 2550, 10, cmd::WriteKeepAlive, "Invalid character in Keep Alive",
                "Invalid value in Keep Alive (Max. value is 2550 mSec.)"});

    link.VendorWriteValue(cmd::WriteCrcCheck, enc::isOnWord(wire::fromText(u.CRCCheck->text())));
    link.VendorWriteValue(cmd::WriteLastFrameSend,
                          enc::isOnWord(wire::fromText(u.LastFrameSend->text())));
    link.VendorWriteValue(cmd::WriteDuplex, enc::isHalfDuplexWord(wire::fromText(u.Duplex->text())));
    link.VendorWriteValue(cmd::WritePreBitPattern, enc::hexPair(wire::fromText(u.PreBit->text())));
    link.VendorWriteValue(cmd::WritePostBitPattern, enc::hexPair(wire::fromText(u.PostBit->text())));

    // Check boxes count as they stand, enabled or not.
    link.VendorWriteValue(cmd::WriteTxInvert, u.TxInvert->isChecked());
    link.VendorWriteValue(cmd::WriteRxInvert, u.RxInvert->isChecked());
    link.VendorWriteValue(cmd::WriteAutoRxPolarity, u.AutoRXDetect->isChecked());
    link.VendorWriteValue(cmd::WriteCosCheck, u.CosCheck->isChecked());

    // A box disabled because the firmware lacks its feature is left alone:
    // the user cannot fix it and the firmware would refuse the write.
    if (u.SN_SQ->isEnabled()) saveSquelch();
    if (u.JitterValue->isEnabled())
        saveNumber({u.JitterValue, 4, 255, 1, cmd::WriteJitterBuffer,
                    "Invalid character in Jitter Buffer Size",
                    "Invalid value in Jitter Buffer Size (Max. value is 255)"});

    // Give the firmware time to store the values before reading them back.
    ctx_.host.pause(200);
    LoadBasicSettings(LoadForm::ReadBack);
}

void TAutoDetect::Reload1Click()
{
    BusyCursor busy;
    LoadBasicSettings(LoadForm::Reload);
}

void TAutoDetect::Cancel1Click()
{
    BusyCursor busy;
    LoadBasicSettings(LoadForm::Cancel);
}

void TAutoDetect::Exit1Click()
{
    close();
}
