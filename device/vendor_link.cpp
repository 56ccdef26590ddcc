#include "device/vendor_link.h"

#include "device/commands.h"

#include <algorithm>
#include <cassert>

int VendorLink::VendorRead(std::uint8_t code, std::uint8_t* buffer, int length)
{
    assert(length >= 0 && length <= usbreq::MaxTransfer);
    return transport_.controlRequest(usbreq::VendorIn, code, 0, 0, buffer, length, usbreq::TimeoutMs);
}

int VendorLink::VendorWriteValue(std::uint8_t code, std::uint16_t value)
{
    return transport_.controlRequest(usbreq::VendorOut, code, value, 0, nullptr, 0, usbreq::TimeoutMs);
}

int VendorLink::VendorWriteData(std::uint8_t code, const std::uint8_t* bytes, int length)
{
    assert(length > 0 && length <= usbreq::MaxTransfer);
    // The transport takes a mutable pointer because reads share the call;
    // a host-to-device request never writes into it.
    std::uint8_t copy[usbreq::MaxTransfer];
    std::copy_n(bytes, length, copy);
    return transport_.controlRequest(usbreq::VendorOut, code, 0, 0, copy, length, usbreq::TimeoutMs);
}

std::optional<std::uint8_t> VendorLink::readByte(std::uint8_t code)
{
    std::uint8_t byte = 0;
    if (!readAll(code, &byte, 1)) return std::nullopt;
    return byte;
}

bool VendorLink::readAll(std::uint8_t code, std::uint8_t* buffer, int length)
{
    return VendorRead(code, buffer, length) == length;
}

bool VendorLink::probe(std::uint8_t code, int length)
{
    std::uint8_t buffer[usbreq::MaxTransfer] = {};
    return VendorRead(code, buffer, length) >= 0;
}

int VendorLink::ZeroLength(std::uint8_t code, ZeroForm form)
{
    const std::uint8_t type = form == ZeroForm::Read ? usbreq::VendorIn : usbreq::VendorOut;
    return transport_.controlRequest(type, code, 0, 0, nullptr, 0, usbreq::TimeoutMs);
}

bool VendorLink::readChunked(std::uint8_t rewindCode, ZeroForm rewindForm, std::uint8_t readCode,
                             std::span<std::uint8_t> block, std::span<const int> plan)
{
    // Without the rewind the pieces may start anywhere in the text.
    bool whole = ZeroLength(rewindCode, rewindForm) >= 0;
    std::size_t offset = 0;
    for (int piece : plan) {
        assert(offset + static_cast<std::size_t>(piece) <= block.size());
        whole = readAll(readCode, block.data() + offset, piece) && whole;
        offset += static_cast<std::size_t>(piece);
    }
    return whole;
}

void VendorLink::writeChunked(std::uint8_t writeCode, std::span<const std::uint8_t> block, std::span<const int> plan)
{
    VendorWriteValue(cmd::StartTextWrite, 0);
    std::size_t offset = 0;
    for (int piece : plan) {
        assert(offset + static_cast<std::size_t>(piece) <= block.size());
        VendorWriteData(writeCode, block.data() + offset, piece);
        offset += static_cast<std::size_t>(piece);
    }
}
