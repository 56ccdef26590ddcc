#pragma once
// What is wrong with a settings file or with a value given for a key: the
// kind of problem, the key as written and the values that tell why. Each
// program puts them into words.

#include <cstdint>
#include <string>

namespace settings {

// Why a value cannot be taken.
struct ValueProblem {
    enum class Kind {
        NotUtf8,       // `given`: the first byte that is not UTF-8
        NotLatin1,     // a character the adapter cannot keep (one byte per character)
        NotAMode,      // `text`: the name given
        HoldsNul,      // a NUL character
        TooLong,       // `given`: the length in characters; `most`: the longest the adapter keeps
        OutOfRange,    // `given`; 0 to `most` (`unit`); the adapter holds at most `wireMost`
        NotAStep,      // `given`; `step`: what it must be a multiple of
        NotABaudRate,  // `given`
        NotAByte,      // `given`: outside 0x00 to 0xFF
        ModeCode,      // `given`: a mode's code, which has no button
        WrongType,     // `expected`
    };
    enum class Type { Switch, Text, Number };

    Kind kind = Kind::WrongType;
    std::int64_t given = 0;
    std::int64_t most = 0;
    std::int64_t wireMost = 0;
    std::int64_t step = 0;
    std::string text;  // NotAMode: as given, whole
    std::string unit;  // OutOfRange: the unit in the key's name, or ""
    Type expected = Type::Number;
};

struct FileProblem {
    enum class Kind {
        Syntax,            // `detail`: the TOML parser's description (English); `column`: where it stopped
        NotUtf8,           // `value`: NotUtf8, the first byte that is not UTF-8, at `line` and `column`
        TooDeep,           // `number`: the most dotted parts a key may have
        FormatMissing,     // no format line
        FormatNotANumber,  // the format is not a whole number
        FormatNewer,       // `number`: the format given, newer than FileFormatVersion
        FormatUnknown,     // `number`: the format given, below 1
        UnknownTable,      // `key`: a table or key at the top that is not a group
        NotATable,         // `key`: a group's name given as a value
        UnknownKey,        // `key`: "group.key", the key as written
        GpsKeysApart,      // `key`: the group; some of the six GPS keys given, not all
        Value,             // `key`: "group.key"; `value`: why it is refused
        NotAValue,         // `key`; `detail`: the TOML parser's description of the value given
        MoreThanOneValue,  // `key`: the text given holds more than one value
        GpsNotRead,        // `key`: a GPS key set while the adapter's GPS setting was not read
    };

    Kind kind = Kind::Syntax;
    int line = 0;     // 1-based; 0 for a value given on the command line
    int column = 0;   // Syntax, NotUtf8: 1-based, in bytes
    std::string key;  // as written, whole (it may hold any byte)
    std::string detail;
    std::int64_t number = 0;
    ValueProblem value{};
};

}  // namespace settings
