#pragma once
// The transfer shapes of every vendor request, and the chunked text moves
// built from them. wIndex is always 0 and the time-out always 100 ms.

#include "device/transport.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Which bmRequestType a zero-length signal is sent with.
enum class ZeroForm { Read, Write };

class VendorLink {
public:
    explicit VendorLink(Transport& transport) : transport_(transport) {}

    // Reads up to `length` (0 to 8) bytes into `buffer`: bmRequestType 0xC0, wValue 0.
    int VendorRead(std::uint8_t code, std::uint8_t* buffer, int length);
    // Writes `value` in wValue with no data stage: bmRequestType 0x40.
    int VendorWriteValue(std::uint8_t code, std::uint16_t value);
    // Writes `length` (1 to 8) bytes in the data stage, wValue 0: bmRequestType 0x40.
    int VendorWriteData(std::uint8_t code, const std::uint8_t* bytes, int length);
    // A one-byte read: the byte, or nothing when the adapter did not answer
    // it (a failure or an answer without the byte).
    std::optional<std::uint8_t> readByte(std::uint8_t code);
    // A read that counts only when all `length` bytes arrive.
    bool readAll(std::uint8_t code, std::uint8_t* buffer, int length);
    // A feature probe: a read whose only use is whether the firmware answers
    // it (a result of 0 or more, whatever the number of bytes).
    bool probe(std::uint8_t code, int length);
    // A request with wValue 0 and no data, a plain signal to the firmware.
    int ZeroLength(std::uint8_t code, ZeroForm form);

    // Chunked read: the rewind signal, then one read per piece into
    // consecutive positions of `block`. The caller zero-fills `block` first.
    // Returns whether the whole text arrived: the rewind and every piece in
    // full. All pieces are asked for either way.
    bool readChunked(std::uint8_t rewindCode, ZeroForm rewindForm, std::uint8_t readCode, std::span<std::uint8_t> block,
                     std::span<const int> plan);
    // Chunked write: 0xE4 opens the text write, then one data write per piece
    // from consecutive positions of `block`. Results are not judged.
    void writeChunked(std::uint8_t writeCode, std::span<const std::uint8_t> block, std::span<const int> plan);

    // The transport the requests go through.
    Transport& transport() const { return transport_; }

private:
    Transport& transport_;
};
