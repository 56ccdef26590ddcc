// The firmware version text built from its pieces, and the encodings that
// no dialog test reaches.

#include "device/encodings.h"
#include "device/firmware_version.h"
#include "device/latin1.h"

#include <gtest/gtest.h>

namespace {

// The other encodings of the dialogs are held by the dialogs' own load and
// Save tables, from the control's text to the bytes on the wire and back.
TEST(Encodings, APlusSignAndACharacterOutsideTheBasicPlane)
{
    EXPECT_EQ(enc::parseNumberField("+7", 8), 7);
    EXPECT_EQ(wire::fromText(QString::fromUtf8("\xF0\x9F\x93\xBB" "X")), "?X");  // one '?' for the pair
}

TEST(Encodings, DigitalCodeIsTwoHexadecimalDigits)
{
    const struct {
        const char* text;
        std::optional<std::uint8_t> byte;
    } cases[] = {{"12", 0x12}, {"7", 0x70},    {"", 0x00},         {"123", 0x12},
                 {"ab", 0xAB}, {"Ff", 0xFF},   {"1g", std::nullopt}, {" 1", std::nullopt},
                 {"g", std::nullopt}, {"9:", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(enc::codeByte(c.text), c.byte) << '"' << c.text << '"';
}

TEST(FirmwareVersion, AppendsPiecesWhileTheyAreFullUpTo255Characters)
{
    const struct {
        const char* label;
        std::vector<std::pair<int, std::string>> pieces;  // then full pieces of 'V' without end
        std::string shown;
        int reads;
    } cases[] = {
        {"SixteenThenEmpty", {{8, "01234567"}, {8, "89ABCDEF"}, {0, ""}}, "0123456789ABCDEF", 3},
        {"ElevenInTwo", {{8, "PIC V01."}, {3, "07x"}}, "PIC V01.07x", 2},
        {"FirstReadFails", {{-32, ""}}, "", 1},
        {"FailureEndsTheText", {{8, "12345678"}, {-110, ""}}, "12345678", 2},
        {"NulEndsWhatIsShown", {{8, std::string("AB\0CDEFG", 8)}, {0, ""}}, "AB", 2},
        {"NeverMoreThanAPieceHolds", {{9, "12345678"}}, "12345678", 1},
        {"NeverEnding", {}, std::string(255, 'V'), 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        std::size_t next = 0;
        int reads = 0;
        const std::string shown = firmware::assembleVersion([&](std::uint8_t* piece) {
            ++reads;
            if (next == c.pieces.size()) {
                std::fill_n(piece, 8, 'V');
                return 8;
            }
            const auto& [result, bytes] = c.pieces[next++];
            std::copy(bytes.begin(), bytes.end(), piece);
            return result;
        });
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(reads, c.reads);
    }
}

}  // namespace
