// brisel-ctl: the DV Brisel's settings from a terminal.

#include "cli/ctl.h"

#include "cli/exit_status.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    CtlIo io{std::cout, std::cerr};
    const int status = runCtl(argc, argv, io);
    // Some files report a failed write only when closed.
    if (std::fclose(stdout) == 0 || (status != exit_status::Ok && status != exit_status::Differences)) return status;
    std::cerr << "brisel-ctl: " << OutputLost << '\n';
    return exit_status::CantWrite;
}
