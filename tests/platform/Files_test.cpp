// Whole-file writes replace the file in one step: a reader sees the old text
// or the new one, never a part of one, and a write that fails leaves the old.
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace {

std::u16string TempPath(const char* name) {
    return std::filesystem::path(testing::TempDir() + name).u16string();
}

TEST(FilesTest, ReadersSeeOnlyWholeTextsWhileTheFileIsRewritten) {
    const std::u16string path = TempPath("rewritten.ini");
    // Of different lengths, so that a cut or a mix of two shows.
    const std::string texts[] = {std::string(3000, 'a') + "\r\n", std::string(70000, 'b'), "c"};
    ASSERT_TRUE(WriteWholeFile(path, texts[0]));
    std::atomic<bool> writing{true};
    int reads = 0, partial = 0;
    // Another program reads the file in whatever sharing its library opens it
    // with, again and again, pausing so that a write can wait it out.
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
    EXPECT_EQ(written, kWrites);
    std::string last;
    ASSERT_TRUE(ReadWholeFile(path, last));
    EXPECT_EQ(last, texts[kWrites % 3]);
}

TEST(FilesTest, AFailedWriteOrReadSaysSoAndLeavesTheFile) {
    const std::u16string path = TempPath("kept.ini");
    const std::filesystem::path temporary(path + kTemporaryFileSuffix);
    const std::string old = "hostname=kept\r\n";
    ASSERT_TRUE(WriteWholeFile(path, old));
    std::filesystem::create_directory(temporary);  // the temporary's place is taken
    EXPECT_FALSE(WriteWholeFile(path, "hostname=new\r\n"));
    std::filesystem::remove(temporary);
    std::string bytes = "unread";
    EXPECT_FALSE(ReadWholeFile(TempPath(""), bytes));  // a folder gives no bytes: no empty file
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, old);
}

}  // namespace
