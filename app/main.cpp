// brisel-setting: configures a DV Brisel attached by USB.

#include "app/run.h"
#include "app/usb_adapter.h"

int main(int, char**)
{
    return runProgram("brisel-setting", openUsbAdapter, {});
}
