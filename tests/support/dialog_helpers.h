#pragma once
// What the dialog tests share: controls and menu items found by object name,
// typing into a box, opening a dialog through the main window with a script
// run while it is shown, and pictures of message blocks.

#include "tests/support/fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <ostream>
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

inline QLineEdit& edit(const QObject& parent, const QString& name) { return child<QLineEdit>(parent, name); }
inline std::string text(const QObject& parent, const QString& name) { return edit(parent, name).text().toStdString(); }
inline void trigger(const QObject& parent, const QString& action) { child<QAction>(parent, action).trigger(); }

// Key presses, one per character, the way a user types them.
inline void type(QLineEdit& box, const QString& keys)
{
    for (QChar ch : keys) {
        QKeyEvent press(QEvent::KeyPress, ch.toUpper().unicode(), Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(&box, &press);
    }
}

inline Pics logged(Rig& rig) { return pictures(rig.emulator.log()); }

inline Pics concat(std::initializer_list<Pics> parts)
{
    Pics out;
    for (const Pics& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Runs `open` (a main window handler) with `script` acting during the
// dialog's modal showing.
inline void whileShown(Rig& rig, const std::function<void()>& open, std::function<void(QDialog&)> script)
{
    rig.host.whileShown = std::move(script);
    open();
}

// Opens a dialog, chooses `exitItem` while it is shown: it must close and
// nothing may travel.
inline void expectExitClosesSilently(Rig& rig, const std::function<void()>& open, const char* exitItem)
{
    bool visibleBefore = false, visibleAfter = true;
    whileShown(rig, open, [&](QDialog& shown) {
        rig.emulator.clearLog();
        visibleBefore = shown.isVisible();
        trigger(shown, exitItem);
        visibleAfter = shown.isVisible();
    });
    EXPECT_TRUE(visibleBefore);
    EXPECT_FALSE(visibleAfter);
    EXPECT_TRUE(rig.emulator.log().empty());
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
    for (std::size_t i = 0; i < N; ++i) out[i] = static_cast<std::uint8_t>(bytes[i]);
    return out;
}

// The "D <code> .." data writes that carry `bytes` in pieces of the given sizes.
inline Pics pieces(std::uint8_t code, std::string_view bytes, std::initializer_list<std::size_t> sizes)
{
    Pics out;
    std::size_t at = 0;
    char hex[4];
    for (std::size_t size : sizes) {
        std::snprintf(hex, sizeof hex, "%02X", code);
        std::string s = std::string("D ") + hex;
        for (std::size_t i = 0; i < size; ++i) {
            std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(bytes[at + i]));
            s += hex;
        }
        out.push_back(s);
        at += size;
    }
    return out;
}

// A 20-byte zero-filled message block in its three pieces.
inline Pics message20(std::uint8_t code, std::string_view text) { return pieces(code, padded(text, 20, '\0'), {8, 8, 4}); }

// A message text as entered, the bytes that travel for it and what the box
// shows after the read-back.
struct MessageCase {
    QString entered;
    std::string wire;  // the bytes that travel, as characters
    QString shown;     // after the read-back
};

inline void PrintTo(const MessageCase& c, std::ostream* os) { *os << '"' << c.entered.toStdString() << '"'; }

}  // namespace dlg
