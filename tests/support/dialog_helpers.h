#pragma once
// What the dialog tests share: controls and menu items found by object name,
// typing into a box, Exit, and the requests of chosen codes in the log.

#include "tests/support/fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dlg {

using Pics = std::vector<std::string>;

// The child named `name`; a missing one fails the test loudly.
template <typename T = QWidget>
T& child(const QObject& parent, const QString& name)
{
    T* found = parent.findChild<T*>(name);
    if (found == nullptr) throw std::runtime_error("no control named " + name.toStdString());
    return *found;
}

inline QLineEdit& edit(const QObject& parent, const QString& name)
{
    return child<QLineEdit>(parent, name);
}
inline void trigger(const QObject& parent, const QString& action)
{
    child<QAction>(parent, action).trigger();
}

// Key presses, one per character, the way a user types them.
inline void type(QLineEdit& box, const QString& keys)
{
    for (QChar ch : keys) {
        QKeyEvent press(QEvent::KeyPress, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(&box, &press);
    }
}

// The requests of the given codes, as pictures, in the order they were sent.
inline Pics sent(Rig& rig, std::initializer_list<std::uint8_t> codes)
{
    Pics out;
    for (const emu::LogEntry& e : rig.emulator.requests())
        if (std::find(codes.begin(), codes.end(), e.request) != codes.end()) out.push_back(picture(e));
    return out;
}

// The bytes of the data writes of `code`, all pieces joined.
inline std::string dataSent(Rig& rig, std::uint8_t code)
{
    std::string out;
    for (const emu::LogEntry& e : rig.emulator.requests())
        if (e.request == code && !e.isRead()) out.append(e.data.begin(), e.data.end());
    return out;
}

// The picture of a value write.
inline std::string valueWrite(std::uint8_t code, unsigned value)
{
    char text[16];
    std::snprintf(text, sizeof text, "V %02X %04X", code, value);
    return text;
}

// Opens a dialog, chooses `exitItem` while it is shown: it must close and
// nothing may travel.
inline void expectExitClosesSilently(Rig& rig, const std::function<void()>& open, const char* exitItem)
{
    bool visibleBefore = false, visibleAfter = true;
    rig.host.whileShown = [&](QDialog& shown) {
        rig.emulator.clearLog();
        visibleBefore = shown.isVisible();
        trigger(shown, exitItem);
        visibleAfter = shown.isVisible();
    };
    open();
    EXPECT_TRUE(visibleBefore);
    EXPECT_FALSE(visibleAfter);
    EXPECT_TRUE(rig.emulator.log().empty());
}

// Every label, button and group box of `window` (not of windows inside it)
// gets at least the room its text asks for.
// The width a box's placeholder ("not read") has inside its frame and the
// box's own margin of 2 pixels on each side.
inline int placeholderRoom(const QLineEdit& edit)
{
    const QMargins margins = edit.textMargins();
    return edit.width() - 2 * edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit) - margins.left() -
           margins.right() - 4;
}

inline void expectNothingClipped(QWidget& window)
{
    window.show();
    QCoreApplication::processEvents();
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->placeholderText().isEmpty()) {
            EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->placeholderText()), placeholderRoom(*edit))
                << edit->objectName().toStdString() << ": " << edit->placeholderText().toStdString();
            continue;
        }
        if (w->window() != &window ||
            (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w) && !qobject_cast<QGroupBox*>(w)))
            continue;
        EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
        EXPECT_GE(w->height(), w->sizeHint().height()) << w->objectName().toStdString();
    }
    window.hide();
}

// The character an accelerator marks: the one after "&" ("&&" is a plain
// "&"), in upper case; none if the text has no accelerator.
inline QChar acceleratorOf(const QString& text)
{
    for (qsizetype i = text.indexOf('&'); i >= 0 && i + 1 < text.size(); i = text.indexOf('&', i + 2))
        if (text[i + 1] != '&') return text[i + 1].toUpper();
    return {};
}

// `text` cut or filled with `fill` to `size` bytes.
inline std::string padded(std::string_view text, std::size_t size, char fill)
{
    std::string out(text.substr(0, std::min(text.size(), size)));
    out.resize(size, fill);
    return out;
}

// A block as the adapter holds it.
template <std::size_t N>
std::array<std::uint8_t, N> block(std::string_view text, char fill = '\0')
{
    const std::string bytes = padded(text, N, fill);
    std::array<std::uint8_t, N> out{};
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return out;
}

}  // namespace dlg
