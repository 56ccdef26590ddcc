// brisel-setting: configures a DV Brisel attached by USB.

#include "app/run.h"
#include "device/usb_transport.h"

int main(int, char**)
{
    return runProgram("brisel-setting",
                      [] {
                          const OpenResult opened = OpenDevice();
                          AdapterAccess access;
                          access.status = opened.status;
                          if (opened.status == OpenStatus::Opened)
                              access.transport = std::make_unique<UsbTransport>(opened.handle);
                          return access;
                      },
                      {});
}
