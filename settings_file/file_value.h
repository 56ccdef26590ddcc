#pragma once
// A value as a settings file writes it ("500", "true", "0x0A", "\"N0CALL\""),
// taken back as what it is: a number, a switch or a text. For output that
// keeps them apart, such as brisel-ctl's JSON.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace settings {

using FileValue = std::variant<std::int64_t, bool, std::string>;

// Nothing for a text that is not one such value, e.g. "(not read)".
std::optional<FileValue> fileValue(std::string_view text);

}  // namespace settings
