#pragma once
// The RS232C port and GPS dialog: baud rate, port mode, the GPS sentences
// the adapter handles, message send and the 29-character GPS message.
// Unlike the other dialogs it loads itself when it is built; the main
// window only shows it.
// Unit12 and TForm12 are the window's design names, kept with its controls' so that code and design read alike.

#include "device/vendor_link.h"
#include "dialogs/host.h"
#include "dialogs/not_read.h"
#include "settings/serial_port.h"
#include "settings/snapshot.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

namespace Ui {
class TForm12;
}

class QAbstractButton;
class QRadioButton;

class TForm12 : public QDialog {
    Q_OBJECT
public:
    // A radio button and the code it stands for.
    struct CodedButton {
        std::uint8_t code;
        QRadioButton* Ui::TForm12::*button;
    };

    explicit TForm12(Context context, QWidget* parent = nullptr);
    ~TForm12() override;

    // The label of the mode button of `code`, as the dialog shows it;
    // empty for a code without a button.
    QString modeLabel(std::uint8_t code) const;

    // Shows the group as start-up read it. If the baud rate read failed,
    // nothing else was read and every control shows that it was not read;
    // what was not read is told at once, as nothing else would tell it.
    void showStartUpRead(const settings::SerialPortRead& read);

    // Writes each setting and reads it back at once, then writes the GPS
    // message and reads it back after a pause.
    void Save1Click();
    // Reads the group again; nothing is written.
    void Cancel1Click();
    // Shows the group's values, as a read of them shows them.
    void showGroup(const settings::SerialPortValues& values, notread::Report& report);
    void Exit1Click();

private:
    // Reads the whole group; false (and nothing read after it) when the
    // baud rate read fails.
    bool loadGroup(notread::Report& report);
    // Shows a read of the whole group; false when the baud rate read failed.
    bool showRead(const settings::SerialPortRead& read, notread::Report& report);
    void markAllNotRead();
    template <std::size_t N>
    void markGroupNotRead(const std::array<CodedButton, N>& buttons, notread::Report& report);
    // The GPS bits' buttons and their masks.
    std::array<std::pair<QAbstractButton*, std::uint8_t>, 6> gpsButtons() const;

    void showBaudCode(std::uint8_t code);
    void showModeCode(std::uint8_t code);
    void showGpsBits(std::uint8_t bits);

    std::optional<std::uint8_t> checkedBaudCode() const;
    std::optional<std::uint8_t> checkedModeCode() const;
    // Shows the read-back of a setting that was sent; a failed read-back
    // leaves what was sent in place.
    void showReadBack(std::optional<std::uint8_t> sent, std::optional<std::uint8_t> readBack,
                      void (TForm12::*show)(std::uint8_t));
    // The GPS bits, when every one of them is known.
    std::optional<std::uint8_t> checkedGpsBits() const;

    settings::Snapshot held_;  // the group as last read from the adapter, for the record of a Save
    Context ctx_;
    std::unique_ptr<Ui::TForm12> ui_;
};
