#pragma once
// The basic settings dialog: timings, error bit counts, option switches,
// duplex, bit patterns, polarity, S/N squelch and jitter buffer size.

#include "dialogs/host.h"
#include "dialogs/not_read.h"

#include <QDialog>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class TAutoDetect;
}

class QLineEdit;

class TAutoDetect : public QDialog {
    Q_OBJECT
public:
    // Builds the window, then probes the two optional features: the S/N
    // squelch (0x72, twice) enables SN_SQ and CosCheck, the jitter buffer
    // (0x58) enables JitterValue.
    explicit TAutoDetect(Context context, QWidget* parent = nullptr);
    ~TAutoDetect() override;

    // Who runs the load; the forms differ in the time-out and duplex texts,
    // which feature reads are judged (and so may change an enabled state),
    // and whether a failed read keeps what Save just sent.
    enum class LoadForm { Opening, Reload, Cancel, ReadBack };
    // Reads the settings from the adapter into the controls. A value the
    // adapter does not answer for is marked not read (after Save: the
    // control keeps what was sent) and named in `report`.
    void LoadBasicSettings(LoadForm form, notread::Report& report);

    // Menu "&Edit".
    void Save1Click();
    void Reload1Click();
    void Cancel1Click();
    void Exit1Click();

private:
    struct NumberField;

    void saveNumber(const NumberField& field, notread::Report& report);
    void saveSquelch(std::optional<std::int32_t> level, bool refusedByRule);
    std::optional<std::int32_t> numberIn(const QLineEdit& edit, std::size_t firstN,
                                         const char* notNumberMessage);
    void refuse(const char* message);
    void reload(LoadForm form);
    Ui::TAutoDetect& u() { return *ui_; }

    void showSquelch(const std::uint8_t (&bytes)[2]);
    // A one-byte setting shown in `edit` as `format` gives it.
    void showByte(QLineEdit& edit, std::optional<std::uint8_t> value, QString (*format)(std::uint8_t),
                  LoadForm form, notread::Report& report);

    Context ctx_;
    std::unique_ptr<Ui::TAutoDetect> ui_;
};
