// A whole Save of the beacon dialog over arbitrary interval and message
// texts: the interval is written in range or refused with its message, and
// the message always goes out as its 20-byte block in pieces of 8, 8 and 4.

#include "device/encodings.h"
#include "dialogs/unit17.h"
#include "dialogs/wire_text.h"
#include "fuzz/save_checks.h"

#include <QLineEdit>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::startApplication();
    static fuzz::Adapter* adapter = new fuzz::Adapter;
    static TForm17* dialog = new TForm17(adapter->context());

    fuzz::Input in(data, size);
    QLineEdit* timer = dialog->findChild<QLineEdit*>("BeaconTimer");
    QLineEdit* message = dialog->findChild<QLineEdit*>("BeaconMessage");
    timer->setText(fuzz::typed(in.field()));
    message->setText(fuzz::typed(in.rest()));
    const auto block = enc::messageBlock(wire::fromText(message->text()));

    adapter->emulator.clearLog();
    adapter->host.messages.clear();
    dialog->Save1Click();
    const auto& log = adapter->emulator.log();

    fuzz::checkWire(log);
    fuzz::checkMessages(adapter->host.messages, {"Invalid character in Beacon Interval Timer",
                                                 "Invalid value in Beacon Interval Timer (Max. value is 2550 Sec.)"});
    const auto intervals = fuzz::writesOf(log, 0x4B);
    FUZZ_CHECK(intervals.size() + adapter->host.messages.size() == 1, "interval written %zu times, %lld messages",
               intervals.size(), static_cast<long long>(adapter->host.messages.size()));
    std::vector<std::uint8_t> sent;
    for (const emu::LogEntry* e : fuzz::writesOf(log, 0xED)) sent.insert(sent.end(), e->data.begin(), e->data.end());
    FUZZ_CHECK(sent == std::vector<std::uint8_t>(block.begin(), block.end()), "message block");
    return 0;
}
