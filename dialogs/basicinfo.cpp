#include "dialogs/basicinfo.h"

#include "ui_basicinfo.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "device/latin1.h"
#include "device/vendor_link.h"
#include "dialogs/adapter_action.h"
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

QString tens(std::uint8_t value)
{
    return shown(enc::formatTens(value));
}

QString decimal(std::uint8_t value)
{
    return shown(enc::formatDecimal(value));
}

QString hexPadded(std::uint8_t value)
{
    return shown(enc::formatHexPadded(value));
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

    notread::followEntries(*this);

    // The firmware answers the squelch and jitter reads only if it has the
    // feature; the answer decides whether its controls can be used. The
    // squelch is asked twice and the second answer decides.
    for (int ask = 1; ask <= 2; ++ask) {
        std::uint8_t squelch[2] = {};
        const int result = ctx_.link.VendorRead(cmd::ReadSquelchLevel, squelch, 2);
        if (result == 2) showSquelch(squelch);
        else notread::mark(*u().SN_SQ);
        if (ask == 2) u().CosCheck->setEnabled(result >= 0);
        u().SN_SQ->setEnabled(result >= 0);
    }
    std::uint8_t jitter[1] = {};
    const int jitterResult = ctx_.link.VendorRead(cmd::ReadJitterBuffer, jitter, 1);
    if (jitterResult == 1) notread::show(*u().JitterValue, decimal(jitter[0]));
    else notread::mark(*u().JitterValue);
    u().JitterValue->setEnabled(jitterResult >= 0);
}

TAutoDetect::~TAutoDetect() = default;

void TAutoDetect::showSquelch(const std::uint8_t (&bytes)[2])
{
    notread::show(*u().SN_SQ, shown(enc::formatDecimal(
                                  static_cast<unsigned>(enc::squelchLevel(bytes[0], bytes[1])))));
}

void TAutoDetect::showByte(QLineEdit& edit, std::optional<std::uint8_t> value,
                           QString (*format)(std::uint8_t), LoadForm form, notread::Report& report)
{
    if (value) notread::show(edit, format(*value));
    else notread::failed(edit, form == LoadForm::ReadBack, report);
}

void TAutoDetect::LoadBasicSettings(LoadForm form, notread::Report& report)
{
    Ui::TAutoDetect& u = *ui_;
    VendorLink& link = ctx_.link;
    const bool opening = form == LoadForm::Opening;
    const bool readBack = form == LoadForm::ReadBack;

    showByte(*u.DelayTime, link.readByte(cmd::ReadDelayTime), timesTen, form, report);
    showByte(*u.TimeOut, link.readByte(cmd::ReadTimeOut), opening ? tens : timesTen, form, report);
    showByte(*u.KeepAlive, link.readByte(cmd::ReadKeepAlive), tens, form, report);
    showByte(*u.ReSyncErrorBit, link.readByte(cmd::ReadResyncErrorBits), decimal, form, report);
    // Read in every form, so that Cancel discards an edit here too and a
    // later Save never writes a value the user cancelled.
    showByte(*u.LastFrameErrorBits, link.readByte(cmd::ReadLastFrameErrorBits), decimal, form, report);

    if (const auto options = link.readByte(cmd::ReadOptionFlags)) {
        notread::show(*u.CRCCheck, onOff(*options, option::CrcCheck));
        notread::show(*u.CosCheck, (*options & option::CosCheck) != 0);
        notread::show(*u.LastFrameSend, onOff(*options, option::LastFrameSend));
        const bool half = (*options & option::HalfDuplex) != 0;
        if (opening)
            notread::show(*u.Duplex, half ? QStringLiteral("HALF DUPLEX") : QStringLiteral("FULL DUPLEX"));
        else
            notread::show(*u.Duplex, half ? QStringLiteral("Half Duplex") : QStringLiteral("Full Duplex"));
    } else {
        notread::failed(*u.CRCCheck, readBack, report);
        notread::failed(*u.CosCheck, readBack, report);
        notread::failed(*u.LastFrameSend, readBack, report);
        notread::failed(*u.Duplex, readBack, report);
    }

    showByte(*u.PreBit, link.readByte(cmd::ReadPreBitPattern), hexPadded, form, report);
    showByte(*u.PostBit, link.readByte(cmd::ReadPostBitPattern), hexPadded, form, report);

    if (const auto polarity = link.readByte(cmd::ReadPolarityFlags)) {
        notread::show(*u.TxInvert, (*polarity & polarity::TxInvert) != 0);
        notread::show(*u.RxInvert, (*polarity & polarity::RxInvert) != 0);
        notread::show(*u.AutoRXDetect, (*polarity & polarity::AutoRx) != 0);
    } else {
        notread::failed(*u.TxInvert, readBack, report);
        notread::failed(*u.RxInvert, readBack, report);
        notread::failed(*u.AutoRXDetect, readBack, report);
    }

    // The squelch read changes the enabled state only after Save (where a
    // refusal means the firmware lacks the feature); CosCheck keeps the
    // state construction gave it.
    std::uint8_t squelch[2] = {};
    const int squelchResult = link.VendorRead(cmd::ReadSquelchLevel, squelch, 2);
    if (readBack) u.SN_SQ->setEnabled(squelchResult >= 0);
    if (squelchResult == 2) showSquelch(squelch);
    else notread::failed(*u.SN_SQ, readBack && u.SN_SQ->isEnabled(), report);

    // The jitter read changes the enabled state on Cancel and after Save.
    std::uint8_t jitter[1] = {};
    const int jitterResult = link.VendorRead(cmd::ReadJitterBuffer, jitter, 1);
    if (form == LoadForm::Cancel || readBack) u.JitterValue->setEnabled(jitterResult >= 0);
    if (jitterResult == 1) notread::show(*u.JitterValue, decimal(jitter[0]));
    else notread::failed(*u.JitterValue, readBack && u.JitterValue->isEnabled(), report);
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

void TAutoDetect::saveNumber(const NumberField& field, notread::Report& report)
{
    if (!report.mayWrite(*field.edit)) return;
    const std::optional<std::int32_t> number = numberIn(*field.edit, field.firstN, field.notNumber);
    if (!number) return;
    // Compared as unsigned: a negative number counts as too large.
    if (enc::exceedsMax(*number, field.max)) {
        refuse(field.outOfRange);
        return;
    }
    ctx_.link.VendorWriteValue(field.code, static_cast<std::uint16_t>(*number / field.divisor));
}

void TAutoDetect::saveSquelch(std::optional<std::int32_t> level, bool refusedByRule)
{
    if (!level) {
        refuse("Invalid character in SN Squelch");
    } else if (refusedByRule) {
        refuse("You must set the value of S/N Squelch > 0, when you set none COS check.");
    } else if (enc::exceedsMax(*level, 1023)) {
        refuse("Invalid value in S/N Squelch (Max. value is 1023.)");
    } else {
        ctx_.link.VendorWriteValue(cmd::WriteSquelchLevel, static_cast<std::uint16_t>(*level));
    }
}

void TAutoDetect::Save1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        Ui::TAutoDetect& u = *ui_;
        VendorLink& link = ctx_.link;

        saveNumber({u.DelayTime, 8, 2550, 10, cmd::WriteDelayTime, "Invalid character in Delay Time",
                    "Invalid value in Delay Time (Max. value is 2550 mSec.)"}, report);
        saveNumber({u.TimeOut, 8, 2550, 10, cmd::WriteTimeOut, "Invalid character in Time Out",
                    "Invalid value in Time Out(Max. value is 2550 sec.)"}, report);
        saveNumber({u.ReSyncErrorBit, 8, 24, 1, cmd::WriteResyncErrorBits,
                    "Invalid character in Resync error bits",
                    "Invalid value in Resync error bits (Max. value is 24)"}, report);
        saveNumber({u.LastFrameErrorBits, 4, 24, 1, cmd::WriteLastFrameErrorBits,
                    "Invalid character in Last Frame Error bits",
                    "Invalid value in Last Frame Error Bits (Max. value is 24)"}, report);
        saveNumber({u.KeepAlive, 8, 2550, 10, cmd::WriteKeepAlive, "Invalid character in Keep Alive",
                    "Invalid value in Keep Alive (Max. value is 2550 mSec.)"}, report);

        // Words, patterns and check boxes count as they stand (enabled or
        // not), if their value is known.
        auto write = [&](QWidget* control, std::uint8_t code, std::uint16_t value) {
            if (report.mayWrite(*control)) link.VendorWriteValue(code, value);
        };
        auto word = [](const QLineEdit* edit) { return wire::fromText(edit->text()); };
        write(u.CRCCheck, cmd::WriteCrcCheck, enc::isOnWord(word(u.CRCCheck)));
        write(u.LastFrameSend, cmd::WriteLastFrameSend, enc::isOnWord(word(u.LastFrameSend)));
        write(u.Duplex, cmd::WriteDuplex, enc::isHalfDuplexWord(word(u.Duplex)));
        write(u.PreBit, cmd::WritePreBitPattern, enc::hexPair(word(u.PreBit)));
        write(u.PostBit, cmd::WritePostBitPattern, enc::hexPair(word(u.PostBit)));
        write(u.TxInvert, cmd::WriteTxInvert, u.TxInvert->isChecked());
        write(u.RxInvert, cmd::WriteRxInvert, u.RxInvert->isChecked());
        write(u.AutoRXDetect, cmd::WriteAutoRxPolarity, u.AutoRXDetect->isChecked());

        // The squelch rule is judged before COS Check is written: a level of
        // 0 with COS Check off (or not known) is refused, and then neither
        // value is stored, so the adapter never holds that pair.
        // A box disabled because the firmware lacks its feature is left
        // alone: the user cannot fix it and the firmware would refuse it.
        const bool squelchSaved = u.SN_SQ->isEnabled() && notread::isKnown(*u.SN_SQ);
        const std::optional<std::int32_t> level =
            squelchSaved ? enc::parseNumberField(wire::fromText(u.SN_SQ->text()), 8) : std::nullopt;
        const bool cosOn = notread::isKnown(*u.CosCheck) && u.CosCheck->isChecked();
        const bool refusedByRule = level && *level == 0 && !cosOn;
        if (!refusedByRule) write(u.CosCheck, cmd::WriteCosCheck, u.CosCheck->isChecked());
        if (squelchSaved) saveSquelch(level, refusedByRule);
        else if (u.SN_SQ->isEnabled()) report.leftOut(*u.SN_SQ);

        if (u.JitterValue->isEnabled())
            saveNumber({u.JitterValue, 4, 255, 1, cmd::WriteJitterBuffer,
                        "Invalid character in Jitter Buffer Size",
                        "Invalid value in Jitter Buffer Size (Max. value is 255)"}, report);

        // Give the firmware time to store the values before reading them back.
        ctx_.host.pause(200);
        LoadBasicSettings(LoadForm::ReadBack, report);
        report.tell(ctx_.host);
    });
}

void TAutoDetect::Reload1Click()
{
    reload(LoadForm::Reload);
}

void TAutoDetect::Cancel1Click()
{
    reload(LoadForm::Cancel);
}

void TAutoDetect::reload(LoadForm form)
{
    runAdapterAction(ctx_, this, [this, form] {
        BusyCursor busy;
        notread::Report report;
        LoadBasicSettings(form, report);
        report.tell(ctx_.host);
    });
}

void TAutoDetect::Exit1Click()
{
    close();
}
