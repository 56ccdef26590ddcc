#pragma once
// The program's own copies of an adapter's settings: the record a write
// leaves (write_record.h) and the automatic backup a restore takes. Each
// names its adapter in comment lines above its settings, and holds a digest
// of those lines and of its values, so that a file edited or copied since is
// known: it is then a settings file like any other. A backup the user makes
// is no own copy: it stays free to go onto any adapter.
//
// The lines, in this order (a line whose text is not known is left out):
//   # adapter at USB port: 1-1.2          (or: # adapter at USB bus 1, device 7)
//   # emulated adapter, demo file: PATH   (or: # emulated adapter)
//   # adapter firmware: TEXT
//   # digest of this record: fnv1a64 0123456789abcdef
//                 (or: # digest of this automatic backup: ...)
// A byte below 0x20, 0x7F and '%' in a text stand as %XX.

#include "device/adapter_list.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

// The adapter a copy was made from.
struct AdapterIdentity {
    bool emulated = false;
    std::string port;                       // its USB port path; empty when not known
    std::optional<AdapterAddress> address;  // where the port is not known
    std::string demoFile;                   // the emulated adapter's memory; empty: none
    std::string firmware;                   // empty: not read by the job
    bool operator==(const AdapterIdentity&) const = default;
};

// The adapter opened by a walk, or the emulated adapter (no node) kept in
// `demoFile`.
AdapterIdentity identityOf(const std::optional<AdapterNode>& adapter, const std::string& demoFile = {});

// Whether `a` and `b` name the same adapter: the same port (or address
// where neither knows its port), or the same demo file. The firmware is no
// part of it.
bool sameAdapter(const AdapterIdentity& a, const AdapterIdentity& b);

// A file the program wrote for itself, whose digest matches its values.
struct OwnCopy {
    enum class Kind { Record, AutomaticBackup };
    Kind kind = Kind::Record;
    AdapterIdentity adapter;
};

// The comment lines naming `adapter`, with the digest over them and the
// settings `text` they are written above.
std::string ownCopyLines(OwnCopy::Kind kind, const AdapterIdentity& adapter, std::string_view text);

// What a settings file's text says of itself: nothing unless its lines are
// there and its digest matches.
std::optional<OwnCopy> ownCopyOf(std::string_view text);

// The arguments of the brisel-ctl command that puts the copy at `path` back
// onto its adapter: "--device PORT" (BUS:DEVICE where the port is not
// known), or "--demo-file PATH" ("--demo" without one), then "restore PATH".
std::vector<std::string> restoreArguments(const AdapterIdentity& adapter, const std::string& path);

// 16 hexadecimal digits of the digest of `bytes`, to tell names apart.
std::string shortDigest(std::string_view bytes);

// "brisel-ctl ARGS...", each argument quoted when it needs it: for a POSIX
// shell, or on Windows for cmd and PowerShell.
std::string commandLine(const std::vector<std::string>& arguments);

}  // namespace settings
