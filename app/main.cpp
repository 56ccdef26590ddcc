// brisel-setting: configures a DV Brisel attached by USB.

#include "app/run.h"
#include "device/usb_transport.h"

int main(int, char**)
{
    ProgramOptions options;
    options.walkBus = usbWalk;
    return runProgram("brisel-setting", usbAdapterOpener(), options);
}
