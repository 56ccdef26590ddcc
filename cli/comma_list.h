#pragma once
// Names listed in brisel-ctl's messages: "a, b, c".

#include <string>
#include <vector>

// "a, b, c"
std::string commaList(const std::vector<std::string>& names);
