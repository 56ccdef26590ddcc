// The pure encodings between what the dialogs show and the bytes on the wire,
// and the firmware version text built from its pieces.

#include "device/encodings.h"
#include "device/firmware_version.h"
#include "device/latin1.h"

#include <gtest/gtest.h>

namespace {

// Latin-1 and UTF-8 both ways: strict for a settings file (nothing when a
// character does not fit), lossy for what a user types ('?' per character).
TEST(Encodings, Latin1AndUtf8)
{
    const struct {
        const char* utf8;
        std::optional<std::string> strict;
        const char* lossy;
    } cases[] = {
        {"AZ az 09", "AZ az 09", "AZ az 09"},
        {"\xC2\x80\xC2\xBF\xC3\x80\xC3\xBF", "\x80\xBF\xC0\xFF", "\x80\xBF\xC0\xFF"},
        {"\xE2\x82\xAC"
         "1",
         std::nullopt, "?1"},  // the euro sign: three bytes, one '?'
        {"\xF0\x9F\x93\xBB"
         "X",
         std::nullopt, "?X"},                   // outside the basic plane: one '?'
        {"\xC3", std::nullopt, "?"},            // cut short
        {"\xC0\x80", std::nullopt, "??"},       // overlong NUL
        {"\xED\xA0\x80", std::nullopt, "???"},  // a surrogate
        {"\xE9t\xE9", std::nullopt, "?t?"},     // Latin-1, not UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(latin1::fromUtf8(c.utf8), c.strict) << c.utf8;
        EXPECT_EQ(latin1::fromUtf8Lossy(c.utf8), c.lossy) << c.utf8;
        if (c.strict) {
            EXPECT_EQ(latin1::toUtf8(*c.strict), c.utf8);
        }
    }
    std::string every;
    for (int byte = 0; byte < 256; ++byte) every += static_cast<char>(byte);
    EXPECT_EQ(latin1::fromUtf8(latin1::toUtf8(every)), every);
}

TEST(Encodings, WordsPatternsAndNumberFields)
{
    for (auto [text, byte] : {std::pair{"F0", 0xF0},
                              {"F", 0xF0},
                              {"0F", 0x0F},
                              {"G1", 0x01},
                              {" 6", 0x06},
                              {"  ", 0x00},
                              {"f0", 0x00},
                              {"F0AB", 0xF0}})
        EXPECT_EQ(enc::hexPair(text), byte) << '"' << text << '"';
    for (auto [text, on] : {std::pair{"ON", true}, {"OFF", false}, {"ON ", false}, {"on", false}, {"", false}})
        EXPECT_EQ(enc::isOnWord(text), on) << '"' << text << '"';
    for (auto [text, half] :
         {std::pair{"HALF DUPLEX", true}, {"HALFX", true}, {"HAL", false}, {"FULL DUPLEX", false}, {"", false}})
        EXPECT_EQ(enc::isHalfDuplexWord(text), half) << '"' << text << '"';
    const struct {
        const char* text;
        std::size_t firstN;
        std::optional<std::int32_t> number;
    } numbers[] = {{"12 34", 8, 12},       {" 12", 8, std::nullopt},
                   {"", 8, std::nullopt},  {"12a", 8, std::nullopt},
                   {"-", 8, std::nullopt}, {"-1", 8, -1},
                   {"+7", 8, 7},           {"123456789", 8, 12345678},
                   {"25509", 4, 2550},     {"255 9", 4, 255}};
    for (const auto& c : numbers) EXPECT_EQ(enc::parseNumberField(c.text, c.firstN), c.number) << '"' << c.text << '"';
    EXPECT_TRUE(enc::exceedsMax(-1, 2550));
}

TEST(Encodings, DigitalCodeIsTwoHexadecimalDigits)
{
    const struct {
        const char* text;
        std::optional<std::uint8_t> byte;
    } cases[] = {{"12", 0x12}, {"7", 0x70},          {"", 0x00},           {"123", 0x12},       {"ab", 0xAB},
                 {"Ff", 0xFF}, {"1g", std::nullopt}, {" 1", std::nullopt}, {"g", std::nullopt}, {"9:", std::nullopt}};
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
