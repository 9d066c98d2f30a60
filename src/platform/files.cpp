#include "platform/files.h"

#include <ctime>
#include <fstream>
#include <system_error>

#include "platform/cp1252.h"
#include "platform/files_os.h"

namespace orva::files {

namespace fs = std::filesystem;

std::string fileNameFromText(const std::string& text) {
    return cp1252ToUtf8(text);
}

std::string pathText(const std::string& path) {
    return utf8ToCp1252(path);
}

std::optional<std::string> readAll(const std::string& path) {
    std::ifstream in(nativePath(path), std::ios::binary);
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
    os::Stamp stamp;
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

void forgetCached(const std::string& path) {
    if (cachedFile().path == path) cachedFile() = CachedFile{};
}

// What we wrote ourselves is known without reading it back: the file just replaced holds exactly
// these bytes until its stamp says otherwise. Without this, every setting asked for in the
// second or two after a write (start-up writes one) would read the whole file again.
void rememberWritten(const std::string& path, const std::string& bytes) {
    const auto stamp = os::stampOf(path);
    if (!stamp) return;
    CachedFile& last = cachedFile();
    last = CachedFile{};
    last.path = path;
    last.stamp = *stamp;
    last.trusted = true;
    last.checkedMs = os::monotonicMs();
    last.bytes = bytes;
}

}  // namespace

std::optional<std::string> readAllCached(const std::string& path) {
    CachedFile& last = cachedFile();
    if (last.path != path) {
        last = CachedFile{};
        last.path = path;
    }
    const std::int64_t nowMs = os::monotonicMs();
    if (last.trusted && nowMs - last.checkedMs < kRecheckMs) return last.bytes;
    last.checkedMs = nowMs;

    const auto stamp = os::stampOf(path);
    if (!stamp) {
        // No file (yet): every setting reads as empty, without a second try at opening it.
        last.trusted = false;
        return std::nullopt;
    }
    if (*stamp == last.stamp && last.trusted) return last.bytes;

    // Stamp before reading: a change during the read then shows as a difference next time.
    last.stamp = *stamp;
    last.bytes = readAll(path);
    last.trusted = last.bytes && stamp->modifiedNs / 1'000'000'000 + 1 < std::time(nullptr);
    return last.bytes;
}

bool replaceAtomically(const std::string& path, const std::string& bytes) {
    forgetCached(path);
    // A link is followed: the file it names is replaced, and the link stays.
    std::error_code ec;
    std::string target = path;
    if (fs::is_symlink(nativePath(path), ec)) {
        const fs::path resolved = fs::weakly_canonical(nativePath(path), ec);
        if (ec) return false;
        target = pathBytes(resolved);
    }
    if (!os::replaceFile(target, bytes)) return false;
    rememberWritten(path, bytes);
    return true;
}

bool append(const std::string& path, const std::string& bytes) {
    forgetCached(path);
    os::NativeFile file = os::kNoFile;
    os::Stamp stamp;
    if (os::openAppend(path, file, stamp)) return false;
    const bool written = !os::writeAll(file, bytes);
    const bool closed = !os::closeFile(file);
    return written && closed;
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(nativePath(path), ec);
}

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(nativePath(path), ec);
}

bool createDirectory(const std::string& path) {
    std::error_code ec;
    return fs::create_directory(nativePath(path), ec) && !ec;
}

std::optional<FileIdentity> identityOf(const std::string& path) {
    const auto stamp = os::stampOf(path);
    if (!stamp) return std::nullopt;
    return FileIdentity{stamp->volume, stamp->file};
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
    os::NativeFile file = os::kNoFile;
    os::Stamp stamp;
    if (auto error = os::openAppend(path, file, stamp)) return error;
    native_ = file;
    identity_ = FileIdentity{stamp.volume, stamp.file};
    return std::nullopt;
}

std::optional<std::string> AppendFile::write(std::string_view bytes) {
    if (native_ == kNone) return std::string("The file is not open.");
    return os::writeAll(native_, bytes);
}

std::optional<std::string> AppendFile::close() {
    if (native_ == kNone) return std::nullopt;
    const os::NativeFile file = native_;
    native_ = kNone;
    identity_ = FileIdentity{};
    return os::closeFile(file);
}

bool isWritableFolder(const std::string& path) {
    return os::isWritableFolder(path);
}

bool createDirectories(const std::string& path) {
    std::error_code ec;
    fs::create_directories(nativePath(path), ec);
    return isDirectory(path);
}

bool copyNewFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    return fs::copy_file(nativePath(from), nativePath(to), fs::copy_options::none, ec) && !ec;
}

}  // namespace orva::files
