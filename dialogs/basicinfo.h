#pragma once
// The basic settings dialog: timings, error bit counts, option switches,
// duplex, bit patterns, polarity, S/N squelch and jitter buffer size.
// Basicinfo and TAutoDetect are the window's design names, kept with its controls' so that code and design read alike.

#include "dialogs/host.h"
#include "dialogs/not_read.h"
#include "settings/basic.h"
#include "settings/rules.h"
#include "settings/snapshot.h"

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
    explicit TAutoDetect(Context context, QWidget* parent = nullptr);
    ~TAutoDetect() override;

    // Shows what start-up's probes of the two optional features brought:
    // the S/N squelch (0x72, twice) enables SN_SQ and CosCheck, the jitter
    // buffer (0x58) enables JitterValue.
    void showProbe(const settings::BasicRead& probed);

    // Who runs the load; the forms differ in the time-out and duplex texts,
    // which feature reads are judged (and so may change an enabled state),
    // and whether a failed read keeps what Save just sent.
    enum class LoadForm { Opening, Reload, Cancel, ReadBack };
    // Reads the settings from the adapter into the controls.
    void LoadBasicSettings(LoadForm form, notread::Report& report);
    // Shows what a read brought. A value the adapter did not answer for is
    // marked not read (after Save: the control keeps what was sent) and
    // named in `report`.
    void showSettings(const settings::BasicRead& read, LoadForm form, notread::Report& report);

    // Menu "&Edit".
    void Save1Click();
    void Reload1Click();
    void Cancel1Click();
    void Exit1Click();

private:
    struct NumberField;

    // The values Save writes: every known one that passes its rule. Each
    // refused value is told at once; it is not written.
    settings::BasicValues valuesToSave(notread::Report& report);
    void takeNumber(const NumberField& field, settings::BasicValues& values, notread::Report& report);
    std::optional<std::uint16_t> numberIn(const QLineEdit& edit, const settings::NumberRule& rule,
                                          const char* notNumber, const char* outOfRange);
    void refuse(const char* message);
    void reload(LoadForm form);
    Ui::TAutoDetect& u() { return *ui_; }

    template <typename T>
    void showOrMark(QLineEdit& edit, const std::optional<T>& value);
    // A one-byte setting shown in `edit` as `format` gives it.
    void showByte(QLineEdit& edit, std::optional<std::uint8_t> value, QString (*format)(unsigned), LoadForm form,
                  notread::Report& report);

    Context ctx_;
    std::unique_ptr<Ui::TAutoDetect> ui_;
    settings::Snapshot held_;  // the group as last read from the adapter, for the record of a Save
};
