#include <unistd.h>

#include <cstdio>
#include <memory>

#include "platform/Files.h"
#include "platform/TextCodec.h"

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

std::string NativePath(const std::u16string& path) {
    return EncodeText(path, true);
}

}  // namespace

const char16_t kPathSeparator = u'/';

bool ReadWholeFile(const std::u16string& path, std::string& bytes) {
    FilePtr file(std::fopen(NativePath(path).c_str(), "rb"));
    if (!file) return false;
    bytes.clear();
    char block[8192];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) bytes.append(block, got);
    return true;
}

bool WriteWholeFile(const std::u16string& path, const std::string& bytes) {
    FilePtr file(std::fopen(NativePath(path).c_str(), "wb"));
    if (!file) return false;
    bool whole = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    whole = std::fflush(file.get()) == 0 && whole;
    // Closing is where a full disk may show itself last.
    return std::fclose(file.release()) == 0 && whole;
}

std::u16string ProgramFolder() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return u".";
    std::string text(path, static_cast<size_t>(n));
    text = text.substr(0, text.rfind('/'));
    return DecodeText(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true,
                      text.size());
}
