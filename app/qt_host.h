#pragma once
// The host services on the desktop: message boxes, modal dialogs, and pauses
// that keep every window painted.

#include "dialogs/host.h"

#include <QtGlobal>

#include <functional>

class QtHost final : public Host {
public:
    // `onPause` hears of each pause before it is taken (the demo prints it).
    explicit QtHost(std::function<void(int)> onPause = {}) : onPause_(std::move(onPause)) {}

    void showMessage(const QString& text) override;
    void showModal(QDialog& dialog) override;
    // Runs a local event loop for `ms` that paints but takes no user input,
    // so the window never freezes while the adapter is given its time.
    void pause(int ms) override;
    QString chooseFile(bool forSaving, const QString& caption, const QString& folder) override;
    bool ask(const QString& text) override;
    bool tellWithChoice(const QString& text, const QString& choice) override;

private:
    std::function<void(int)> onPause_;
};

// The title of every message box.
inline constexpr const char* MessageTitle = QT_TRANSLATE_NOOP("QtHost", "Brisel Setting");
