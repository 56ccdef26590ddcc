#pragma once
// The adapter's vendor request codes, one named constant per code.
// Read codes return a value, write codes set one; each value has both.

#include <cstdint>

namespace cmd {

// Identification
inline constexpr std::uint8_t ReadFirmwareVersion = 0xFF;

// Status block: repeater switches, slow data switches, alternative flag byte
inline constexpr std::uint8_t ReadStatusBlock = 0xAF;

// Basic settings
inline constexpr std::uint8_t ReadDelayTime = 0x52;
inline constexpr std::uint8_t WriteDelayTime = 0x02;
inline constexpr std::uint8_t ReadTimeOut = 0x51;
inline constexpr std::uint8_t WriteTimeOut = 0x01;
inline constexpr std::uint8_t ReadKeepAlive = 0x53;
inline constexpr std::uint8_t WriteKeepAlive = 0x03;
inline constexpr std::uint8_t ReadResyncErrorBits = 0x54;
inline constexpr std::uint8_t WriteResyncErrorBits = 0x04;
inline constexpr std::uint8_t ReadLastFrameErrorBits = 0x5B;
inline constexpr std::uint8_t WriteLastFrameErrorBits = 0x5A;
inline constexpr std::uint8_t ReadOptionFlags = 0x56;
inline constexpr std::uint8_t WriteCrcCheck = 0x07;
inline constexpr std::uint8_t WriteLastFrameSend = 0x0A;
inline constexpr std::uint8_t WriteDuplex = 0x0E;
inline constexpr std::uint8_t WriteCosCheck = 0x06;
inline constexpr std::uint8_t ReadPreBitPattern = 0xE2;
inline constexpr std::uint8_t WritePreBitPattern = 0xE0;
inline constexpr std::uint8_t ReadPostBitPattern = 0xE3;
inline constexpr std::uint8_t WritePostBitPattern = 0xE1;
inline constexpr std::uint8_t ReadPolarityFlags = 0xD0;
inline constexpr std::uint8_t WriteTxInvert = 0xD2;
inline constexpr std::uint8_t WriteRxInvert = 0xD1;
inline constexpr std::uint8_t WriteAutoRxPolarity = 0xD3;
inline constexpr std::uint8_t ReadSquelchLevel = 0x72;
inline constexpr std::uint8_t WriteSquelchLevel = 0x71;
inline constexpr std::uint8_t ReadJitterBuffer = 0x58;
inline constexpr std::uint8_t WriteJitterBuffer = 0x4A;

// Repeater settings: call signs
inline constexpr std::uint8_t ReadMyRepeaterCall = 0x55;
inline constexpr std::uint8_t WriteMyRepeaterCall = 0x46;
inline constexpr std::uint8_t ReadAltMyCall = 0xA8;
inline constexpr std::uint8_t WriteAltMyCall = 0xA0;
inline constexpr std::uint8_t ReadAltMyCall2 = 0xA9;
inline constexpr std::uint8_t WriteAltMyCall2 = 0xA1;
inline constexpr std::uint8_t ReadAltYourCall = 0xAA;
inline constexpr std::uint8_t WriteAltYourCall = 0xA2;
inline constexpr std::uint8_t ReadAltRpt1Call = 0xAB;
inline constexpr std::uint8_t WriteAltRpt1Call = 0xA3;
inline constexpr std::uint8_t ReadAltRpt2Call = 0xAC;
inline constexpr std::uint8_t WriteAltRpt2Call = 0xA4;

// Repeater settings: switches and the alternative flag byte
inline constexpr std::uint8_t WriteCallCheck = 0x90;
inline constexpr std::uint8_t WriteDupCheck = 0x91;
inline constexpr std::uint8_t WriteDupClear = 0x92;
inline constexpr std::uint8_t WriteReplaceMyCall = 0x93;
inline constexpr std::uint8_t WriteReplaceMyCall2 = 0x94;
inline constexpr std::uint8_t WriteReplaceYourCall = 0x95;
inline constexpr std::uint8_t WriteReplaceRpt1Call = 0x96;
inline constexpr std::uint8_t WriteReplaceRpt2Call = 0x97;
inline constexpr std::uint8_t WriteAltFlagByte = 0x98;
inline constexpr std::uint8_t WriteReplaceFlag = 0x99;

// Slow data
inline constexpr std::uint8_t WriteSlowDataBefore = 0xE5;
inline constexpr std::uint8_t WriteSlowDataAfter = 0xE7;
inline constexpr std::uint8_t WriteDigitalCodeInsert = 0xE8;
inline constexpr std::uint8_t WriteDigitalCode = 0xE9;
inline constexpr std::uint8_t ReadDigitalCode = 0xEA;
inline constexpr std::uint8_t StartTextWrite = 0xE4;
inline constexpr std::uint8_t WriteSlowDataMessage = 0xE6;
inline constexpr std::uint8_t RewindSlowDataMessage = 0xEB;
inline constexpr std::uint8_t ReadSlowDataMessage = 0xEC;

// Beacon
inline constexpr std::uint8_t ReadBeaconInterval = 0x59;
inline constexpr std::uint8_t WriteBeaconInterval = 0x4B;
inline constexpr std::uint8_t WriteBeaconMessage = 0xED;
inline constexpr std::uint8_t BeaconCommit = 0x00;
inline constexpr std::uint8_t RewindBeaconMessage = 0xEE;
inline constexpr std::uint8_t ReadBeaconMessage = 0xEF;

// Serial port and GPS
inline constexpr std::uint8_t ReadBaudRate = 0xB1;
inline constexpr std::uint8_t WriteBaudRate = 0xB0;
inline constexpr std::uint8_t ReadSerialMode = 0xB3;
inline constexpr std::uint8_t WriteSerialMode = 0xB2;
inline constexpr std::uint8_t ReadGpsBits = 0xB5;
inline constexpr std::uint8_t WriteGpsBits = 0xB4;
inline constexpr std::uint8_t WriteGpsMessage = 0xB6;
inline constexpr std::uint8_t RewindGpsMessage = 0xB8;
inline constexpr std::uint8_t ReadGpsMessage = 0xB7;

}  // namespace cmd

// Bits of the status block (request 0xAF, 3 bytes).
namespace status_bit {
inline constexpr std::uint8_t CallCheck = 0x01;          // byte 0
inline constexpr std::uint8_t DupCheck = 0x02;           // byte 0
inline constexpr std::uint8_t DupClear = 0x04;           // byte 0
inline constexpr std::uint8_t ReplaceMyCall = 0x08;      // byte 0
inline constexpr std::uint8_t ReplaceMyCall2 = 0x10;     // byte 0
inline constexpr std::uint8_t ReplaceYourCall = 0x20;    // byte 0
inline constexpr std::uint8_t ReplaceRpt1 = 0x40;        // byte 0
inline constexpr std::uint8_t ReplaceRpt2 = 0x80;        // byte 0
inline constexpr std::uint8_t ReplaceFlag = 0x01;        // byte 1
inline constexpr std::uint8_t SlowDataBefore = 0x02;     // byte 1
inline constexpr std::uint8_t SlowDataAfter = 0x04;      // byte 1
inline constexpr std::uint8_t DigitalCodeInsert = 0x08;  // byte 1
}  // namespace status_bit

// Bits of the basic option flags byte (request 0x56).
namespace option {
inline constexpr std::uint8_t CrcCheck = 0x02;
inline constexpr std::uint8_t CosCheck = 0x04;
inline constexpr std::uint8_t LastFrameSend = 0x08;
inline constexpr std::uint8_t HalfDuplex = 0x80;
}  // namespace option

// Bits of the polarity flags byte (request 0xD0).
namespace polarity {
inline constexpr std::uint8_t TxInvert = 0x01;
inline constexpr std::uint8_t RxInvert = 0x02;
inline constexpr std::uint8_t AutoRx = 0x80;
}  // namespace polarity

// Bits of the GPS message byte (request 0xB5).
namespace gps {
inline constexpr std::uint8_t Gprmc = 0x01;
inline constexpr std::uint8_t Gpgga = 0x02;
inline constexpr std::uint8_t Gpgll = 0x04;
inline constexpr std::uint8_t Gpgsa = 0x08;
inline constexpr std::uint8_t Gpvtg = 0x10;
inline constexpr std::uint8_t MessageSend = 0x80;
}  // namespace gps
