#pragma once
// Values as a settings file writes them: numbers in the dialogs' units,
// texts in UTF-8 as TOML basic strings.

#include "settings_file/file_fields.h"

namespace settings::file {

// What a field's value is in the file: no judgement yet.
Given givenOf(const Field& f, const Held& held);
std::string valueText(const Field& f, const Given& given);
std::string valueText(const Field& f, const Held& held);

}  // namespace settings::file
