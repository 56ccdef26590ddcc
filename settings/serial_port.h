#pragma once
// The serial port and GPS group: baud rate, port mode, the GPS sentences the
// adapter handles with message send, and the 29-character GPS message.

#include "device/commands.h"
#include "device/vendor_link.h"
#include "settings/pause.h"

#include <cstdint>
#include <optional>
#include <string>

namespace settings {

struct SerialPortValues {
    std::optional<std::uint8_t> baudCode;  // the baud rate / 100
    std::optional<std::uint8_t> modeCode;
    std::optional<std::uint8_t> gpsBits;
    std::optional<std::string> gpsMessage;  // up to 29 bytes

    bool operator==(const SerialPortValues&) const = default;
};

// Baud codes and mode codes that the dialog offers.
inline constexpr std::uint8_t BaudCodes[] = {192, 96, 48, 12};
inline constexpr std::uint8_t ModeCodes[] = {0, 5, 6, 1, 2};
// The GPS bits that have a control: the five sentences and message send.
inline constexpr std::uint8_t GpsBitsMask =
    gps::Gprmc | gps::Gpgga | gps::Gpgll | gps::Gpgsa | gps::Gpvtg | gps::MessageSend;

struct SerialPortRead {
    // False when the baud rate read fails: then nothing else is read.
    bool answered = false;
    SerialPortValues values;
};

// 0xB1, 0xB3, 0xB5, then the message rewound with the write form of 0xB8.
SerialPortRead readSerialPort(VendorLink& link);

struct SerialPortSave {
    // The adapter refused the baud rate: nothing after it was sent.
    bool baudRefused = false;
    SerialPortValues readBack;
};

// Each setting that is there is written and read back at once; the message
// is written and, after 200 ms, read back.
SerialPortSave saveSerialPort(VendorLink& link, const Pause& pause, const SerialPortValues& values);

}  // namespace settings
