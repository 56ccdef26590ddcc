// brisel-setting-demo: the program over the built-in emulated adapter, with
// every optional feature present. Each request and pause is printed.

#include "app/run.h"
#include "emulator/emulator.h"

#include <cstdio>

int main(int, char**)
{
    emu::Emulator* adapter = nullptr;
    return runProgram("brisel-setting-demo",
                      [&adapter] {
                          auto emulator = std::make_unique<emu::Emulator>();
                          emulator->setListener([](const emu::LogEntry& entry) {
                              std::printf("%s\n", emu::describe(entry).c_str());
                              std::fflush(stdout);
                          });
                          adapter = emulator.get();
                          AdapterAccess access;
                          access.status = OpenStatus::Opened;
                          access.transport = std::move(emulator);
                          return access;
                      },
                      {QStringLiteral(" (demo)"), [&adapter](int ms) {
                           if (adapter != nullptr) adapter->recordPause(ms);
                       }});
}
