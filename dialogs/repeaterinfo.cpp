#include "dialogs/repeaterinfo.h"

#include "ui_repeaterinfo.h"

#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/entered_text.h"
#include "dialogs/group_save.h"
#include "dialogs/not_taken.h"
#include "dialogs/unit13.h"
#include "dialogs/upper_case.h"
#include "dialogs/wire_text.h"
#include "settings/groups.h"
#include "settings_file/settings_file.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// The call signs' boxes, in the order of settings::CallSignFields.
struct CallSignBox {
    QLineEdit* Ui_TForm11::*edit;
    const char* label;
};

constexpr CallSignBox CallSigns[settings::CallSignCount] = {
    {&Ui_TForm11::MyRepeaterCall, QT_TRANSLATE_NOOP("TForm11", "My Repeater Call Sign")},
    {&Ui_TForm11::AltMyCall, QT_TRANSLATE_NOOP("TForm11", "Alter My Call Sign")},
    {&Ui_TForm11::AltMyCall2, QT_TRANSLATE_NOOP("TForm11", "Alter My Call Sign2")},
    {&Ui_TForm11::AltYourCall, QT_TRANSLATE_NOOP("TForm11", "Your Call Sign")},
    {&Ui_TForm11::AltRPT1Call, QT_TRANSLATE_NOOP("TForm11", "RPT1 Call Sign")},
    {&Ui_TForm11::AltRPT2Call, QT_TRANSLATE_NOOP("TForm11", "RPT2 Call Sign")},
};

// The switches' boxes, in the order of settings::SwitchFields.
struct SwitchBox {
    QCheckBox* Ui_TForm11::*box;
};

constexpr SwitchBox Switches[settings::SwitchCount] = {
    {&Ui_TForm11::CallCheckSW},   {&Ui_TForm11::DupCheckSW},    {&Ui_TForm11::DupClearSW},
    {&Ui_TForm11::AltMyCallSW},   {&Ui_TForm11::AltMyCall2SW},  {&Ui_TForm11::AltYourCallSW},
    {&Ui_TForm11::AltRPT1CallSW}, {&Ui_TForm11::AltRPT2CallSW}, {&Ui_TForm11::AltFlagSW},
};

// The alternative flag byte, bit 7 to bit 0, one box per bit.
struct FlagBit {
    QCheckBox* Ui_TForm11::*box;
    std::uint8_t mask;
};

constexpr FlagBit FlagBits[] = {
    {&Ui_TForm11::AltFlag7, 0x80}, {&Ui_TForm11::AltFlag6, 0x40}, {&Ui_TForm11::AltFlag5, 0x20},
    {&Ui_TForm11::AltFlag4, 0x10}, {&Ui_TForm11::AltFlag3, 0x08}, {&Ui_TForm11::AltFlag2, 0x04},
    {&Ui_TForm11::AltFlag1, 0x02}, {&Ui_TForm11::AltFlag0, 0x01},
};

constexpr const char* StatusName =
    QT_TRANSLATE_NOOP("TForm11", "Call Check, DUP Check, DUP Clear, the Replace switches and Flag");

}  // namespace

TForm11::TForm11(Context context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)), ui_(std::make_unique<Ui::TForm11>())
{
    ui_->setupUi(this);
    for (const CallSignBox& field : CallSigns) forceUpperCase(*(ui_.get()->*field.edit));
    // The bits of the flag byte that the user cannot change stay as read.
    for (const FlagBit& bit : FlagBits) (ui_.get()->*bit.box)->setEnabled((bit.mask & settings::FixedFlagBits) == 0);
    notread::followEntries(*this);

    connect(ui_->Ssve1, &QAction::triggered, this, &TForm11::Ssve1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TForm11::Cancel1Click);
    connect(ui_->Exit1, &QAction::triggered, this, &TForm11::Exit1Click);
    ui_->StaticText18->installEventFilter(this);
}

TForm11::~TForm11() = default;

void TForm11::showStatus(const settings::RepeaterValues& values, bool readBack, notread::Report& report)
{
    const bool answered = values.flagByte.has_value();
    if (!answered) {
        // Every box, the flag bits included: without them the flag byte,
        // whose bits 7 and 4 the user cannot set, is not written either.
        // After Save the boxes keep what was sent, and the Save's judgement
        // names each switch that was not read back.
        if (!readBack) report.notRead(tr(StatusName));
    }
    auto showBit = [&](QCheckBox& box, bool on) {
        if (answered) notread::show(box, on);
        else if (!readBack) notread::mark(box);
    };
    for (std::size_t i = 0; i < settings::SwitchCount; ++i)
        showBit(*(ui_.get()->*Switches[i].box), values.switches[i].value_or(false));
    for (const FlagBit& bit : FlagBits) showBit(*(ui_.get()->*bit.box), (values.flagByte.value_or(0) & bit.mask) != 0);
}

void TForm11::showCallSigns(const settings::RepeaterValues& values, bool readBack, const settings::RepeaterValues* sent,
                            notread::Report& report)
{
    for (std::size_t i = 0; i < settings::CallSignCount; ++i) {
        if (sent != nullptr && !sent->callSigns[i]) continue;
        QLineEdit& edit = *(ui_.get()->*CallSigns[i].edit);
        if (values.callSigns[i]) notread::show(edit, wire::toText(*values.callSigns[i]));
        else notread::failed(edit, readBack, report);
    }
}

void TForm11::loadSettings(notread::Report& report)
{
    const settings::RepeaterValues values = settings::readRepeater(ctx_.link);
    held_ = settings::merged(held_, settings::snapshotOf(values));
    showStatus(values, false, report);
    showCallSigns(values, false, nullptr, report);
}

settings::RepeaterValues TForm11::valuesToSave(notread::Report& report)
{
    settings::RepeaterValues values;
    for (std::size_t i = 0; i < settings::CallSignCount; ++i) {
        const QLineEdit& edit = *(ui_.get()->*CallSigns[i].edit);
        if (report.mayWrite(edit)) values.callSigns[i] = enteredText(edit, tr(CallSigns[i].label), ctx_.host);
    }
    for (std::size_t i = 0; i < settings::SwitchCount; ++i) {
        const QCheckBox& box = *(ui_.get()->*Switches[i].box);
        if (report.mayWrite(box)) values.switches[i] = box.isChecked();
    }
    // The disabled boxes (bits 7 and 4) count like the others: their bits
    // go back to the adapter as they were read. The byte is written only
    // when every bit of it is known.
    std::uint8_t flagByte = 0;
    bool flagKnown = true;
    for (const FlagBit& bit : FlagBits) {
        const QCheckBox& box = *(ui_.get()->*bit.box);
        flagKnown = flagKnown && notread::isKnown(box);
        if (box.isChecked()) flagByte |= bit.mask;
    }
    if (flagKnown) values.flagByte = flagByte;
    else report.leftOut(tr("Flag"));
    return values;
}

void TForm11::Ssve1Click()
{
    runGroupSave(
        ctx_, *this, settings::Group::Repeater, held_,
        [this](notread::Report& report) { return settings::snapshotOf(valuesToSave(report)); },
        [this](const settings::GroupSaveOutcome& saved, notread::Report& report) {
            const settings::RepeaterValues& readBack = *saved.readBack.repeater;
            held_ = settings::merged(held_, saved.readBack);
            showCallSigns(readBack, true, &*saved.sent.repeater, report);
            showStatus(readBack, true, report);
        });
}

void TForm11::Cancel1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        loadSettings(report);
        report.tell(ctx_.host);
    });
}

void TForm11::Exit1Click()
{
    close();
}

void TForm11::StaticText18Click()
{
    if (legend_ == nullptr) return;
    ctx_.host.showModal(*legend_);
}

bool TForm11::eventFilter(QObject* watched, QEvent* event)
{
    // "(detail)" acts like a link: a left click on it, pressed and released
    // over the label, opens the flag legend, and so do Space and Enter while
    // it has the focus, which underlines it.
    if (watched == ui_->StaticText18) {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            QFont font = ui_->StaticText18->font();
            font.setUnderline(event->type() == QEvent::FocusIn);
            ui_->StaticText18->setFont(font);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                StaticText18Click();
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) detailPressed_ = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && detailPressed_) {
                detailPressed_ = false;
                if (ui_->StaticText18->rect().contains(mouse->position().toPoint())) StaticText18Click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
