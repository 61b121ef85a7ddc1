#include <windows.h>

#include "platform/Files.h"
#include "platform/Handles_win.h"

namespace {

const wchar_t* WidePath(const std::u16string& path) {
    return reinterpret_cast<const wchar_t*>(path.c_str());
}

// What one ReadFile can take.
constexpr LONGLONG kLargestRead = 0x7FFFFFFF;
// Half a second in all for a reader to let the file go.
constexpr int kReplaceAttempts = 250;
constexpr DWORD kReplaceWaitMs = 2;

// Creates or truncates the file and has every byte on the disk.
bool WriteAndFlush(const std::u16string& path, const std::string& bytes) {
    CFile file(CreateFileW(WidePath(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    bool whole =
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return FlushFileBuffers(file.Get()) && whole;
}

// Another program that reads the file holds it open for a moment, and it
// cannot be replaced meanwhile: the replacement waits that moment out.
bool ReplaceWith(const std::u16string& temporary, const std::u16string& path) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(WidePath(temporary), WidePath(path),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DWORD error = GetLastError();
        bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
        if (!held || attempt == kReplaceAttempts) return false;
        Sleep(kReplaceWaitMs);
    }
}

}  // namespace

const char16_t kPathSeparator = u'\\';

bool ReadWholeFile(const std::u16string& path, std::string& bytes) {
    CFile file(CreateFileW(WidePath(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestRead) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    return bytes.empty() ||
           (ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
            got == bytes.size());
}

bool FileExists(const std::u16string& path) {
    return GetFileAttributesW(WidePath(path)) != INVALID_FILE_ATTRIBUTES;
}

bool WriteWholeFile(const std::u16string& path, const std::string& bytes) {
    const std::u16string temporary = path + kTemporaryFileSuffix;
    if (WriteAndFlush(temporary, bytes) && ReplaceWith(temporary, path)) return true;
    DeleteFileW(WidePath(temporary));
    return false;
}

std::u16string ProgramFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::u16string text(reinterpret_cast<const char16_t*>(path), n);
    size_t slash = text.rfind(u'\\');
    // A path without a backslash gives the root folder.
    return slash == std::u16string::npos ? std::u16string() : text.substr(0, slash);
}
