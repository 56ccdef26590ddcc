#pragma once
// The controls of the dialogs by the settings file's keys. Each control that
// shows a key's value names the key in its form (the .ui file) by the dynamic
// property "settingKey"; the messages name the value by that control's label,
// in the user's language.

#include "settings/groups.h"

#include <QString>

#include <memory>
#include <string_view>

class QWidget;

// The property of a control that holds its key ("basic.delay_time_ms").
inline constexpr const char* SettingKeyProperty = "settingKey";

// The control in `dialog` that shows `key`; none when there is none.
const QWidget* settingControl(const QWidget* dialog, std::string_view key);

// A fresh copy of the form of `group`'s dialog, its texts in the user's
// language: the labels of its values when the dialog itself is not at hand.
std::unique_ptr<QWidget> formOf(settings::Group group);

// The label of the control in `dialog` that shows `key` ("basic.keep_alive_ms"),
// as a screen reader says it (a group box by its title); the key itself when
// the dialog has no such control.
QString valueLabel(const QWidget* dialog, std::string_view key);

// The label of `key` as the form of its group shows it, whether or not its
// dialog is built; the key itself when no form shows it.
QString keyLabel(std::string_view key);
