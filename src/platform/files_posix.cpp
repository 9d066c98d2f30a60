// The file access on POSIX systems: paths are the bytes as they are.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>

#include "platform/files.h"
#include "platform/files_os.h"

namespace orva::files {

std::filesystem::path nativePath(const std::string& path) {
    return std::filesystem::path(path);
}

std::string pathBytes(const std::filesystem::path& path) {
    return path.string();
}

namespace os {

namespace {

std::int64_t nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::string errorText(int error) {
    return std::strerror(error ? error : EIO);
}

Stamp stampFrom(const struct stat& st) {
    Stamp stamp;
    stamp.volume = static_cast<std::uint64_t>(st.st_dev);
    stamp.file = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::uint64_t>(st.st_size);
    stamp.modifiedNs = nanoseconds(st.st_mtim);
    stamp.changedNs = nanoseconds(st.st_ctim);
    return stamp;
}

}  // namespace

std::optional<Stamp> stampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return stampFrom(st);
}

std::int64_t monotonicMs() {
    timespec t{};
#ifdef CLOCK_MONOTONIC_COARSE
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
#else
    ::clock_gettime(CLOCK_MONOTONIC, &t);
#endif
    return static_cast<std::int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

bool replaceFile(const std::string& target, const std::string& bytes) {
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
    return ok;
}

std::optional<std::string> openAppend(const std::string& path, NativeFile& file, Stamp& stamp) {
    int flags = O_WRONLY | O_APPEND | O_CREAT;
#ifdef O_CLOEXEC
    flags |= O_CLOEXEC;
#endif
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return errorText(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return errorText(error);
    }
    file = fd;
    stamp = stampFrom(st);
    return std::nullopt;
}

std::optional<std::string> writeAll(NativeFile file, std::string_view bytes) {
    // One call in the normal case; a short write (a signal, a full disk) goes on with the rest.
    for (int attempt = 0; !bytes.empty(); ++attempt) {
        const ssize_t n = ::write(static_cast<int>(file), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR && attempt < 100) continue;
        if (n <= 0) return errorText(n < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return std::nullopt;
}

std::optional<std::string> closeFile(NativeFile file) {
    if (::close(static_cast<int>(file)) != 0) return errorText(errno);
    return std::nullopt;
}

bool isWritableFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::access(path.c_str(), W_OK | X_OK) == 0;
}

}  // namespace os

}  // namespace orva::files
