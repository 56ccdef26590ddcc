#include "dialogs/basicinfo.h"

#include "ui_basicinfo.h"

#include "device/encodings.h"
#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/display_formats.h"
#include "dialogs/group_save.h"
#include "dialogs/not_taken.h"
#include "dialogs/upper_case.h"
#include "dialogs/wire_text.h"
#include "settings_file/settings_file.h"

namespace {

QString shown(const std::string& text)
{
    return wire::toText(text);
}

// A timing in the unit its rule shows it in (the adapter keeps tens of ms
// or s).
template <const settings::NumberRule& rule>
QString inShownUnit(unsigned value)
{
    return shown(display::formatDecimal(rule.shown(value)));
}

QString tens(unsigned value)
{
    return shown(display::formatTens(value));
}

QString decimal(unsigned value)
{
    return shown(display::formatDecimal(value));
}

QString hexPadded(unsigned value)
{
    return shown(display::formatHexPadded(value));
}

QString onOff(bool on)
{
    return on ? QStringLiteral("ON") : QStringLiteral("OFF");
}

}  // namespace

// One number field of Save: its rule, what the value is and the two messages
// that refuse it.
struct TAutoDetect::NumberField {
    QLineEdit* edit;
    const settings::NumberRule& rule;
    std::optional<std::uint8_t> settings::BasicValues::*value;
    const char* notNumber;
    const char* outOfRange;
};

TAutoDetect::TAutoDetect(Context context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)), ui_(std::make_unique<Ui::TAutoDetect>())
{
    ui_->setupUi(this);
    for (QLineEdit* edit : {ui_->CRCCheck, ui_->LastFrameSend, ui_->Duplex, ui_->PreBit, ui_->PostBit})
        forceUpperCase(*edit);
    connect(ui_->Save1, &QAction::triggered, this, &TAutoDetect::Save1Click);
    connect(ui_->Reload1, &QAction::triggered, this, &TAutoDetect::Reload1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TAutoDetect::Cancel1Click);
    connect(ui_->Exit1, &QAction::triggered, this, &TAutoDetect::Exit1Click);

    notread::followEntries(*this);
}

TAutoDetect::~TAutoDetect() = default;

void TAutoDetect::showProbe(const settings::BasicRead& probed)
{
    // The firmware answers the squelch and jitter reads only if it has the
    // feature; the answer decides whether its controls can be used.
    held_ = settings::merged(held_, settings::snapshotOf(probed.values));
    showOrMark(*u().SN_SQ, probed.values.squelchLevel);
    u().CosCheck->setEnabled(probed.features.squelch);
    u().SN_SQ->setEnabled(probed.features.squelch);
    showOrMark(*u().JitterValue, probed.values.jitterBuffer);
    u().JitterValue->setEnabled(probed.features.jitterBuffer);
}

template <typename T>
void TAutoDetect::showOrMark(QLineEdit& edit, const std::optional<T>& value)
{
    if (value) notread::show(edit, decimal(*value));
    else notread::mark(edit);
}

void TAutoDetect::showByte(QLineEdit& edit, std::optional<std::uint8_t> value, QString (*format)(unsigned),
                           LoadForm form, notread::Report& report)
{
    if (value) notread::show(edit, format(*value));
    else notread::failed(edit, form == LoadForm::ReadBack, report);
}

void TAutoDetect::LoadBasicSettings(LoadForm form, notread::Report& report)
{
    showSettings(settings::readBasic(ctx_.link), form, report);
}

void TAutoDetect::showSettings(const settings::BasicRead& read, LoadForm form, notread::Report& report)
{
    Ui::TAutoDetect& u = *ui_;
    const settings::BasicValues& v = read.values;
    const bool readBack = form == LoadForm::ReadBack;
    held_ = settings::merged(held_, settings::snapshotOf(v));

    showByte(*u.DelayTime, v.delayTime, inShownUnit<settings::rule::DelayTime>, form, report);
    showByte(*u.TimeOut, v.timeOut, form == LoadForm::Opening ? tens : inShownUnit<settings::rule::TimeOut>, form,
             report);
    showByte(*u.KeepAlive, v.keepAlive, tens, form, report);
    showByte(*u.ReSyncErrorBit, v.resyncErrorBits, decimal, form, report);
    // Shown in every form, so that Cancel discards an edit here too and a
    // later Save never writes a value the user cancelled.
    showByte(*u.LastFrameErrorBits, v.lastFrameErrorBits, decimal, form, report);

    // The option flags come in one byte: all four or none.
    if (v.crcCheck) {
        notread::show(*u.CRCCheck, onOff(*v.crcCheck));
        notread::show(*u.CosCheck, *v.cosCheck);
        notread::show(*u.LastFrameSend, onOff(*v.lastFrameSend));
        if (form == LoadForm::Opening)
            notread::show(*u.Duplex, *v.halfDuplex ? QStringLiteral("HALF DUPLEX") : QStringLiteral("FULL DUPLEX"));
        else notread::show(*u.Duplex, *v.halfDuplex ? QStringLiteral("Half Duplex") : QStringLiteral("Full Duplex"));
    } else {
        notread::failed(*u.CRCCheck, readBack, report);
        notread::failed(*u.CosCheck, readBack, report);
        notread::failed(*u.LastFrameSend, readBack, report);
        notread::failed(*u.Duplex, readBack, report);
    }

    showByte(*u.PreBit, v.preBitPattern, hexPadded, form, report);
    showByte(*u.PostBit, v.postBitPattern, hexPadded, form, report);

    // The polarity flags come in one byte too.
    if (v.txInvert) {
        notread::show(*u.TxInvert, *v.txInvert);
        notread::show(*u.RxInvert, *v.rxInvert);
        notread::show(*u.AutoRXDetect, *v.autoRxDetect);
    } else {
        notread::failed(*u.TxInvert, readBack, report);
        notread::failed(*u.RxInvert, readBack, report);
        notread::failed(*u.AutoRXDetect, readBack, report);
    }

    // The squelch read changes the enabled state only after Save (where a
    // refusal means the firmware lacks the feature); CosCheck keeps the
    // state construction gave it.
    if (readBack) u.SN_SQ->setEnabled(read.features.squelch);
    if (v.squelchLevel) notread::show(*u.SN_SQ, decimal(*v.squelchLevel));
    else notread::failed(*u.SN_SQ, readBack && u.SN_SQ->isEnabled(), report);

    // The jitter read changes the enabled state on Cancel and after Save.
    if (form == LoadForm::Cancel || readBack) u.JitterValue->setEnabled(read.features.jitterBuffer);
    if (v.jitterBuffer) notread::show(*u.JitterValue, decimal(*v.jitterBuffer));
    else notread::failed(*u.JitterValue, readBack && u.JitterValue->isEnabled(), report);
}

void TAutoDetect::refuse(const char* message)
{
    ctx_.host.showMessage(tr(message));
}

std::optional<std::uint16_t> TAutoDetect::numberIn(const QLineEdit& edit, const settings::NumberRule& rule,
                                                   const char* notNumber, const char* outOfRange)
{
    const settings::NumberEntry entry = settings::judgeNumberText(wire::fromText(edit.text()), rule);
    switch (entry.verdict) {
    case settings::NumberEntry::Verdict::NotNumber: refuse(notNumber); return std::nullopt;
    case settings::NumberEntry::Verdict::BeyondRange:
        ctx_.host.showMessage(tr(outOfRange).arg(rule.max));
        return std::nullopt;
    case settings::NumberEntry::Verdict::Taken: break;
    }
    return entry.stored;
}

void TAutoDetect::takeNumber(const NumberField& field, settings::BasicValues& values, notread::Report& report)
{
    if (!report.mayWrite(*field.edit)) return;
    if (const auto stored = numberIn(*field.edit, field.rule, field.notNumber, field.outOfRange))
        values.*field.value = static_cast<std::uint8_t>(*stored);
}

settings::BasicValues TAutoDetect::valuesToSave(notread::Report& report)
{
    Ui::TAutoDetect& u = *ui_;
    settings::BasicValues v;
    using settings::BasicValues;
    namespace rule = settings::rule;

    takeNumber({u.DelayTime, rule::DelayTime, &BasicValues::delayTime, QT_TR_NOOP("Invalid character in Delay Time"),
                QT_TR_NOOP("Invalid value in Delay Time (Max. value is %1 mSec.)")},
               v, report);
    takeNumber({u.TimeOut, rule::TimeOut, &BasicValues::timeOut, QT_TR_NOOP("Invalid character in Time Out"),
                QT_TR_NOOP("Invalid value in Time Out(Max. value is %1 sec.)")},
               v, report);
    takeNumber({u.ReSyncErrorBit, rule::ResyncErrorBits, &BasicValues::resyncErrorBits,
                QT_TR_NOOP("Invalid character in Resync error bits"),
                QT_TR_NOOP("Invalid value in Resync error bits (Max. value is %1)")},
               v, report);
    takeNumber({u.LastFrameErrorBits, rule::LastFrameErrorBits, &BasicValues::lastFrameErrorBits,
                QT_TR_NOOP("Invalid character in Last Frame Error bits"),
                QT_TR_NOOP("Invalid value in Last Frame Error Bits (Max. value is %1)")},
               v, report);
    takeNumber({u.KeepAlive, rule::KeepAlive, &BasicValues::keepAlive, QT_TR_NOOP("Invalid character in Keep Alive"),
                QT_TR_NOOP("Invalid value in Keep Alive (Max. value is %1 mSec.)")},
               v, report);

    // Words, patterns and check boxes count as they stand (enabled or not),
    // if their value is known.
    auto word = [](const QLineEdit* edit) { return wire::fromText(edit->text()); };
    auto take = [&report](QWidget* control, auto& value, auto entered) {
        if (report.mayWrite(*control)) value = entered;
    };
    take(u.CRCCheck, v.crcCheck, enc::isOnWord(word(u.CRCCheck)));
    take(u.LastFrameSend, v.lastFrameSend, enc::isOnWord(word(u.LastFrameSend)));
    take(u.Duplex, v.halfDuplex, enc::isHalfDuplexWord(word(u.Duplex)));
    take(u.PreBit, v.preBitPattern, enc::hexPair(word(u.PreBit)));
    take(u.PostBit, v.postBitPattern, enc::hexPair(word(u.PostBit)));
    take(u.TxInvert, v.txInvert, u.TxInvert->isChecked());
    take(u.RxInvert, v.rxInvert, u.RxInvert->isChecked());
    take(u.AutoRXDetect, v.autoRxDetect, u.AutoRXDetect->isChecked());

    // The squelch rule judges the level together with COS Check (one not
    // known counts as off); what it refuses, neither value is stored. A box
    // disabled because the firmware lacks its feature is left alone: the
    // user cannot fix it and the firmware would refuse it.
    const bool squelchSaved = u.SN_SQ->isEnabled() && notread::isKnown(*u.SN_SQ);
    using Verdict = settings::NumberEntry::Verdict;
    const settings::NumberEntry level =
        squelchSaved ? settings::judgeNumberText(wire::fromText(u.SN_SQ->text()), rule::SquelchLevel)
                     : settings::NumberEntry{};
    settings::SquelchPair entered;
    if (level.verdict != Verdict::NotNumber) entered.level = level.number;
    entered.cosCheck = notread::isKnown(*u.CosCheck) && u.CosCheck->isChecked();
    const bool refusedByRule = settings::judgeSquelchPair(entered) != settings::SquelchVerdict::Written;
    if (!refusedByRule) take(u.CosCheck, v.cosCheck, u.CosCheck->isChecked());
    if (squelchSaved) {
        if (level.verdict == Verdict::NotNumber) refuse(QT_TR_NOOP("Invalid character in SN Squelch"));
        else if (refusedByRule)
            refuse(QT_TR_NOOP("You must set the value of S/N Squelch > 0, when you set none COS check."));
        else if (level.verdict == Verdict::BeyondRange)
            ctx_.host.showMessage(tr("Invalid value in S/N Squelch (Max. value is %1.)").arg(rule::SquelchLevel.max));
        else v.squelchLevel = level.stored;
    } else if (u.SN_SQ->isEnabled()) {
        report.leftOut(*u.SN_SQ);
    }

    if (u.JitterValue->isEnabled()) {
        if (report.mayWrite(*u.JitterValue))
            if (const auto n =
                    numberIn(*u.JitterValue, rule::JitterBuffer, QT_TR_NOOP("Invalid character in Jitter Buffer Size"),
                             QT_TR_NOOP("Invalid value in Jitter Buffer Size (Max. value is %1)")))
                v.jitterBuffer = static_cast<std::uint8_t>(*n);
    }
    return v;
}

void TAutoDetect::Save1Click()
{
    runGroupSave(
        ctx_, *this, settings::Group::Basic, held_,
        [this](notread::Report& report) { return settings::snapshotOf(valuesToSave(report)); },
        [this](const settings::GroupSaveOutcome& saved, notread::Report& report) {
            showSettings({*saved.readBack.basic, saved.save.basic}, LoadForm::ReadBack, report);
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
