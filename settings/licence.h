#pragma once
// The licence lines that both programs' --version print.

inline constexpr const char* LicenceLines =
    "Licence: GPL-3.0-or-later <https://www.gnu.org/licenses/gpl-3.0.html>\n"
    "This is free software: you may change and share it. There is NO WARRANTY.\n";
