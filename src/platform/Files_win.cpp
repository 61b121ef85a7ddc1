#include <windows.h>

#include "platform/Files.h"
#include "platform/Handles_win.h"

namespace {

const wchar_t* WidePath(const std::u16string& path) {
    return reinterpret_cast<const wchar_t*>(path.c_str());
}

}  // namespace

const char16_t kPathSeparator = u'\\';

bool ReadWholeFile(const std::u16string& path, std::string& bytes) {
    CFile file(CreateFileW(WidePath(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    bytes.clear();
    LARGE_INTEGER size;
    // A size that cannot be had reads as an empty file.
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) return true;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() &&
        !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        got = 0;
    }
    bytes.resize(got);
    return true;
}

bool WriteWholeFile(const std::u16string& path, const std::string& bytes) {
    CFile file(CreateFileW(WidePath(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    bool whole =
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return FlushFileBuffers(file.Get()) && whole;
}

std::u16string ProgramFolder() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::u16string text(reinterpret_cast<const char16_t*>(path), n);
    size_t slash = text.rfind(u'\\');
    // A path without a backslash gives the root folder.
    return slash == std::u16string::npos ? std::u16string() : text.substr(0, slash);
}
