#include "dialogs/repeaterinfo.h"

#include "ui_repeaterinfo.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "device/latin1.h"
#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/unit13.h"
#include "dialogs/upper_case.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <span>

namespace {

// One call sign: its edit box, its read and write codes and its width on the
// wire. Listed in the order the adapter is asked for them.
struct CallSignField {
    QLineEdit* Ui_TForm11::*edit;
    std::uint8_t readCode;
    std::uint8_t writeCode;
    int width;
};

constexpr CallSignField CallSigns[] = {
    {&Ui_TForm11::MyRepeaterCall, cmd::ReadMyRepeaterCall, cmd::WriteMyRepeaterCall, 8},
    {&Ui_TForm11::AltMyCall, cmd::ReadAltMyCall, cmd::WriteAltMyCall, 8},
    {&Ui_TForm11::AltMyCall2, cmd::ReadAltMyCall2, cmd::WriteAltMyCall2, 4},
    {&Ui_TForm11::AltYourCall, cmd::ReadAltYourCall, cmd::WriteAltYourCall, 8},
    {&Ui_TForm11::AltRPT1Call, cmd::ReadAltRpt1Call, cmd::WriteAltRpt1Call, 8},
    {&Ui_TForm11::AltRPT2Call, cmd::ReadAltRpt2Call, cmd::WriteAltRpt2Call, 8},
};

// One on/off switch: its box, the request that sets it and its bit in the
// status block. Listed in the order Save sends them: 0x99 comes last, just
// before the flag byte.
struct Switch {
    QCheckBox* Ui_TForm11::*box;
    std::uint8_t writeCode;
    int statusByte;
    std::uint8_t mask;
};

constexpr Switch Switches[] = {
    {&Ui_TForm11::CallCheckSW, cmd::WriteCallCheck, 0, status::CallCheck},
    {&Ui_TForm11::DupCheckSW, cmd::WriteDupCheck, 0, status::DupCheck},
    {&Ui_TForm11::DupClearSW, cmd::WriteDupClear, 0, status::DupClear},
    {&Ui_TForm11::AltMyCallSW, cmd::WriteReplaceMyCall, 0, status::ReplaceMyCall},
    {&Ui_TForm11::AltMyCall2SW, cmd::WriteReplaceMyCall2, 0, status::ReplaceMyCall2},
    {&Ui_TForm11::AltYourCallSW, cmd::WriteReplaceYourCall, 0, status::ReplaceYourCall},
    {&Ui_TForm11::AltRPT1CallSW, cmd::WriteReplaceRpt1Call, 0, status::ReplaceRpt1},
    {&Ui_TForm11::AltRPT2CallSW, cmd::WriteReplaceRpt2Call, 0, status::ReplaceRpt2},
    {&Ui_TForm11::AltFlagSW, cmd::WriteReplaceFlag, 1, status::ReplaceFlag},
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

constexpr int StatusBlockSize = 3;
constexpr const char* StatusName = "Call Check, DUP Check, DUP Clear, the Replace switches and Flag";
constexpr int CallSignWritePause = 50;  // ms between a call sign write and its read-back
constexpr int StatusReadPause = 200;    // ms between the last write and the status read

// One transfer buffer per handler: the widest field plus the NUL placed after it.
using Buffer = std::uint8_t[9];

// What a call sign read shows: the `width` bytes up to the first NUL.
QString callSignText(Buffer& buffer, int width)
{
    buffer[width] = 0;
    return wire::textUpToNul(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(width)));
}

}  // namespace

TForm11::TForm11(Context context, QWidget* parent)
    : QDialog(parent), ctx_(context), ui_(std::make_unique<Ui::TForm11>())
{
    ui_->setupUi(this);
    for (const CallSignField& field : CallSigns) forceUpperCase(*(ui_.get()->*field.edit));
    notread::followEntries(*this);

    connect(ui_->Ssve1, &QAction::triggered, this, &TForm11::Ssve1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TForm11::Cancel1Click);
    connect(ui_->Exit1, &QAction::triggered, this, &TForm11::Exit1Click);
    ui_->StaticText18->installEventFilter(this);
}

TForm11::~TForm11() = default;

void TForm11::readStatus(bool readBack, notread::Report& report)
{
    Buffer buffer = {};
    const bool answered = ctx_.link.readAll(cmd::ReadStatusBlock, buffer, StatusBlockSize);
    if (!answered) {
        // Every box, the flag bits included: without them the flag byte,
        // whose bits 7 and 4 the user cannot set, is not written either.
        if (readBack) report.notReadBack(QString::fromLatin1(StatusName));
        else report.notRead(QString::fromLatin1(StatusName));
    }
    auto showBit = [&](QCheckBox& box, bool on) {
        if (answered) notread::show(box, on);
        else if (!readBack) notread::mark(box);
    };
    for (const Switch& sw : Switches)
        showBit(*(ui_.get()->*sw.box), (buffer[sw.statusByte] & sw.mask) != 0);
    for (const FlagBit& bit : FlagBits) showBit(*(ui_.get()->*bit.box), (buffer[2] & bit.mask) != 0);
}

void TForm11::loadSettings(notread::Report& report)
{
    readStatus(false, report);
    for (const CallSignField& field : CallSigns) {
        Buffer buffer = {};
        QLineEdit& edit = *(ui_.get()->*field.edit);
        if (ctx_.link.readAll(field.readCode, buffer, field.width))
            notread::show(edit, callSignText(buffer, field.width));
        else
            notread::failed(edit, false, report);
    }
}

void TForm11::Ssve1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        Buffer buffer = {};

        // Each call sign: write, wait, read back into the same buffer.
        for (const CallSignField& field : CallSigns) {
            QLineEdit& edit = *(ui_.get()->*field.edit);
            if (!report.mayWrite(edit)) continue;
            const auto bytes = enc::callSignField(wire::fromText(edit.text()),
                                                  static_cast<std::size_t>(field.width));
            std::copy(bytes.begin(), bytes.end(), buffer);
            ctx_.link.VendorWriteData(field.writeCode, buffer, field.width);
            ctx_.host.pause(CallSignWritePause);
            if (ctx_.link.readAll(field.readCode, buffer, field.width))
                notread::show(edit, callSignText(buffer, field.width));
            else
                notread::failed(edit, true, report);
        }

        for (const Switch& sw : Switches) {
            const QCheckBox& box = *(ui_.get()->*sw.box);
            if (report.mayWrite(box)) ctx_.link.VendorWriteValue(sw.writeCode, box.isChecked() ? 1 : 0);
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
        if (flagKnown) ctx_.link.VendorWriteValue(cmd::WriteAltFlagByte, flagByte);
        else report.leftOut(QStringLiteral("Flag"));

        ctx_.host.pause(StatusReadPause);
        readStatus(true, report);
        report.tell(ctx_.host);
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
                if (ui_->StaticText18->rect().contains(mouse->position().toPoint()))
                    StaticText18Click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
