#include "settings_file/own_copy.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace settings {

namespace {

constexpr std::string_view PortLine = "# adapter at USB port: ";
constexpr std::string_view AddressLine = "# adapter at USB bus ";
constexpr std::string_view DemoFileLine = "# emulated adapter, demo file: ";
constexpr std::string_view EmulatedLine = "# emulated adapter";
constexpr std::string_view FirmwareLine = "# adapter firmware: ";
constexpr std::string_view RecordDigest = "# digest of this record: fnv1a64 ";
constexpr std::string_view BackupDigest = "# digest of this automatic backup: fnv1a64 ";
// A text longer than this is no own copy's.
constexpr std::size_t LongestText = 4096;

// FNV-1a, 64 bits: not against intent, only against edits and copies.
std::uint64_t fnv1a(std::string_view bytes, std::uint64_t hash = 14695981039346656037ULL)
{
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ULL;
    return hash;
}

std::string hex(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (unsigned char c : text.substr(0, LongestText)) {
        if (c < 0x20 || c == 0x7F || c == '%') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", c);
            out += code;
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        const auto digit = [](char c) -> int {
            if (c >= '0' && c <= '9') return c - '0';
            if (c >= 'A' && c <= 'F') return c - 'A' + 10;
            return -1;
        };
        if (i + 2 >= text.size() || digit(text[i + 1]) < 0 || digit(text[i + 2]) < 0) return std::nullopt;
        out.push_back(static_cast<char>(digit(text[i + 1]) * 16 + digit(text[i + 2])));
        i += 2;
    }
    return out;
}

// The lines naming the adapter, each ending in a newline.
std::string identityLines(const AdapterIdentity& adapter)
{
    std::string lines;
    if (adapter.emulated)
        lines += adapter.demoFile.empty() ? std::string(EmulatedLine) + "\n"
                                          : std::string(DemoFileLine) + escaped(adapter.demoFile) + "\n";
    else if (!adapter.port.empty()) lines += std::string(PortLine) + escaped(adapter.port) + "\n";
    else if (adapter.address)
        lines += std::string(AddressLine) + std::to_string(adapter.address->bus) + ", device " +
                 std::to_string(adapter.address->device) + "\n";
    if (!adapter.firmware.empty()) lines += std::string(FirmwareLine) + escaped(adapter.firmware) + "\n";
    return lines;
}

// The digest of the identity lines and of every line of `text` that is not
// a comment or blank: the values, as the file holds them.
std::uint64_t digestOf(OwnCopy::Kind kind, std::string_view identity, std::string_view text)
{
    std::uint64_t hash = fnv1a(kind == OwnCopy::Kind::Record ? "record\n" : "automatic backup\n");
    hash = fnv1a(identity, hash);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        const std::size_t first = line.find_first_not_of(" \t\r");
        if (first != std::string_view::npos && line[first] != '#') {
            hash = fnv1a(line, hash);
            hash = fnv1a("\n", hash);
        }
        at = end + 1;
    }
    return hash;
}

std::string_view after(std::string_view line, std::string_view start)
{
    return line.substr(start.size());
}

}  // namespace

AdapterIdentity identityOf(const std::optional<AdapterNode>& adapter, const std::string& demoFile)
{
    AdapterIdentity identity;
    if (!adapter) {
        identity.emulated = true;
        identity.demoFile = demoFile;
        return identity;
    }
    identity.port = adapter->port;
    if (adapter->port.empty()) identity.address = adapter->address;
    return identity;
}

bool sameAdapter(const AdapterIdentity& a, const AdapterIdentity& b)
{
    if (a.emulated || b.emulated) return a.emulated == b.emulated && a.demoFile == b.demoFile;
    if (!a.port.empty() || !b.port.empty()) return a.port == b.port;
    return a.address == b.address;
}

std::string ownCopyLines(OwnCopy::Kind kind, const AdapterIdentity& adapter, std::string_view text)
{
    const std::string identity = identityLines(adapter);
    return identity + std::string(kind == OwnCopy::Kind::Record ? RecordDigest : BackupDigest) +
           hex(digestOf(kind, identity, text)) + "\n";
}

std::optional<OwnCopy> ownCopyOf(std::string_view text)
{
    OwnCopy copy;
    std::string identity;
    std::optional<std::string> digest;
    bool named = false;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        if (!line.starts_with("# ") || line.size() > LongestText) continue;
        const bool isRecord = line.starts_with(RecordDigest);
        if (isRecord || line.starts_with(BackupDigest)) {
            if (digest) return std::nullopt;  // two digests: an edit
            digest = std::string(after(line, isRecord ? RecordDigest : BackupDigest));
            copy.kind = isRecord ? OwnCopy::Kind::Record : OwnCopy::Kind::AutomaticBackup;
            continue;
        }
        std::optional<std::string> value;
        AdapterIdentity& adapter = copy.adapter;
        bool naming = true;
        if (line.starts_with(PortLine)) {
            value = unescaped(after(line, PortLine));
            if (value) adapter.port = *value;
        } else if (line.starts_with(AddressLine)) {
            AdapterAddress address;
            char rest = 0;
            const std::string numbers(after(line, AddressLine));
            if (std::sscanf(numbers.c_str(), "%3d, device %3d%c", &address.bus, &address.device, &rest) != 2)
                return std::nullopt;
            adapter.address = address;
            value = "";
        } else if (line.starts_with(DemoFileLine)) {
            value = unescaped(after(line, DemoFileLine));
            adapter.emulated = true;
            if (value) adapter.demoFile = *value;
        } else if (line == EmulatedLine) {
            adapter.emulated = true;
            value = "";
        } else if (line.starts_with(FirmwareLine)) {
            value = unescaped(after(line, FirmwareLine));
            if (value) adapter.firmware = *value;
            naming = false;
        } else {
            continue;
        }
        if (!value) return std::nullopt;
        if (naming) {
            if (named) return std::nullopt;  // two adapters named: an edit
            named = true;
        }
        identity += std::string(line) + "\n";
    }
    if (!digest || !named || identity != identityLines(copy.adapter)) return std::nullopt;
    if (*digest != hex(digestOf(copy.kind, identity, text))) return std::nullopt;
    return copy;
}

std::string shortDigest(std::string_view bytes)
{
    return hex(fnv1a(bytes));
}

std::vector<std::string> restoreArguments(const AdapterIdentity& adapter, const std::string& path)
{
    std::vector<std::string> arguments;
    if (adapter.emulated) {
        if (adapter.demoFile.empty()) arguments = {"--demo"};
        else arguments = {"--demo-file", adapter.demoFile};
    } else if (!adapter.port.empty()) {
        arguments = {"--device", adapter.port};
    } else if (adapter.address) {
        arguments = {"--device", std::to_string(adapter.address->bus) + ":" + std::to_string(adapter.address->device)};
    }
    arguments.insert(arguments.end(), {"restore", path});
    return arguments;
}

namespace {

// An argument every shell takes as it is.
bool plainArgument(const std::string& argument)
{
#ifdef _WIN32
    // A backslash only separates a path's folders, in cmd and PowerShell
    // alike; PowerShell makes a list at a comma and splats at an @.
    constexpr std::string_view plain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-./:+=\\";
#else
    constexpr std::string_view plain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-./:@%+=,";
#endif
    return !argument.empty() && argument.find_first_not_of(plain) == std::string::npos;
}

// The argument quoted for the system's shells. Windows: in double quotes,
// which cmd and PowerShell both take (no file name holds a double quote);
// one that holds $ or ` (which PowerShell expands within double quotes) or
// % (which cmd expands) in PowerShell's single quotes, which expand nothing,
// a ' in it doubled. Elsewhere: in a POSIX shell's single quotes.
std::string quotedArgument(const std::string& argument)
{
#ifdef _WIN32
    if (argument.find_first_of("$`%\"") == std::string::npos) return '"' + argument + '"';
    std::string quoted = "'";
    for (char c : argument) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
#else
    std::string quoted = "'";
    for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

}  // namespace

std::string commandLine(const std::vector<std::string>& arguments)
{
    std::string line = "brisel-ctl";
    for (const std::string& argument : arguments)
        line += ' ' + (plainArgument(argument) ? argument : quotedArgument(argument));
    return line;
}

}  // namespace settings
