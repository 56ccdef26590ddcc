#pragma once
// What the windows show and take, as the bytes the adapter holds: QString to
// UTF-8 and on to Latin-1 (device/latin1.h), and back. The full-width forms
// that Japanese input methods type (U+FF01 to U+FF5E, and the ideographic
// space U+3000) are taken as the ASCII characters they stand for. Any other
// character that Latin-1 cannot hold is sent as '?', one '?' for a
// character outside the basic plane.

#include "device/latin1.h"

#include <QString>

#include <string>
#include <string_view>

namespace wire {

// `text` with each full-width ASCII form replaced by its half-width
// character, one for one.
inline QString halfWidth(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E) c = QChar(c.unicode() - 0xFEE0);
        else if (c.unicode() == 0x3000) c = QLatin1Char(' ');
    }
    return text;
}

inline std::string fromText(const QString& text)
{
    return latin1::fromUtf8Lossy(halfWidth(text).toStdString());
}

inline QString toText(std::string_view bytes)
{
    return QString::fromStdString(latin1::toUtf8(bytes));
}

}  // namespace wire
