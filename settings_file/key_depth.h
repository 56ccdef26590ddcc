#pragma once
// How deep the keys of a TOML text nest, judged before the TOML parser sees
// the text: a table name or dotted key of tens of thousands of parts makes
// the parser itself recurse past its stack. No settings key is deeper than
// two parts, so a few levels more than that are plenty.

#include <cstddef>
#include <optional>
#include <string_view>

namespace settings {

inline constexpr std::size_t DeepestKey = 8;

struct DeepKey {
    int line = 0;  // 1-based, where the key begins
    std::size_t parts = 0;
};

// The first key or table name of `text` with more than `most` dotted parts.
// Knows comments, quoted keys, basic and literal strings, single and
// multi-line; reads each byte once.
std::optional<DeepKey> findDeepKey(std::string_view text, std::size_t most = DeepestKey);

}  // namespace settings
