#include "dialogs/unit12.h"

#include "ui_unit12.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "dialogs/adapter_action.h"
#include "dialogs/busy_cursor.h"
#include "dialogs/entered_text.h"
#include "dialogs/group_save.h"
#include "dialogs/not_taken.h"
#include "dialogs/wire_text.h"
#include "settings_file/settings_file.h"

#include <array>
#include <span>
#include <utility>

namespace {

constexpr const char* GpsBitsName = QT_TRANSLATE_NOOP("TForm12", "GPS Message Select, Message Send");

// Each code with its button: the codes and their order (the order Save
// looks at the buttons in) are the core's.
template <std::size_t N, class Button>
constexpr std::array<TForm12::CodedButton, N> coded(const std::uint8_t (&codes)[N],
                                                    const std::array<Button, N>& buttons)
{
    std::array<TForm12::CodedButton, N> all{};
    for (std::size_t i = 0; i < N; ++i) all[i] = {codes[i], buttons[i]};
    return all;
}

// The buttons of settings::BaudCodes (19200, 9600, 4800, 1200 baud).
constexpr auto BaudButtons = coded(settings::BaudCodes, std::array{&Ui::TForm12::S19200, &Ui::TForm12::S9600,
                                                                   &Ui::TForm12::S4800, &Ui::TForm12::S1200});

// The buttons of settings::ModeCodes (command, GPS receive, GPS send, slow
// data, short message); other codes have no button.
constexpr auto ModeButtons = coded(
    settings::ModeCodes, std::array{&Ui::TForm12::Command_Mode, &Ui::TForm12::GPS_RCV_Mode, &Ui::TForm12::GPS_SEND_Mode,
                                    &Ui::TForm12::SlowData_Mode, &Ui::TForm12::ShortMessage_Mode});

// Checks the button whose code matches. A code without a button changes
// nothing: the group keeps whatever was checked before.
template <std::size_t N>
void checkMatching(Ui::TForm12& ui, const std::array<TForm12::CodedButton, N>& buttons, std::uint8_t code)
{
    for (const TForm12::CodedButton& b : buttons)
        if (b.code == code) (ui.*b.button)->setChecked(true);
}

template <std::size_t N>
std::optional<std::uint8_t> checkedCode(const Ui::TForm12& ui, const std::array<TForm12::CodedButton, N>& buttons)
{
    for (const TForm12::CodedButton& b : buttons)
        if ((ui.*b.button)->isChecked()) return b.code;
    return std::nullopt;
}

}  // namespace

TForm12::TForm12(Context context, QWidget* parent)
    : QDialog(parent), ctx_(std::move(context)), ui_(std::make_unique<Ui::TForm12>())
{
    ui_->setupUi(this);
    // Message send stands alone in its group: without this a click could
    // turn it on but nothing could turn it off again, nor could a value
    // read from the adapter clear it.
    ui_->GPS_MsgSend->setAutoExclusive(false);
    notread::followEntries(*this);

    connect(ui_->Save1, &QAction::triggered, this, &TForm12::Save1Click);
    connect(ui_->Cancel1, &QAction::triggered, this, &TForm12::Cancel1Click);
    connect(ui_->Exit1, &QAction::triggered, this, &TForm12::Exit1Click);
}

void TForm12::showStartUpRead(const settings::SerialPortRead& read)
{
    // Not shown yet, so closing just keeps it hidden.
    notread::Report report;
    if (!showRead(read, report)) {
        markAllNotRead();
        report.notRead(tr("Baud Rate, RS232C Mode, %1, GPS Message").arg(tr(GpsBitsName)));
        close();
    }
    report.tell(ctx_.host);
}

TForm12::~TForm12() = default;

QString TForm12::modeLabel(std::uint8_t code) const
{
    for (const CodedButton& b : ModeButtons)
        if (b.code == code) return ((*ui_).*b.button)->text().remove(u'&');
    return {};
}

bool TForm12::loadGroup(notread::Report& report)
{
    return showRead(settings::readSerialPort(ctx_.link), report);
}

bool TForm12::showRead(const settings::SerialPortRead& read, notread::Report& report)
{
    if (!read.answered) return false;
    showGroup(read.values, report);
    return true;
}

void TForm12::showGroup(const settings::SerialPortValues& v, notread::Report& report)
{
    held_ = settings::merged(held_, settings::snapshotOf(v));
    if (v.baudCode) showBaudCode(*v.baudCode);
    else markGroupNotRead(BaudButtons, report);

    if (v.modeCode) showModeCode(*v.modeCode);
    else markGroupNotRead(ModeButtons, report);

    if (v.gpsBits) {
        showGpsBits(*v.gpsBits);
    } else {
        report.notRead(tr(GpsBitsName));
        for (const auto& [button, mask] : gpsButtons()) notread::mark(*button);
    }

    if (v.gpsMessage) notread::show(*ui_->GPS_Message, wire::toText(*v.gpsMessage));
    else notread::failed(*ui_->GPS_Message, false, report);
}

template <std::size_t N>
void TForm12::markGroupNotRead(const std::array<CodedButton, N>& buttons, notread::Report& report)
{
    QAbstractButton& first = *(ui_.get()->*buttons.front().button);
    report.notRead(qobject_cast<QGroupBox*>(first.parentWidget())->title());
    for (const CodedButton& b : buttons) notread::mark(*(ui_.get()->*b.button));
}

std::array<std::pair<QAbstractButton*, std::uint8_t>, 6> TForm12::gpsButtons() const
{
    return {{{ui_->GPRMC, gps::Gprmc},
             {ui_->GPGGA, gps::Gpgga},
             {ui_->GPGLL, gps::Gpgll},
             {ui_->GPGSA, gps::Gpgsa},
             {ui_->GPVTG, gps::Gpvtg},
             {ui_->GPS_MsgSend, gps::MessageSend}}};
}

void TForm12::markAllNotRead()
{
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (button->isCheckable()) notread::mark(*button);
    notread::mark(*ui_->GPS_Message);
}

void TForm12::Save1Click()
{
    const auto take = [this](notread::Report& report) {
        // A setting with no button checked (not read, or the adapter reported
        // a code that has none) has no code to send: it is left out and the
        // Save goes on.
        settings::SerialPortValues values;
        const std::pair<std::optional<std::uint8_t>, QString> settingsToSend[] = {
            {checkedBaudCode(), ui_->Baud->title()},
            {checkedModeCode(), ui_->Mode->title()},
            {checkedGpsBits(), tr(GpsBitsName)}};
        for (const auto& [value, name] : settingsToSend)
            if (!value) report.leftOut(name);
        values.baudCode = settingsToSend[0].first;
        values.modeCode = settingsToSend[1].first;
        values.gpsBits = settingsToSend[2].first;
        if (report.mayWrite(*ui_->GPS_Message))
            values.gpsMessage = enteredText(*ui_->GPS_Message, tr("GPS Message"), ctx_.host);
        return settings::snapshotOf(values);
    };
    runGroupSave(ctx_, *this, settings::Group::SerialPort, held_, take,
                 [this](const settings::GroupSaveOutcome& saved, notread::Report& report) {
                     held_ = settings::merged(held_, saved.readBack);
                     const settings::SerialPortValues& values = *saved.sent.serialPort;
                     // A refused baud rate ends the Save; the controls keep the user's
                     // edits. Otherwise a failed read-back leaves the value just written
                     // in place.
                     if (!saved.save.refused) {
                         const settings::SerialPortValues& back = *saved.readBack.serialPort;
                         showReadBack(values.baudCode, back.baudCode, &TForm12::showBaudCode);
                         showReadBack(values.modeCode, back.modeCode, &TForm12::showModeCode);
                         showReadBack(values.gpsBits, back.gpsBits, &TForm12::showGpsBits);
                         if (values.gpsMessage) {
                             if (back.gpsMessage) notread::show(*ui_->GPS_Message, wire::toText(*back.gpsMessage));
                             else notread::failed(*ui_->GPS_Message, true, report);
                         }
                     }
                 });
}

void TForm12::showReadBack(std::optional<std::uint8_t> sent, std::optional<std::uint8_t> readBack,
                           void (TForm12::*show)(std::uint8_t))
{
    if (sent && readBack) (this->*show)(*readBack);
}

void TForm12::Cancel1Click()
{
    runAdapterAction(ctx_, this, [this] {
        BusyCursor busy;
        notread::Report report;
        if (!loadGroup(report)) markGroupNotRead(BaudButtons, report);
        report.tell(ctx_.host);
    });
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
    for (const auto& [button, mask] : gpsButtons()) notread::show(*button, (bits & mask) != 0);
}

std::optional<std::uint8_t> TForm12::checkedBaudCode() const
{
    return checkedCode(*ui_, BaudButtons);
}

std::optional<std::uint8_t> TForm12::checkedModeCode() const
{
    return checkedCode(*ui_, ModeButtons);
}

std::optional<std::uint8_t> TForm12::checkedGpsBits() const
{
    std::uint8_t byte = 0;
    for (const auto& [button, mask] : gpsButtons()) {
        if (!notread::isKnown(*button)) return std::nullopt;
        if (button->isChecked()) byte |= mask;
    }
    return byte;
}
