// The pure encodings between control texts and wire bytes.

#include "device/encodings.h"
#include "device/firmware_version.h"
#include "device/latin1.h"

#include <gtest/gtest.h>

#include <deque>

using namespace enc;
using Bytes = std::vector<std::uint8_t>;

namespace {

Bytes bytes(std::string_view s) { return Bytes(s.begin(), s.end()); }

TEST(CallSignField, CutsOrPadsWithSpaces)
{
    const struct {
        std::string text;
        std::size_t width;
        std::string wire;
    } cases[] = {
        {"", 8, "        "},         {"ABC", 8, "ABC     "},  {"ABCDEFGHIJ", 8, "ABCDEFGH"},
        {"ABCDEF", 4, "ABCD"},       {"", 4, "    "},         {" A B", 8, " A B    "},
        {"JP1YIU A", 8, "JP1YIU A"},
    };
    for (const auto& c : cases) EXPECT_EQ(callSignField(c.text, c.width), bytes(c.wire)) << c.text;
}

TEST(TextUpToNul, StopsAtTheFirstZeroByteAndKeepsTrailingBlanks)
{
    const Bytes padded = bytes("AB      ");
    EXPECT_EQ(textUpToNul(padded), "AB      ");
    const Bytes withNul = {'A', 'B', 0, 'C', 'D', 0, 0, 0};
    EXPECT_EQ(textUpToNul(withNul), "AB");
    EXPECT_EQ(textUpToNul(Bytes(8, 0)), "");
}

TEST(MessageBlocks, SlowDataAndBeaconPadWithZerosGpsWithSpaces)
{
    auto message = messageBlock("HELLO");
    EXPECT_EQ(Bytes(message.begin(), message.begin() + 5), bytes("HELLO"));
    EXPECT_TRUE(std::all_of(message.begin() + 5, message.end(), [](auto b) { return b == 0; }));
    auto cut = messageBlock("ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_EQ(Bytes(cut.begin(), cut.end()), bytes("ABCDEFGHIJKLMNOPQRST"));

    auto gps = gpsBlock("ABC");
    EXPECT_EQ(Bytes(gps.begin(), gps.end()), bytes("ABC" + std::string(26, ' ')));
    auto gpsCut = gpsBlock(std::string(40, 'G'));
    EXPECT_EQ(Bytes(gpsCut.begin(), gpsCut.end()), Bytes(29, 'G'));

    int total20 = 0, total29 = 0;
    for (int piece : Plan20) total20 += piece;
    for (int piece : Plan29) total29 += piece;
    EXPECT_EQ(total20, 20);
    EXPECT_EQ(total29, 29);
}

TEST(Squelch, LevelFromItsTwoBytes)
{
    const struct {
        std::uint8_t b0, b1;
        int level;
    } cases[] = {{0xFF, 0xC0, 1023}, {0x00, 0x40, 1}, {0x80, 0x3F, 512},
                 {0x00, 0x00, 0},    {0xFF, 0xFF, 1023}, {0x01, 0x80, 6}};
    for (const auto& c : cases) EXPECT_EQ(squelchLevel(c.b0, c.b1), c.level);
    for (int level = 0; level < 1024; ++level) {
        const auto b = squelchBytes(level);
        ASSERT_EQ(squelchLevel(b[0], b[1]), level);
    }
}

TEST(PackedCode, LowNibblesOfTheFirstTwoCharacters)
{
    const struct {
        std::string text;
        std::uint8_t byte;
    } cases[] = {{"12", 0x12}, {"7", 0x70}, {"", 0x00}, {"123", 0x12},
                 {"ab", 0x12}, {"99", 0x99}, {"05", 0x05}, {" 5", 0x05}};
    for (const auto& c : cases) EXPECT_EQ(packedCode(c.text), c.byte) << c.text;
}

TEST(HexPair, UpperCaseDigitsOnlyFirstTwoCharacters)
{
    const struct {
        std::string text;
        std::uint8_t byte;
    } cases[] = {{"F0", 0xF0}, {"F", 0xF0},  {"0F", 0x0F},  {"G1", 0x01}, {"F0XYZ", 0xF0},
                 {" 6", 0x06}, {"6", 0x60},  {"  ", 0x00},  {"", 0x00},   {"f0", 0x00},
                 {"66", 0x66}, {"FF", 0xFF}, {"AB", 0xAB}};
    for (const auto& c : cases) EXPECT_EQ(hexPair(c.text), c.byte) << "'" << c.text << "'";
}

TEST(Words, OnAndHalfDuplex)
{
    EXPECT_TRUE(isOnWord("ON"));
    for (const char* text : {"OFF", "ON ", "on", "", "ONE", " ON"}) EXPECT_FALSE(isOnWord(text)) << text;
    for (const char* text : {"HALF DUPLEX", "HALF", "HALFWAY"}) EXPECT_TRUE(isHalfDuplexWord(text));
    for (const char* text : {"FULL DUPLEX", "HAL", "", "half", " HALF"})
        EXPECT_FALSE(isHalfDuplexWord(text)) << text;
}

TEST(DisplayFormats, PrintfConversions)
{
    EXPECT_EQ(formatDecimal(0), "0");
    EXPECT_EQ(formatDecimal(2550), "2550");
    EXPECT_EQ(formatTens(0), "00");
    EXPECT_EQ(formatTens(255), "2550");
    EXPECT_EQ(formatHexPadded(0x00), "  ");
    EXPECT_EQ(formatHexPadded(0x06), " 6");
    EXPECT_EQ(formatHexPadded(0xF0), "f0");
    EXPECT_EQ(formatHex2(0x05), "05");
    EXPECT_EQ(formatHex2(0xAB), "ab");
    EXPECT_EQ(formatHex2(0x00), "00");
}

TEST(NumberField, FirstCharactersCutAtTheFirstBlankThenConverted)
{
    const struct {
        std::string text;
        std::size_t n;
        std::optional<std::int32_t> number;
    } cases[] = {
        {"2550", 8, 2550},        {"", 8, std::nullopt},       {"12 34", 8, 12},
        {" 12", 8, std::nullopt}, {"12a", 8, std::nullopt},    {"-1", 8, -1},
        {"+7", 8, 7},             {"-", 8, std::nullopt},      {"123456789", 8, 12345678},
        {"12345", 4, 1234},       {"255 999", 4, 255},         {"2147483647", 10, 2147483647},
        {"2147483648", 10, std::nullopt}, {"-2147483648", 11, INT32_MIN},
        {"-2147483649", 11, std::nullopt}, {"0x10", 8, std::nullopt}, {"1e3", 8, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseNumberField(c.text, c.n), c.number) << c.text;
}

TEST(NumberField, NegativeNumbersExceedEveryMaximum)
{
    EXPECT_TRUE(exceedsMax(-1, 2550));
    EXPECT_TRUE(exceedsMax(INT32_MIN, 24));
    EXPECT_FALSE(exceedsMax(2550, 2550));
    EXPECT_TRUE(exceedsMax(2551, 2550));
    EXPECT_FALSE(exceedsMax(0, 0));
}

TEST(Latin1, OneBytePerCharacterQuestionMarkForTheRest)
{
    EXPECT_EQ(wire::fromText(QStringLiteral("ABC")), "ABC");
    EXPECT_EQ(wire::fromText(QString::fromUtf8("\xC3\x84" "B")), std::string("\xC4" "B"));
    EXPECT_EQ(wire::fromText(QString::fromUtf8("\xE2\x82\xAC" "1")), "?1");          // euro sign
    EXPECT_EQ(wire::fromText(QString::fromUtf8("\xF0\x9F\x93\xBB" "X")), "?X");      // outside the BMP
    EXPECT_EQ(wire::toText(std::string("\xC4", 1)), QString::fromUtf8("\xC3\x84"));
}

// Firmware version assembly from a scripted stream of piece results.
std::string assemble(std::deque<std::pair<int, std::string>> pieces, int* reads = nullptr)
{
    int count = 0;
    std::string text = firmware::assembleVersion([&](std::uint8_t* piece) {
        ++count;
        if (pieces.empty()) return -110;
        auto [result, data] = pieces.front();
        pieces.pop_front();
        std::copy(data.begin(), data.end(), piece);
        return result;
    });
    if (reads) *reads = count;
    return text;
}

TEST(FirmwareVersion, AppendsWhilePiecesAreFull)
{
    int reads = 0;
    EXPECT_EQ(assemble({{8, "01234567"}, {8, "89ABCDEF"}, {0, ""}}, &reads), "0123456789ABCDEF");
    EXPECT_EQ(reads, 3);
    EXPECT_EQ(assemble({{8, "PIC V01."}, {3, "07x"}}, &reads), "PIC V01.07x");
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(assemble({{-32, ""}}, &reads), "");
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(assemble({{8, "12345678"}, {-110, ""}}), "12345678");
    EXPECT_EQ(assemble({{8, std::string("AB\0CDEFG", 8)}, {0, ""}}), "AB");
    EXPECT_EQ(assemble({{9, "12345678"}}), "12345678");  // never more than a piece holds
}

TEST(FirmwareVersion, NeverGrowsBeyond255Characters)
{
    int reads = 0;
    const std::string text = firmware::assembleVersion([&](std::uint8_t* piece) {
        ++reads;
        std::fill(piece, piece + 8, 'V');
        return 8;
    });
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(reads, 32);
}

}  // namespace
