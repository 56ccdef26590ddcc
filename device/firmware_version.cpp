#include "device/firmware_version.h"

#include "device/commands.h"
#include "device/vendor_link.h"

#include <algorithm>
#include <cstring>

namespace firmware {

std::string assembleVersion(const std::function<int(std::uint8_t* piece)>& readPiece)
{
    std::string text;
    int n = 0;
    do {
        std::uint8_t piece[8] = {};
        n = readPiece(piece);
        if (n > 0) {
            const std::size_t room = MaxVersionLength - text.size();
            const std::size_t take = std::min<std::size_t>(room, static_cast<std::size_t>(std::min(n, 8)));
            text.append(reinterpret_cast<const char*>(piece), take);
        }
    } while (n == 8 && text.size() < MaxVersionLength);
    return text.substr(0, std::min(text.size(), std::strlen(text.c_str())));
}

std::string readVersion(VendorLink& link)
{
    return assembleVersion(
        [&link](std::uint8_t* piece) { return link.VendorRead(cmd::ReadFirmwareVersion, piece, 8); });
}

}  // namespace firmware
