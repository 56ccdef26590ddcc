#pragma once
// A table's case printed by its `name` in gtest's messages, in place of its
// bytes. Used inside the namespace that declares the case.

#include <ostream>

// clang-format off
#define NAMED_CASE(Case) [[maybe_unused]] void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
// clang-format on
