// A whole Save of the serial port dialog over arbitrary check states and
// GPS message texts: codes only from their sets, the bits within their
// mask, the message as its 29-byte block, and no message shown.

#include "device/encodings.h"
#include "dialogs/unit12.h"
#include "dialogs/wire_text.h"
#include "fuzz/save_checks.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace {
const char* const Buttons[] = {
    "S19200",        "S9600", "S4800", "S1200", "Command_Mode", "SlowData_Mode", "ShortMessage_Mode", "GPS_RCV_Mode",
    "GPS_SEND_Mode", "GPRMC", "GPGGA", "GPGLL", "GPGSA",        "GPVTG",         "GPS_MsgSend"};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::startApplication();
    static fuzz::Adapter* adapter = new fuzz::Adapter;
    // Built as start-up builds it: the group's read shown.
    static TForm12* dialog = [] {
        auto* built = new TForm12(adapter->context());
        built->showStartUpRead(settings::readSerialPort(adapter->link));
        return built;
    }();

    fuzz::Input in(data, size);
    // Clicks and checks in the order the input gives them.
    const int steps = in.byte() % 16;
    for (int i = 0; i < steps; ++i) {
        const std::uint8_t b = in.byte();
        dialog->findChild<QAbstractButton*>(Buttons[b % 15])->setChecked((b & 0x80) == 0);
    }
    QLineEdit* gps = dialog->findChild<QLineEdit*>("GPS_Message");
    gps->setText(fuzz::typed(in.rest()));
    const auto block = enc::gpsBlock(wire::fromText(gps->text()));

    adapter->emulator.clearLog();
    adapter->host.messages.clear();
    dialog->Save1Click();
    const auto& log = adapter->emulator.log();

    fuzz::checkWire(log);
    FUZZ_CHECK(adapter->host.messages.isEmpty(), "Save shows no message: %s",
               adapter->host.messages.join(QStringLiteral(" / ")).toUtf8().constData());
    std::vector<std::uint8_t> sent;
    for (const emu::LogEntry* e : fuzz::writesOf(log, 0xB6)) sent.insert(sent.end(), e->data.begin(), e->data.end());
    FUZZ_CHECK(sent == std::vector<std::uint8_t>(block.begin(), block.end()), "GPS block");
    return 0;
}
