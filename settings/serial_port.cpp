#include "settings/serial_port.h"

#include "device/commands.h"
#include "device/encodings.h"

#include <array>

namespace settings {
namespace {

std::optional<std::string> readGpsMessage(VendorLink& link, ZeroForm rewindForm)
{
    std::array<std::uint8_t, enc::GpsBlockSize> block{};
    if (!link.readChunked(cmd::RewindGpsMessage, rewindForm, cmd::ReadGpsMessage, block, enc::Plan29))
        return std::nullopt;
    return enc::textUpToNul(block);
}

// Writes one setting and reads it back at once. With `refusalEnds`, a write
// the adapter refuses is not read back and false is returned.
bool saveOne(VendorLink& link, std::optional<std::uint8_t> value, std::uint8_t writeCode, std::uint8_t readCode,
             std::optional<std::uint8_t>& readBack, bool refusalEnds = false)
{
    if (!value) return true;
    std::uint8_t byte = *value;
    if (link.VendorWriteValue(writeCode, byte) < 0 && refusalEnds) return false;
    if (link.readAll(readCode, &byte, 1)) readBack = byte;
    return true;
}

}  // namespace

SerialPortRead readSerialPort(VendorLink& link)
{
    SerialPortRead read;
    std::uint8_t byte = 0;
    const int baud = link.VendorRead(cmd::ReadBaudRate, &byte, 1);
    if (baud < 0) return read;
    read.answered = true;
    if (baud == 1) read.values.baudCode = byte;
    read.values.modeCode = link.readByte(cmd::ReadSerialMode);
    read.values.gpsBits = link.readByte(cmd::ReadGpsBits);
    read.values.gpsMessage = readGpsMessage(link, ZeroForm::Write);
    return read;
}

SerialPortSave saveSerialPort(VendorLink& link, const Pause& pause, const SerialPortValues& values)
{
    SerialPortSave save;
    SerialPortValues& back = save.readBack;
    if (!saveOne(link, values.baudCode, cmd::WriteBaudRate, cmd::ReadBaudRate, back.baudCode, true)) {
        save.baudRefused = true;
        return save;
    }
    saveOne(link, values.modeCode, cmd::WriteSerialMode, cmd::ReadSerialMode, back.modeCode);
    saveOne(link, values.gpsBits, cmd::WriteGpsBits, cmd::ReadGpsBits, back.gpsBits);
    if (values.gpsMessage) {
        link.writeChunked(cmd::WriteGpsMessage, enc::gpsBlock(*values.gpsMessage), enc::Plan29);
        pause(pause_ms::BeforeReadBack);
        back.gpsMessage = readGpsMessage(link, ZeroForm::Read);
    }
    return save;
}

}  // namespace settings
