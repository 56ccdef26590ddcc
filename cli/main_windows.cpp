// brisel-ctl.exe: the DV Brisel's settings from a Windows console. The
// command line arrives in UTF-16 and is handed on in UTF-8, as everything
// the program keeps is; the console shows UTF-8.

#include "cli/ctl.h"
#include "device/windows_text.h"

#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** wargv)
{
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i) arguments.push_back(windows_text::utf8(wargv[i]));
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    CtlIo io{std::cout, std::cerr};
    return runCtlProgram(argc, argv.data(), io);
}
