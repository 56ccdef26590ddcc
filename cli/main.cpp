// brisel-ctl: the DV Brisel's settings from a terminal.

#include "cli/ctl.h"

#include <iostream>

int main(int argc, char** argv)
{
    CtlIo io{std::cout, std::cerr};
    return runCtlProgram(argc, argv, io);
}
