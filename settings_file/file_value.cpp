#include "settings_file/file_value.h"

#include <toml++/toml.h>

namespace settings {

std::optional<FileValue> fileValue(std::string_view text)
{
    toml::table document;
    try {
        document = toml::parse("v = " + std::string(text));
    } catch (const toml::parse_error&) {
        return std::nullopt;
    }
    const toml::node* node = document.get("v");
    if (document.size() != 1 || node == nullptr) return std::nullopt;
    if (const auto number = node->value<std::int64_t>(); number && node->is_integer()) return *number;
    if (const auto flag = node->value<bool>(); flag && node->is_boolean()) return *flag;
    if (const auto string = node->value<std::string>(); string && node->is_string()) return *string;
    return std::nullopt;
}

}  // namespace settings
