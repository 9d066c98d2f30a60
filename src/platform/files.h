// File access the logic needs, the same on every system: whole reads, appends and atomic replaces.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

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

// Which file a path or an open file is, whatever its name: device and inode on POSIX (volume
// serial and file index on Windows). Two equal identities are the same file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// What the path names now; nothing when there is nothing there.
std::optional<FileIdentity> identityOf(const std::string& path);

// A file kept open for appending. Each write is one system call with no buffer of ours in
// between, so a line written is the file's even if the program dies right after. Failures come
// back as the system's description of the error. Closed on destruction.
class AppendFile {
  public:
    AppendFile() = default;
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;
    AppendFile(AppendFile&& other) noexcept;
    AppendFile& operator=(AppendFile&& other) noexcept;
    ~AppendFile();

    // Opens the path for appending, creating the file when it is missing; an open file is
    // closed first.
    std::optional<std::string> open(const std::string& path);
    std::optional<std::string> write(std::string_view bytes);
    std::optional<std::string> close();
    bool isOpen() const { return native_ != kNone; }
    // The open file's identity, taken when it was opened.
    const FileIdentity& identity() const { return identity_; }

  private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t native_ = kNone;  // a descriptor on POSIX, a HANDLE on Windows
    FileIdentity identity_;
};

bool exists(const std::string& path);
bool isDirectory(const std::string& path);
bool createDirectory(const std::string& path);

// --- for the per-user home ---------------------------------------------------------------------
// A folder this program may create files in.
bool isWritableFolder(const std::string& path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool createDirectories(const std::string& path);
// Copies a file to a path where nothing is yet; an existing target is left alone (false).
bool copyNewFile(const std::string& from, const std::string& to);

}  // namespace orva::files
