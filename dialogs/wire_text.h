#pragma once
// What the windows show and take, as the bytes the adapter holds: QString to
// UTF-8 and on to Latin-1 (device/latin1.h), and back. A character that
// Latin-1 cannot hold is sent as '?', one '?' for a character outside the
// basic plane.

#include "device/latin1.h"

#include <QString>

#include <string>
#include <string_view>

namespace wire {

inline std::string fromText(const QString& text)
{
    return latin1::fromUtf8Lossy(text.toStdString());
}

inline QString toText(std::string_view bytes)
{
    return QString::fromStdString(latin1::toUtf8(bytes));
}

}  // namespace wire
