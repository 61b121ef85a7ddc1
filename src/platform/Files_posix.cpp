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

// Creates or truncates the file and has every byte on the disk.
bool WriteAndSync(const std::string& path, const std::string& bytes) {
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    bool whole = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                 std::fflush(file.get()) == 0 && fsync(fileno(file.get())) == 0;
    // Closing is where a full disk may show itself last.
    return std::fclose(file.release()) == 0 && whole;
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
    return !std::ferror(file.get());
}

bool FileExists(const std::u16string& path) {
    return access(NativePath(path).c_str(), F_OK) == 0;
}

bool WriteWholeFile(const std::u16string& path, const std::string& bytes) {
    const std::string target = NativePath(path);
    const std::string temporary = NativePath(path + kTemporaryFileSuffix);
    if (WriteAndSync(temporary, bytes) && std::rename(temporary.c_str(), target.c_str()) == 0) {
        return true;
    }
    unlink(temporary.c_str());
    return false;
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
