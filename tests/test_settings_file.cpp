// The settings file: what it writes reads back the same, every problem of a
// file is found on its line, and backup, diff, get and set agree with it.

#include "cli/file_problems.h"
#include "settings_file/key_depth.h"
#include "settings_file/settings_file.h"

#include <gtest/gtest.h>

namespace {

using namespace settings;

TEST(SettingsFile, Layout)
{
    Snapshot s;
    s.basic.emplace().delayTime = 50;
    s.basic->halfDuplex = true;
    s.basic->preBitPattern = 0x06;
    s.beacon = BeaconValues{"N0CALL", 30};
    s.serialPort = SerialPortValues{5, 3, std::nullopt, std::nullopt};
    Features features{false, true, true, {true, false}};
    EXPECT_EQ(writeSettingsFile(s, {"3.6",
                                    "DVB\x01"
                                    "1.0\xE9",
                                    features}),
              R"(format = 1
# Settings of a DV Brisel adapter, written by brisel-setting 3.6
# Firmware: DVB?1.0é
# Optional features: slow data no, beacon yes, serial port yes, S/N squelch yes, jitter buffer no

[basic]
delay_time_ms = 500  # ms, 0 to 2550 in steps of 10
# time_out_s: not read
# keep_alive_ms: not read
# resync_error_bits: not read
# last_frame_error_bits: not read
# crc_check: not read
# cos_check: not read
# last_frame_send: not read
half_duplex = true  # true: half duplex, false: full duplex
pre_bit_pattern = 0x06  # 0x00 to 0xFF, recommended 0xF0
# post_bit_pattern: not read
# tx_invert: not read
# rx_invert: not read
# auto_rx_detect: not read
# squelch_level: not read
# jitter_buffer_size: not read

[beacon]
message = "N0CALL"  # up to 20 characters, Latin-1
interval_s = 300  # s, 0 to 2550 in steps of 10

[serial_port]
# baud_rate = 500 is left out: 500 is not one of 19200, 9600, 4800 or 1200
# mode = 3 is left out: code 3 has no button; expected one of command, gps_receive, gps_send, slow_data or short_message
# gprmc: not read
# gpgga: not read
# gpgll: not read
# gpgsa: not read
# gpvtg: not read
# message_send: not read
# gps_message: not read
)");
    EXPECT_EQ(valueText(s, "serial_port.mode"), "3");
}

TEST(SettingsFile, EveryProblemOnItsLine)
{
    const struct {
        const char* text;
        std::vector<int> lines;
        const char* first;  // part of the first problem's text
    } files[] = {
        {"format = 1\n[basic\n", {2}, ""},
        {"format = 1\n[basic]\ndelay_time_ms = 10\ndelay_time_ms = 20\n", {4}, "delay_time_ms"},
        {"format = 1\n[basic]\ndelay_time_ms = 505\n", {3}, "not a multiple of 10"},
        {"format = 1\n[basic]\ndelay_time_ms = 2560\nresync_error_bits = -1\nsquelch_level = 1024\n",
         {3, 4, 5},
         "2560 is outside 0 to 2550"},
        {"format = 1\n[basic]\ncrc_check = 1\npre_bit_pattern = 0x100\ntime_out_s = 1.0\n",
         {3, 4, 5},
         "expected true or false"},
        {"format = 1\n[repeater]\nalt_my_call2 = \"ABCDE\"\nmy_repeater_call = \"N0CALL  X\"\nflag_byte = true\n",
         {3, 4, 5},
         "alt_my_call2: is 5 characters long, more than 4"},
        {"format = 1\n[slow_data]\nmessage = \"\xE2\x82\xAC\"\n\n[beacon]\nmessage = \"a\\u0000b\"\n"
         "\n[serial_port]\ngps_message = \"123456789012345678901234567890\"\n",
         {3, 6, 9},
         "Latin-1"},
        {"format = 1\n[beacon]\nmessage = \"123456789012345678901\"\n", {3}, "more than 20"},
        {"format = 1\n[serial_port]\nbaud_rate = 4801\nmode = \"fast\"\nmode_code = 1\n", {3, 4, 5}, "4801"},
        {"format = 1\n[serial_port]\ngprmc = true\n", {2}, "all six"},
        {"format = 2\n[basic]\nfoo = 1\n", {1}, "newer"},
        {"format = 0\n", {1}, "unknown"},
        {"format = \"1\"\n", {1}, "expected"},
        {"[basic]\ndelay_time_ms = 10\n", {1}, "missing"},
        {"format = 1\n[bsic]\n[basic]\nfoo = 1\n", {2, 4}, "bsic"},
        {"format = 1\nbasic = 5\n", {2}, "table"},
    };
    for (const auto& file : files) {
        const FileContents read = readSettingsFile(file.text);
        std::vector<int> lines;
        for (const FileProblem& p : read.problems) lines.push_back(p.line);
        EXPECT_EQ(lines, file.lines) << file.text;
        if (!read.problems.empty()) {
            const std::string first = fileProblemText(read.problems.front());
            EXPECT_NE(first.find(file.first), std::string::npos) << first;
        }
    }
}

// Keys nested deeper than any settings key are refused before the parser,
// which would recurse once per part; dots inside texts and comments are not
// parts of a key.
TEST(SettingsFile, DeepKeysAreRefusedOnTheirLine)
{
    auto chain = [](std::size_t parts, const std::string& part) {
        std::string key = part;
        for (std::size_t i = 1; i < parts; ++i) key += "." + part;
        return key;
    };
    const std::string ml = "m = \"\"\"\n" + chain(50, "a") + "\\\"\"\"\"\"\n";
    const struct {
        std::string text;
        int line;  // 0: not too deep
    } files[] = {
        {"format = 1\n[" + chain(40000, "a") + "]\n", 2},
        {"format = 1\n[basic]\n" + chain(50000, "a") + " = 1\n", 3},
        {"format = 1\n\n[[" + chain(9, "\"q.q\"") + "]]\n", 3},
        {"format = 1\nx = { " + chain(5, "a") + " . " + chain(4, "'b'") + " = 1 }\n", 2},
        {"format = 1\n[" + chain(8, "a") + "]\n" + chain(8, "'b'") + " = 1.5\n", 0},
        {"s = \"" + chain(50, "a") + "\"\nl = '" + chain(50, "a") + "'\n# " + chain(50, "a") + "\n", 0},
        {"q = \"\\\" " + chain(50, "a") + "\"\n" + ml + "l = '''" + chain(50, "a") + "'''\n", 0},
        {ml + chain(9, "a") + " = 1\n", 3},
        {"x = { m = \"\"\"a\"\"\"\", " + chain(9, "b") + " = 1 }\n", 1},
    };
    for (const auto& file : files) {
        const std::optional<DeepKey> deep = findDeepKey(file.text);
        EXPECT_EQ(deep ? deep->line : 0, file.line) << file.text.substr(0, 200);
        if (!deep) continue;
        const FileContents read = readSettingsFile(file.text);
        ASSERT_EQ(read.problems.size(), 1u);
        EXPECT_EQ(read.problems[0].line, file.line);
    }
}

TEST(SettingsFile, DifferencesAsTheAdapterStoresThem)
{
    auto repeater = [](std::string call, std::uint8_t flag) {
        Snapshot s;
        s.repeater = RepeaterValues{{std::move(call)}, {}, flag};
        return s;
    };
    auto texts = [](std::string message, std::string gps, std::uint8_t gpsBits) {
        Snapshot s;
        s.beacon = BeaconValues{std::move(message), std::nullopt};
        s.serialPort = SerialPortValues{std::nullopt, std::nullopt, gpsBits, std::move(gps)};
        return s;
    };
    Snapshot delay;
    delay.basic.emplace().delayTime = 50;
    const struct {
        Snapshot held, wanted;
        std::vector<std::string> changes;  // key, from, to
    } cases[] = {
        {repeater("N0CALL", 0x00), repeater("N0CALL  ", 0x90), {}},
        {repeater("N0CALL", 0x10),
         repeater("N0CALL B", 0x01),
         {"repeater.my_repeater_call", "\"N0CALL\"", "\"N0CALL B\"", "repeater.flag_byte", "0x10", "0x01"}},
        {texts("AB", "ABC", 0x61), texts("AB", "ABC   ", 0x01), {}},
        {texts("AB", "ABC", 0x01),
         texts("AB ", "ABC", 0x03),
         {"beacon.message", "\"AB\"", "\"AB \"", "serial_port.gpgga", "false", "true"}},
        {Snapshot{}, delay, {"basic.delay_time_ms", "(not read)", "500"}},
        {delay, Snapshot{}, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> flat;
        for (const FieldChange& change : differences(c.held, c.wanted))
            flat.insert(flat.end(), {change.key, change.from, change.to});
        EXPECT_EQ(flat, c.changes);
    }
}

TEST(SettingsFile, GetAndSetOneKey)
{
    const struct {
        const char* key;
        const char* value;
        const char* problem;  // part of the problem; empty when the value is taken
        const char* shown;
    } cases[] = {
        {"basic.delay_time_ms", "500", "", "500"},
        {"basic.delay_time_ms", "505", "not a multiple", ""},
        {"basic.delay_time_ms", "", "not a value", ""},
        {"basic.time_out_s", "\"10\"", "expected a whole number", ""},
        {"basic.nope", "1", "unknown key", ""},
        {"repeater.my_repeater_call", "N0RPT", "", "\"N0RPT\""},
        {"repeater.alt_my_call2", "\"AB  \"", "", "\"AB  \""},
        {"repeater.alt_my_call2", "ABCDE", "more than 4", ""},
        {"repeater.alt_your_call", "\xC3\x84", "", "\"\xC3\x84\""},
        {"repeater.flag_byte", "129", "", "0x81"},
        {"slow_data.message", "\xE2\x82\xAC", "Latin-1", ""},
        {"serial_port.mode", "gps_send", "", "\"gps_send\""},
        {"serial_port.mode", "'slow_data'", "", "\"slow_data\""},
        {"serial_port.baud_rate", "4800", "", "4800"},
        {"serial_port.gprmc", "true", "", "true"},
        {"beacon.interval_s", "10\nx = 1", "more than one", ""},
    };
    for (const auto& c : cases) {
        Snapshot s;
        s.serialPort.emplace().gpsBits = 0x80;
        const std::optional<FileProblem> found = setFromText(s, c.key, c.value);
        const std::string problem = found ? fileProblemText(*found) : "";
        EXPECT_EQ(found.has_value(), *c.problem != '\0') << c.key << ": " << problem;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << problem;
        if (!found) {
            EXPECT_EQ(valueText(s, c.key), c.shown);
        }
    }
    Snapshot unread;
    EXPECT_TRUE(setFromText(unread, "serial_port.gpvtg", "true"));
    EXPECT_EQ(valueText(unread, "serial_port.gpvtg"), std::nullopt);
}

}  // namespace
