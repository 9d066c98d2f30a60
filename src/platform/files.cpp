#include "platform/files.h"

#include "platform/cp1252.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace orva::files {

namespace fs = std::filesystem;

std::string fileNameFromText(const std::string& text) {
#ifdef _WIN32
    return text;  // the ANSI file calls take code page 1252 as it is
#else
    return cp1252ToUtf8(text);
#endif
}

std::string pathText(const std::string& path) {
#ifdef _WIN32
    return path;
#else
    return utf8ToCp1252(path);
#endif
}

std::optional<std::string> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // A read error (a folder opens as a file here, and fails only on reading) throws from the
    // stream buffer whatever the stream's exception mask says.
    try {
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

namespace {

// The one file read over and over (Config.ini), as last read.
struct CachedFile {
    std::string path;
    struct stat st {};
    bool trusted = false;         // the file was older than the clock's tick when read
    std::int64_t checkedMs = -1;  // monotonic time of the last look at the file
    std::optional<std::string> bytes;
};

CachedFile& cachedFile() {
    static CachedFile file;
    return file;
}

// Our own writes are seen at once; a change by another program within this long.
constexpr std::int64_t kRecheckMs = 100;

std::int64_t monotonicMs() {
    timespec t{};
#ifdef CLOCK_MONOTONIC_COARSE
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
#else
    ::clock_gettime(CLOCK_MONOTONIC, &t);
#endif
    return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

void forgetCached(const std::string& path) {
    if (cachedFile().path == path) cachedFile() = CachedFile{};
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
           a.st_mtime == b.st_mtime && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           a.st_ctime == b.st_ctime && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// What we wrote ourselves is known without reading it back: the file just replaced holds exactly
// these bytes until its stamp says otherwise. Without this, every setting asked for in the
// second or two after a write (start-up writes one) would read the whole file again.
void rememberWritten(const std::string& path, const std::string& bytes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return;
    CachedFile& last = cachedFile();
    last = CachedFile{};
    last.path = path;
    last.st = st;
    last.trusted = true;
    last.checkedMs = monotonicMs();
    last.bytes = bytes;
}

}  // namespace

std::optional<std::string> readAllCached(const std::string& path) {
    CachedFile& last = cachedFile();
    if (last.path != path) {
        last = CachedFile{};
        last.path = path;
    }
    const std::int64_t nowMs = monotonicMs();
    if (last.trusted && nowMs - last.checkedMs < kRecheckMs) return last.bytes;
    last.checkedMs = nowMs;

    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        // No file (yet): every setting reads as empty, without a second try at opening it.
        last.trusted = false;
        return std::nullopt;
    }
    const bool same = sameFile(st, last.st);
    if (same && last.trusted) return last.bytes;

    // Stat before reading: a change during the read then shows as a difference next time.
    last.st = st;
    last.bytes = readAll(path);
    last.trusted = last.bytes && st.st_mtime + 1 < std::time(nullptr);
    return last.bytes;
}

bool replaceAtomically(const std::string& path, const std::string& bytes) {
    forgetCached(path);
    // A link is followed: the file it names is replaced, and the link stays.
    std::error_code ec;
    std::string target = path;
    if (fs::is_symlink(path, ec)) {
        const fs::path resolved = fs::weakly_canonical(path, ec);
        if (ec) return false;
        target = resolved.string();
    }
    // The new file keeps the old one's permissions: Config.ini holds passwords, and a user who
    // closed it to others must not find it open again after the next setting changed.
    struct stat old {};
    const bool hadFile = ::stat(target.c_str(), &old) == 0;
    // A file made read-only stays as it is, as a write-protected ini file does elsewhere.
    if (hadFile && ::access(target.c_str(), W_OK) != 0) return false;

    static std::mt19937 rng{std::random_device{}()};
    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tmp = target + ".tmp" + std::to_string(rng() % 1000000);
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    size_t done = 0;
    bool ok = !hadFile || ::fchmod(fd, old.st_mode & 07777) == 0;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ok = false;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (ok && ::fsync(fd) != 0) ok = false;
    if (::close(fd) != 0) ok = false;
    if (ok) ok = std::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) std::remove(tmp.c_str());
    if (ok) rememberWritten(path, bytes);
    return ok;
}

bool append(const std::string& path, const std::string& bytes) {
    forgetCached(path);
    std::ofstream out(path, std::ios::binary | std::ios::app);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool createDirectory(const std::string& path) {
    std::error_code ec;
    return fs::create_directory(path, ec) && !ec;
}

// ---- AppendFile and identityOf: POSIX ----------------------------------------------------------
// The Windows variant: CreateFileW with FILE_APPEND_DATA and FILE_SHARE_READ | FILE_SHARE_WRITE |
// FILE_SHARE_DELETE (so the log can still be moved or removed while open), WriteFile, CloseHandle;
// the identity from GetFileInformationByHandle (volume serial number and file index), of a path
// through a handle opened with no access rights.

namespace {

std::string errorText(int err) {
    return std::string(std::strerror(err ? err : EIO));
}

FileIdentity identityFromStat(const struct stat& st) {
    return FileIdentity{static_cast<std::uint64_t>(st.st_dev),
                        static_cast<std::uint64_t>(st.st_ino)};
}

}  // namespace

std::optional<FileIdentity> identityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return identityFromStat(st);
}

AppendFile::AppendFile(AppendFile&& other) noexcept
    : native_(other.native_), identity_(other.identity_) {
    other.native_ = kNone;
}

AppendFile& AppendFile::operator=(AppendFile&& other) noexcept {
    if (this != &other) {
        close();
        native_ = other.native_;
        identity_ = other.identity_;
        other.native_ = kNone;
    }
    return *this;
}

AppendFile::~AppendFile() {
    close();
}

std::optional<std::string> AppendFile::open(const std::string& path) {
    close();
    forgetCached(path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return errorText(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return errorText(err);
    }
    native_ = fd;
    identity_ = identityFromStat(st);
    return std::nullopt;
}

std::optional<std::string> AppendFile::write(std::string_view bytes) {
    if (native_ == kNone) return errorText(EBADF);
    const int fd = static_cast<int>(native_);
    // One call in the normal case; a short write (a signal, a full disk) goes on with the rest.
    for (int attempt = 0; !bytes.empty(); ++attempt) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR && attempt < 100) continue;
        if (n <= 0) return errorText(n < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return std::nullopt;
}

std::optional<std::string> AppendFile::close() {
    if (native_ == kNone) return std::nullopt;
    const int fd = static_cast<int>(native_);
    native_ = kNone;
    identity_ = FileIdentity{};
    if (::close(fd) != 0) return errorText(errno);
    return std::nullopt;
}

// --- for the per-user home ---------------------------------------------------------------------

bool isWritableFolder(const std::string& path) {
    return isDirectory(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool createDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    return isDirectory(path);
}

bool copyNewFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    return fs::copy_file(from, to, fs::copy_options::none, ec) && !ec;
}

}  // namespace orva::files
