#pragma once
// The RS232C port and GPS dialog: baud rate, port mode, the GPS sentences
// the adapter handles, message send and the 29-character GPS message.
// Unlike the other dialogs it loads itself when it is built; the main
// window only shows it.

#include "dialogs/host.h"
#include "device/vendor_link.h"

#include <QDialog>

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class TForm12;
}

class TForm12 : public QDialog {
    Q_OBJECT
public:
    // Builds the window, then reads the group from the adapter. If the baud
    // rate read fails the dialog keeps its design-time state.
    explicit TForm12(Context context, QWidget* parent = nullptr);
    ~TForm12() override;

    // Writes each setting and reads it back at once, then writes the GPS
    // message and reads it back after a pause.
    void Save1Click();
    // Reads the group again; nothing is written.
    void Cancel1Click();
    void Exit1Click();

private:
    // Reads the whole group; false (and nothing read after it) when the
    // baud rate read fails.
    bool loadGroup();

    void showBaudCode(std::uint8_t code);
    void showModeCode(std::uint8_t code);
    void showGpsBits(std::uint8_t bits);
    void readGpsMessage(ZeroForm rewindForm);

    std::optional<std::uint8_t> checkedBaudCode() const;
    std::optional<std::uint8_t> checkedModeCode() const;
    std::uint8_t checkedGpsBits() const;

    Context ctx_;
    std::unique_ptr<Ui::TForm12> ui_;
};
