#pragma once
// brisel-ctl's exit statuses, as its manual page lists them. The numbers are
// those of sysexits.h where one fits.

namespace exit_status {
inline constexpr int Ok = 0;
inline constexpr int Differences = 1;     // diff found differences
inline constexpr int Usage = 64;          // the command line is wrong
inline constexpr int BadFile = 65;        // a settings file or value is invalid
inline constexpr int NoInput = 66;        // a file is missing or unreadable
inline constexpr int NoAdapter = 69;      // no adapter is connected
inline constexpr int CantWrite = 73;      // an output file cannot be written
inline constexpr int AdapterFailed = 74;  // adapter lost, or a request failed
inline constexpr int InUse = 75;          // another program uses the adapter
inline constexpr int NotTaken = 76;       // the adapter did not take a value, or lacks a group
inline constexpr int NoPermission = 77;   // found, but no permission to use it
}  // namespace exit_status

#include <stdexcept>
#include <string>

// Ends the command with `code` after telling `what` on stderr.
class CtlError : public std::runtime_error {
public:
    CtlError(int code, const std::string& what) : std::runtime_error(what), code_(code), text_(what) {}
    int code() const { return code_; }
    // The whole message: what() ends at a NUL that a key quoted in it holds.
    const std::string& text() const { return text_; }

private:
    int code_;
    std::string text_;
};
