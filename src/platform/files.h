// File access the logic needs, on the standard library: whole reads, appends and atomic replaces.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orva::files {

// Paths are UTF-8 bytes on every system, as the platform reports the program's folder: a folder
// named in any script is found, and two folders whose names differ only in letters the code
// page lacks stay apart. Text of the program (code page 1252) that becomes part of a path, such
// as a log name the user typed, goes through fileNameFromText first.
std::string fileNameFromText(const std::string& text);
// A path as text for the user to read: characters the code page lacks become "?".
std::string pathText(const std::string& path);

// The path as the file system library takes it (wide characters on Windows), and back.
std::filesystem::path nativePath(const std::string& path);
std::string pathBytes(const std::filesystem::path& path);

// The whole file as bytes, or nothing when it cannot be opened.
std::optional<std::string> readAll(const std::string& path);

// The same, reusing the bytes of the last read of this path while the file has not changed, so
// a file asked for on every received line is not read each time. Writes through this module are
// seen at once; a change by another program within 100 ms. A file changed in the second before
// it was read is read again each time, since a change within one tick of the file clock would
// not show in its time.
std::optional<std::string> readAllCached(const std::string& path);

// Replaces the file with the bytes atomically: a temporary file in the same folder is written,
// flushed and put in the target's place in one step. On failure the previous file is untouched.
// A write-protected file is not replaced.
bool replaceAtomically(const std::string& path, const std::string& bytes);

// Opens for appending (creating it), writes, closes. False when any step fails.
bool append(const std::string& path, const std::string& bytes);

bool exists(const std::string& path);
bool isDirectory(const std::string& path);
bool createDirectory(const std::string& path);

}  // namespace orva::files
