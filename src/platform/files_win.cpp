// The file access on Windows: UTF-8 paths become wide ones, so any folder name works whatever
// the system's ANSI code page.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <climits>
#include <random>

#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/files_os.h"

namespace orva::files {

namespace {

// Bytes that are no UTF-8 become U+FFFD rather than failing: a name made of them finds no file,
// which every caller handles.
std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(std::min<size_t>(utf8.size(), INT_MAX));
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
    return wide;
}

std::string narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(std::min<size_t>(wide.size(), INT_MAX));
    const int n =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

}  // namespace

std::filesystem::path nativePath(const std::string& path) {
    return std::filesystem::path(widen(path));
}

std::string pathBytes(const std::filesystem::path& path) {
    return narrow(path.wstring());
}

namespace os {

namespace {

// Windows counts in 100 ns steps since 1601.
constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000;

std::int64_t nanoseconds(std::int64_t ticks) {
    return (ticks - kTicksFrom1601To1970) * 100;
}

std::int64_t ticksOf(const FILETIME& t) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) |
                                     t.dwLowDateTime);
}

// Closes the handle on every way out.
struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    Handle() = default;
    explicit Handle(HANDLE handle) : h(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    bool valid() const { return h != INVALID_HANDLE_VALUE; }
    bool close() {
        if (!valid()) return true;
        const bool ok = ::CloseHandle(h) != 0;
        h = INVALID_HANDLE_VALUE;
        return ok;
    }
};

Stamp stampFrom(HANDLE file, const BY_HANDLE_FILE_INFORMATION& info) {
    Stamp stamp;
    stamp.volume = info.dwVolumeSerialNumber;
    stamp.file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.modifiedNs = nanoseconds(ticksOf(info.ftLastWriteTime));
    // The change time also moves when only the attributes change, as POSIX's ctime does.
    FILE_BASIC_INFO basic{};
    if (::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic))
        stamp.changedNs = nanoseconds(basic.ChangeTime.QuadPart);
    return stamp;
}

// The system's description of the error, as the user reads it in a box.
std::string errorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide = n && text ? std::wstring(text, n) : L"Error " + std::to_wstring(error);
    if (text) ::LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\r' || wide.back() == L'\n' || wide.back() == L' '))
        wide.pop_back();
    return utf8ToCp1252(narrow(wide));
}

}  // namespace

std::optional<Stamp> stampOf(const std::string& path) {
    // Attributes only, sharing everything: looking must never get in another program's way.
    Handle file(::CreateFileW(widen(path).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.h, &info)) return std::nullopt;
    return stampFrom(file.h, info);
}

std::int64_t monotonicMs() {
    return static_cast<std::int64_t>(::GetTickCount64());
}

bool replaceFile(const std::string& target, const std::string& bytes) {
    const std::wstring wideTarget = widen(target);
    const DWORD attributes = ::GetFileAttributesW(wideTarget.c_str());
    const bool hadFile = attributes != INVALID_FILE_ATTRIBUTES;
    // A file made read-only stays as it is, as the system's own ini calls leave it.
    if (hadFile && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;

    static std::mt19937 rng{std::random_device{}()};
    std::wstring tmp;
    Handle out;
    for (int attempt = 0; attempt < 16 && !out.valid(); ++attempt) {
        tmp = wideTarget + L".tmp" + std::to_wstring(rng() % 1000000);
        out.h = ::CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (!out.valid() && ::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (!out.valid()) return false;
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 30));
        DWORD written = 0;
        if (!::WriteFile(out.h, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            ok = false;
        done += written;
    }
    if (ok && !::FlushFileBuffers(out.h)) ok = false;
    if (!out.close()) ok = false;
    if (ok && hadFile) {
        // ReplaceFileW keeps the target's attributes, security and creation time: a file closed
        // to others stays closed, as the POSIX variant keeps the permission bits.
        ok = ::ReplaceFileW(wideTarget.c_str(), tmp.c_str(), nullptr,
                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
        if (!ok) {
            const DWORD error = ::GetLastError();
            // The target went away meanwhile, or went away in the replace itself while the new
            // file could not take its name: the new file then takes it the plain way. Should that
            // fail too, the new contents stay in the temporary file rather than being lost.
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
                ok = ::MoveFileExW(tmp.c_str(), wideTarget.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
                if (!ok && error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) return false;
            }
        }
    } else if (ok) {
        ok = ::MoveFileExW(tmp.c_str(), wideTarget.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    if (!ok) ::DeleteFileW(tmp.c_str());
    return ok;
}

std::optional<std::string> openAppend(const std::string& path, NativeFile& file, Stamp& stamp) {
    // Append-only access: every write lands at the end, whoever else writes. Sharing delete lets
    // the user move or remove a log while it is open.
    Handle opened(::CreateFileW(widen(path).c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!opened.valid()) return errorText(::GetLastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(opened.h, &info)) return errorText(::GetLastError());
    stamp = stampFrom(opened.h, info);
    file = reinterpret_cast<NativeFile>(opened.h);
    opened.h = INVALID_HANDLE_VALUE;  // the caller's now
    return std::nullopt;
}

std::optional<std::string> writeAll(NativeFile file, std::string_view bytes) {
    HANDLE handle = reinterpret_cast<HANDLE>(file);
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data(), chunk, &written, nullptr))
            return errorText(::GetLastError());
        if (written == 0) return errorText(ERROR_DISK_FULL);
        bytes.remove_prefix(written);
    }
    return std::nullopt;
}

std::optional<std::string> closeFile(NativeFile file) {
    if (!::CloseHandle(reinterpret_cast<HANDLE>(file))) return errorText(::GetLastError());
    return std::nullopt;
}

bool isWritableFolder(const std::string& path) {
    const std::wstring folder = widen(path);
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    // The read-only attribute means nothing on a folder and its access list is hard to read
    // right: a file made and removed at once answers for both.
    std::wstring probe = folder;
    if (!probe.empty() && probe.back() != L'/' && probe.back() != L'\\') probe += L'\\';
    probe += L"orva-write-probe-" + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
    Handle file(::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.valid();
}

}  // namespace os

}  // namespace orva::files
