// What the file access needs of the operating system; files_posix.cpp and files_win.cpp hold it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orva::files::os {

// What tells one state of a file from another: which file it is, its size and its times.
struct Stamp {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // last write of the contents, since 1970
    std::int64_t changedNs = 0;   // last change of contents or attributes
    bool operator==(const Stamp&) const = default;
};

// Nothing when the path names no file that can be looked at.
std::optional<Stamp> stampOf(const std::string& path);

// A clock that never goes back, in milliseconds; only differences mean anything.
std::int64_t monotonicMs();

// Writes the bytes to a new file beside the target, flushes it to the disk and puts it in the
// target's place in one step, keeping what the user set on the target (permissions, attributes).
// The target is no link. False, with the target untouched, when any step fails or the target is
// write-protected.
bool replaceFile(const std::string& target, const std::string& bytes);

// A file open for appending: a descriptor on POSIX, a HANDLE on Windows.
using NativeFile = std::intptr_t;
constexpr NativeFile kNoFile = -1;

// Opens the path for appending, creating the file when it is missing, and tells which file it
// opened. Other programs may still read, move and remove the file while it is open. Failures
// here and below come back as the system's description of the error, in the program's code page.
std::optional<std::string> openAppend(const std::string& path, NativeFile& file, Stamp& stamp);
// Every byte at the end of the file, with no buffer of ours in between.
std::optional<std::string> writeAll(NativeFile file, std::string_view bytes);
std::optional<std::string> closeFile(NativeFile file);

// A folder this user may create files in.
bool isWritableFolder(const std::string& path);

}  // namespace orva::files::os
