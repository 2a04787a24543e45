// Conformance of the stand-in's folder functions and its disk-fault seam, as
// the record stores rely on them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/AppFolder.h"
#include "wince/diskfaults.h"
#include "wince/file.h"
#include "wince/folder.h"

namespace {

namespace fs = std::filesystem;
constexpr DWORD kSentinel = 0xDEADBEEFu;

class WinceFolders : public ::testing::Test {
protected:
    void TearDown() override { wince::setDiskFault(wince::DiskFault::None); }

    std::u16string win(const std::string& relative) const
    {
        std::string path = app.path() + "/" + relative;
        std::u16string out(path.begin(), path.end());
        std::replace(out.begin(), out.end(), u'/', u'\\');
        return out;
    }
    std::string host(const std::string& relative) const { return app.path() + "/" + relative; }
    std::string read(const std::string& relative) const
    {
        std::ifstream in(host(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::vector<std::u16string> find(const std::string& pattern) const
    {
        std::vector<std::u16string> names;
        WIN32_FIND_DATAW data;
        HANDLE handle = FindFirstFileW(win(pattern).c_str(), &data);
        if (handle == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            names.emplace_back(data.cFileName);
        } while (FindNextFileW(handle, &data));
        EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
        EXPECT_TRUE(FindClose(handle));
        std::sort(names.begin(), names.end());
        return names;
    }

    vxtest::AppFolder app;
};

TEST_F(WinceFolders, FindMatchesWildcardsWithoutRegardToCase)
{
    for (const char* name : {"record-1.bin", "RECORD-22.BIN", "record-3.txt", "record-", "other"}) {
        app.write(std::string("f/") + name, "x");
    }
    fs::create_directory(host("f/record-dir.bin"));
    struct Case {
        const char* pattern;
        std::vector<std::u16string> names;
    };
    const Case cases[] = {
        {"f/record-*.bin", {u"RECORD-22.BIN", u"record-1.bin", u"record-dir.bin"}},
        {"f/record-?.*", {u"record-1.bin", u"record-3.txt"}},
        {"f/*", {u"RECORD-22.BIN", u"other", u"record-", u"record-1.bin", u"record-3.txt",
                 u"record-dir.bin"}},
        {"f/record-*", {u"RECORD-22.BIN", u"record-", u"record-1.bin", u"record-3.txt",
                        u"record-dir.bin"}},
        {"f/*.bin*", {u"RECORD-22.BIN", u"record-1.bin", u"record-dir.bin"}},
        {"f/nothing*", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(find(c.pattern), c.names) << c.pattern;
    }
    WIN32_FIND_DATAW data;
    HANDLE handle = FindFirstFileW(win("f/record-dir*").c_str(), &data);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
    FindClose(handle);

    SetLastError(kSentinel);
    EXPECT_EQ(FindFirstFileW(win("f/nothing*").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(FindFirstFileW(win("missing/*").c_str(), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(WinceFolders, FoldersAreMadeAndRemovedOnlyWhenEmpty)
{
    EXPECT_TRUE(CreateDirectoryW(win("a").c_str(), nullptr));
    EXPECT_EQ(GetFileAttributesW(win("a").c_str()), FILE_ATTRIBUTE_DIRECTORY);
    SetLastError(kSentinel);
    EXPECT_FALSE(CreateDirectoryW(win("a\\").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectoryW(win("missing/a").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    app.write("a/file", "x");
    EXPECT_EQ(GetFileAttributesW(win("a/file").c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(RemoveDirectoryW(win("a").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_DIR_NOT_EMPTY);
    EXPECT_FALSE(DeleteFileW(win("a").c_str())) << "a folder is no file";
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(DeleteFileW(win("a/file").c_str()));
    EXPECT_FALSE(DeleteFileW(win("a/file").c_str()));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(RemoveDirectoryW(win("a").c_str()));
    EXPECT_EQ(GetFileAttributesW(win("a").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(WinceFolders, MoveReplacesOnlyWhenAsked)
{
    app.write("old", "old bytes");
    app.write("new", "new bytes");
    SetLastError(kSentinel);
    EXPECT_FALSE(MoveFileExW(win("new").c_str(), win("old").c_str(), 0));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(read("old"), "old bytes");
    EXPECT_TRUE(MoveFileExW(win("new").c_str(), win("old").c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(read("old"), "new bytes");
    EXPECT_FALSE(fs::exists(host("new")));
    fs::create_directory(host("folder"));
    EXPECT_TRUE(MoveFileExW(win("folder\\").c_str(), win("renamed").c_str(),
                            MOVEFILE_WRITE_THROUGH));
    EXPECT_TRUE(fs::is_directory(host("renamed")));
    EXPECT_FALSE(MoveFileExW(win("absent").c_str(), win("x").c_str(), 0));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(WinceFolders, FlushedWritesAndTheFaultSeam)
{
    auto writeFile = [&](const char* name, const char* bytes, DWORD count) {
        HANDLE file = CreateFileW(win(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return std::string("no file");
        }
        DWORD written = kSentinel;
        BOOL ok = WriteFile(file, bytes, count, &written, nullptr) && FlushFileBuffers(file);
        DWORD error = GetLastError();
        CloseHandle(file);
        return ok ? std::string("ok") : "failed " + std::to_string(error) + " after " +
                                            std::to_string(written);
    };
    wince::setDiskFault(wince::DiskFault::None);
    EXPECT_EQ(writeFile("plain", "abcdef", 6), "ok");
    EXPECT_EQ(wince::diskSteps(), 3u) << "create, write, flush";

    wince::setDiskFault(wince::DiskFault::Full);
    EXPECT_EQ(writeFile("full", "abcdef", 6), "failed 112 after 0");
    EXPECT_EQ(read("full"), "");

    wince::setDiskFault(wince::DiskFault::Halt, 1);
    EXPECT_EQ(writeFile("torn", "abcdef", 6), "failed 5 after 3");
    EXPECT_EQ(read("torn"), "abc") << "a write cut short leaves part of its bytes";
    EXPECT_FALSE(DeleteFileW(win("torn").c_str())) << "nothing more reaches the disk";
    EXPECT_TRUE(fs::exists(host("torn")));
    wince::setDiskFault(wince::DiskFault::Halt, 0);
    EXPECT_EQ(writeFile("never", "x", 1), "no file");
    EXPECT_FALSE(fs::exists(host("never")));
}

}  // namespace
