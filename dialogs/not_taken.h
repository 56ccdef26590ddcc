#pragma once
// Values the adapter did not take after a Save, in the dialogs' words: the
// control's label, what was sent and what the adapter holds now.

#include "dialogs/host.h"
#include "settings_file/save_result.h"

#include <QString>

#include <vector>

class QWidget;

namespace notread {
class Report;
}

// A value of `key` as `dialog` shows it: a switch by the words its box takes
// (ON or OFF, FULL DUPLEX or HALF DUPLEX), a byte as two hex digits, a mode
// by its button's label, a text without quotes (a call sign without its
// padding, its inner blanks not to be broken).
QString shownValue(const std::string& key, const settings::TypedValue& value, const QWidget* dialog);

// A settings group by the title of its dialog, in the user's language (also
// for a group the firmware lacks, whose dialog is not built).
QString groupTitle(settings::Group group);

// Names each value in `report`: "Keep Alive: sent 20, the adapter holds 30".
// A value whose read-back failed joins the values not read back.
void reportNotTaken(const std::vector<settings::ValueNotTaken>& values, const QWidget* dialog, notread::Report& report);
