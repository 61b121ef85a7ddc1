// Whole-file writes replace the file in one step: a reader sees the old text
// or the new one, never a part of one, and a write that fails leaves the old.
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

#include "platform/TextCodec.h"

namespace {

std::u16string TempPath(const char* name) {
    std::string path = testing::TempDir() + name;
    return DecodeText(reinterpret_cast<const unsigned char*>(path.data()), path.size(), false,
                      path.size());
}

TEST(FilesTest, ReadersSeeOnlyWholeTextsWhileTheFileIsRewritten) {
    const std::u16string path = TempPath("rewritten.ini");
    // Of different lengths, so that a cut or a mix of two shows.
    const std::string texts[] = {std::string(3000, 'a') + "\r\n", std::string(70000, 'b'), "c"};
    ASSERT_TRUE(WriteWholeFile(path, texts[0]));
    std::atomic<bool> writing{true};
    int reads = 0, partial = 0;
    // Another program, an editor or a script, reads the file in whatever
    // sharing its library opens it with, and again and again: but not so
    // often that it never lets go, which no write could wait out.
    std::thread reader([&] {
        while (writing) {
            std::ifstream in(std::filesystem::path(path), std::ios::binary);
            if (!in) continue;
            std::string bytes{std::istreambuf_iterator<char>(in), {}};
            in.close();
            ++reads;
            if (bytes != texts[0] && bytes != texts[1] && bytes != texts[2]) ++partial;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    constexpr int kWrites = 40;
    int written = 0;
    for (int i = 1; i <= kWrites; ++i) written += WriteWholeFile(path, texts[i % 3]);
    writing = false;
    reader.join();
    EXPECT_EQ(partial, 0) << "of " << reads << " reads";
    EXPECT_GT(reads, 0);
    // A reader holds the file only for a moment, which a write waits out.
    EXPECT_EQ(written, kWrites);
    std::string last;
    ASSERT_TRUE(ReadWholeFile(path, last));
    EXPECT_EQ(last, texts[kWrites % 3]);
}

TEST(FilesTest, AFailedWriteOrReadSaysSoAndLeavesTheFile) {
    namespace fs = std::filesystem;
    const std::u16string path = TempPath("kept.ini");
    const fs::path file(path);
    const fs::path temporary(path + kTemporaryFileSuffix);
    const struct Case {
        const char* name;
        std::function<void()> block, unblock;
        bool writes;  // whether a write or a read is tried
    } cases[] = {
        {"the temporary's place is taken", [&] { fs::create_directory(temporary); },
         [&] { fs::remove(temporary); }, true},
        // Opened, a folder gives no bytes: that is no empty file.
        {"a folder is read", [] {}, [] {}, false},
    };
    const std::string old = "hostname=kept\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteWholeFile(path, old));
        c.block();
        std::string bytes = "unread";
        if (c.writes) {
            EXPECT_FALSE(WriteWholeFile(path, "hostname=new\r\n"));
        } else {
            EXPECT_FALSE(ReadWholeFile(TempPath(""), bytes));
        }
        c.unblock();
        ASSERT_TRUE(ReadWholeFile(path, bytes));
        EXPECT_EQ(bytes, old);
    }
}

}  // namespace
