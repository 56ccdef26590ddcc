#pragma once
// The bytes a text box gives to Save. A box the user did not edit gives back
// the bytes the adapter holds, whatever they are; one the user typed or
// pasted a control character into gives nothing, after the message
// "Invalid character in " and the box's label, so that only that write is
// skipped.

#include "device/control_characters.h"
#include "dialogs/host.h"
#include "dialogs/wire_text.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <optional>
#include <string>

inline std::optional<std::string> enteredText(const QLineEdit& box, const QString& label, Host& host)
{
    std::string bytes = wire::fromText(box.text());
    if (box.isModified() && text::firstControlCharacter(bytes)) {
        host.showMessage(QCoreApplication::translate("enteredText", "Invalid character in %1").arg(label));
        return std::nullopt;
    }
    return bytes;
}
