// brisel-setting: configures a DV Brisel attached by USB.

#include "app/command_line.h"
#include "app/run.h"
#include "device/usb_transport.h"

#include <iostream>

int main(int argc, char** argv)
{
    const CommandLine line = readSettingCommandLine(argc, argv, std::cout, std::cerr);
    if (line.exitStatus) return *line.exitStatus;
    return runProgram("brisel-setting", settingOpener(usbAdapterOpener(line.choice), line.device), {});
}
