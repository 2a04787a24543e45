// The file, mutex, message-queue, registry and shell stand-ins.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "support/AppFolder.h"
#include "support/HalTestSupport.h"
#include "wince/file.h"
#include "wince/mutex.h"
#include "wince/power.h"
#include "wince/registry.h"
#include "wince/shell.h"
#include "wince/testing.h"

namespace {

using vxtest::AppFolder;

std::u16string windowsPath(const AppFolder& app, const std::u16string& tail)
{
    std::u16string path;
    for (char c : app.path()) {
        path += c == '/' ? u'\\' : static_cast<char16_t>(c);
    }
    return path + tail;
}

TEST(Files, WindowsPathsReachTheFolderWithoutRegardToCase)
{
    AppFolder app;
    app.write("Data/Level.BIN", "abcdefgh");
    HANDLE file = CreateFileW(windowsPath(app, u"\\data\\level.bin").c_str(), GENERIC_READ,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(file, nullptr), 8u);
    EXPECT_EQ(SetFilePointer(file, 2, nullptr, FILE_BEGIN), 2u);
    char buffer[16] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file, buffer, 16, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "cdefgh");
    EXPECT_TRUE(ReadFile(file, buffer, 16, &read, nullptr));
    EXPECT_EQ(read, 0u);  // at the end
    EXPECT_EQ(SetFilePointer(file, -3, nullptr, FILE_END), 5u);
    EXPECT_TRUE(CloseHandle(file));
    // A relative path starts at the application folder.
    file = CreateFileW(u"DATA\\LEVEL.BIN", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
}

TEST(Files, CreationModesAndTheirErrors)
{
    AppFolder app;
    std::u16string path = windowsPath(app, u"\\new.txt");
    SetLastError(0xDEADBEEF);
    EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, "xyz", 3, &written, nullptr));
    EXPECT_EQ(written, 3u);
    CloseHandle(file);
    EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_EQ(CreateFileW(windowsPath(app, u"\\").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                          0, nullptr),
              INVALID_HANDLE_VALUE);  // a folder is not a file
    EXPECT_EQ(GetFileSize(nullptr, nullptr), INVALID_FILE_SIZE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Files, ModuleFileIsInTheApplicationFolder)
{
    AppFolder app;
    char16_t path[512];
    DWORD n = GetModuleFileNameW(nullptr, path, 512);
    std::u16string module(path, n);
    std::u16string folder = windowsPath(app, u"\\");
    EXPECT_EQ(module.substr(0, folder.size()), folder);
    EXPECT_EQ(module.find(u'\\', folder.size()), std::u16string::npos);
    char16_t small[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 3), 3u);  // cut short
    EXPECT_EQ(small[2], 0);
    EXPECT_EQ(small[3], u'#');
}

TEST(Files, WideLinesFromUtf8Text)
{
    AppFolder app;
    app.write("text.txt",
              "one\r\nt\xC3\xA9\n\xF0\x9F\x98\x80x\n\xFF\nlast\xED\xA0\x80\xF4\x90\x80\x80z");
    FILE* file = _wfopen(windowsPath(app, u"\\TEXT.TXT").c_str(), u"rt");
    ASSERT_NE(file, nullptr);
    char16_t buffer[3];  // room for two characters
    std::vector<std::u16string> pieces;
    while (fgetws(buffer, 3, file)) {
        pieces.emplace_back(buffer);
    }
    std::fclose(file);
    std::vector<std::u16string> expected = {
        u"on", u"e\r", u"\n", u"t\u00E9", u"\n",
        u"\U0001F600",  // the pair is never split
        u"x\n", u"\uFFFD\n", u"la", u"st",
        // Bad bytes are one U+FFFD each, none lost to a small buffer.
        u"\uFFFD\uFFFD", u"\uFFFD\uFFFD", u"\uFFFD\uFFFD", u"\uFFFDz",
    };
    EXPECT_EQ(pieces, expected);
    EXPECT_EQ(_wfopen(windowsPath(app, u"\\missing.txt").c_str(), u"rt"), nullptr);
}

TEST(Mutexes, ASecondHandleOfANameSeesItExists)
{
    AppFolder app;
    SetLastError(0xDEADBEEF);
    HANDLE first = CreateMutexW(nullptr, FALSE, u"Local\\Game");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    HANDLE second = CreateMutexW(nullptr, FALSE, u"Local\\Game");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    HANDLE other = CreateMutexW(nullptr, FALSE, u"Local\\Other");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(first);
    HANDLE third = CreateMutexW(nullptr, FALSE, u"Local\\Game");
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);  // the second handle keeps it
    CloseHandle(second);
    CloseHandle(third);
    HANDLE fresh = CreateMutexW(nullptr, FALSE, u"Local\\Game");
    EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    CloseHandle(fresh);
    CloseHandle(other);
}

// Asks another process whether the name is free in the folder now named by
// VEXALON_APP_DIR: its CreateMutexW's last error.
DWORD lastErrorInAnotherProcess(const std::u16string& name)
{
    int answer[2];
    if (pipe(answer) != 0) {
        return 0xDEADBEEF;
    }
    pid_t child = fork();
    if (child == 0) {
        HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
        DWORD error = mutex ? GetLastError() : 0xBAD;
        CloseHandle(mutex);
        (void)!write(answer[1], &error, sizeof(error));
        _exit(0);
    }
    DWORD error = 0xDEADBEEF;
    (void)!read(answer[0], &error, sizeof(error));
    waitpid(child, nullptr, 0);
    close(answer[0]);
    close(answer[1]);
    return error;
}

// A mutex name in an application folder that exists or not.
struct FolderAndName {
    const char* what;
    bool folderExists;
    std::u16string name;
};

// The lock is made where it always can be: neither a missing application
// folder nor a name too long for a file name lets a second copy run.
TEST(Mutexes, AnyFolderAndNameHoldsAgainstAnotherProcess)
{
    const FolderAndName cases[] = {
        {"plain", true, u"Local\\Game"},
        {"missing folder", false, u"Local\\Game"},
        {"long name", true, u"Local\\" + std::u16string(300, u'n')},
        {"long name, other end", true, u"Local\\" + std::u16string(300, u'n') + u"x"},
    };
    for (const FolderAndName& c : cases) {
        AppFolder app;
        std::string folder = c.folderExists ? app.path() : app.path() + "/missing";
        setenv("VEXALON_APP_DIR", folder.c_str(), 1);
        EXPECT_EQ(lastErrorInAnotherProcess(c.name), ERROR_SUCCESS) << c.what;
        SetLastError(0xDEADBEEF);
        HANDLE mutex = CreateMutexW(nullptr, FALSE, c.name.c_str());
        ASSERT_NE(mutex, nullptr) << c.what;
        EXPECT_EQ(GetLastError(), ERROR_SUCCESS) << c.what;
        EXPECT_EQ(lastErrorInAnotherProcess(c.name), ERROR_ALREADY_EXISTS) << c.what;
        setenv("VEXALON_APP_DIR", (app.path() + "/elsewhere").c_str(), 1);
        EXPECT_EQ(lastErrorInAnotherProcess(c.name), ERROR_SUCCESS) << c.what;
        CloseHandle(mutex);
        setenv("VEXALON_APP_DIR", folder.c_str(), 1);
        EXPECT_EQ(lastErrorInAnotherProcess(c.name), ERROR_SUCCESS) << c.what << ", closed";
    }
}

// Another process that owns a name from the start, so this one knows of it
// only through the lock: made in the folder named by VEXALON_APP_DIR, held
// until release() or destruction.
class NameHeldElsewhere {
public:
    explicit NameHeldElsewhere(const std::u16string& name)
    {
        if (pipe(ready_) != 0 || pipe(release_) != 0) {
            return;
        }
        child_ = fork();
        if (child_ == 0) {
            HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
            char byte = mutex && GetLastError() == ERROR_SUCCESS ? 'y' : 'n';
            (void)!write(ready_[1], &byte, 1);
            (void)!read(release_[0], &byte, 1);
            CloseHandle(mutex);
            _exit(0);
        }
        char byte = 0;
        held_ = read(ready_[0], &byte, 1) == 1 && byte == 'y';
    }
    ~NameHeldElsewhere() { release(); }

    bool held() const { return held_; }

    void release()
    {
        if (child_ > 0) {
            (void)!write(release_[1], "x", 1);
            waitpid(child_, nullptr, 0);
            child_ = -1;
            for (int fd : {ready_[0], ready_[1], release_[0], release_[1]}) {
                close(fd);
            }
        }
    }

private:
    int ready_[2] = {-1, -1};
    int release_[2] = {-1, -1};
    pid_t child_ = -1;
    bool held_ = false;
};

// This process's CreateMutexW's last error for the name (the handle closed).
DWORD lastErrorHere(const std::u16string& name)
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    DWORD error = mutex ? GetLastError() : 0xBAD;
    CloseHandle(mutex);
    return error;
}

TEST(Mutexes, ANameHeldByAnotherProcessIsRefusedInItsFolderOnly)
{
    const std::u16string longName = u"Local\\" + std::u16string(300, u'n');
    const FolderAndName cases[] = {
        {"plain", true, u"Local\\Game"},
        {"missing folder", false, u"Local\\Game"},
        {"long name", true, longName},
    };
    for (const FolderAndName& c : cases) {
        AppFolder app;
        std::string folder = c.folderExists ? app.path() : app.path() + "/missing";
        vxtest::ScopedEnv applicationFolder("VEXALON_APP_DIR", folder.c_str());
        NameHeldElsewhere holder(c.name);
        ASSERT_TRUE(holder.held()) << c.what;
        EXPECT_EQ(lastErrorHere(c.name), ERROR_ALREADY_EXISTS) << c.what;
        EXPECT_EQ(lastErrorHere(c.name + u"x"), ERROR_SUCCESS) << c.what << ", longer name";
        {
            vxtest::ScopedEnv elsewhere("VEXALON_APP_DIR", (app.path() + "/elsewhere").c_str());
            EXPECT_EQ(lastErrorHere(c.name), ERROR_SUCCESS) << c.what << ", other folder";
        }
        holder.release();
        EXPECT_EQ(lastErrorHere(c.name), ERROR_SUCCESS) << c.what << ", released";
    }
}

TEST(Mutexes, ALockThatCannotBeMadeIsToldAndGivesNull)
{
    AppFolder app;
    app.write("not-a-folder", "");
    vxtest::ScopedEnv runtimeFolder("XDG_RUNTIME_DIR", nullptr);
    vxtest::ScopedEnv temporaryFolder("TMPDIR", (app.path() + "/not-a-folder").c_str());
    ::testing::internal::CaptureStderr();
    SetLastError(0xDEADBEEF);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, u"Local\\Game");
    DWORD error = GetLastError();
    std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(mutex, nullptr);
    EXPECT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_NE(told.find("CreateMutexW: no lock file for \"Local\\Game\""), std::string::npos)
        << told;
    EXPECT_NE(told.find("not-a-folder"), std::string::npos) << told;
}

TEST(MessageQueues, ClosingWakesAReaderAtOnce)
{
    MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), MSGQUEUE_NOPRECOMMIT, 0, 44, TRUE};
    HANDLE queue = CreateMsgQueue(nullptr, &options);
    ASSERT_NE(queue, nullptr);
    DWORD value = 7;
    EXPECT_TRUE(WriteMsgQueue(queue, &value, sizeof(value), 0, 0));
    DWORD got = 0;
    DWORD bytes = 0;
    DWORD flags = 0;
    EXPECT_TRUE(ReadMsgQueue(queue, &got, sizeof(got), &bytes, 0, &flags));
    EXPECT_EQ(got, 7u);
    EXPECT_EQ(bytes, sizeof(got));
    EXPECT_FALSE(ReadMsgQueue(queue, &got, sizeof(got), &bytes, 10, &flags));
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
    std::atomic<bool> woke{false};
    std::thread reader([&] {
        BYTE buffer[44];
        EXPECT_FALSE(ReadMsgQueue(queue, buffer, sizeof(buffer), &bytes, INFINITE, &flags));
        woke = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(CloseMsgQueue(queue));
    reader.join();  // would hang without the wake-up
    EXPECT_TRUE(woke);
}

TEST(PowerNotices, ReachEveryRequestUntilStopped)
{
    MSGQUEUEOPTIONS options{sizeof(MSGQUEUEOPTIONS), MSGQUEUE_NOPRECOMMIT, 0, 44, TRUE};
    HANDLE queue = CreateMsgQueue(nullptr, &options);
    HANDLE request = RequestPowerNotifications(queue, PBT_TRANSITION);
    ASSERT_NE(request, nullptr);
    wince::injectPowerNotice(POWER_STATE_ON);
    BYTE buffer[44];
    DWORD bytes = 0;
    DWORD flags = 0;
    ASSERT_TRUE(ReadMsgQueue(queue, buffer, sizeof(buffer), &bytes, 0, &flags));
    const auto* notice = reinterpret_cast<const POWER_BROADCAST*>(buffer);
    EXPECT_EQ(notice->Message, PBT_TRANSITION);
    EXPECT_EQ(notice->Flags, POWER_STATE_ON);
    EXPECT_TRUE(StopPowerNotifications(request));
    wince::injectPowerNotice(POWER_STATE_ON);
    EXPECT_FALSE(ReadMsgQueue(queue, buffer, sizeof(buffer), &bytes, 0, &flags));
    EXPECT_FALSE(StopPowerNotifications(request));
    CloseMsgQueue(queue);
}

TEST(Registry, ReadsWithTooSmallBuffersAndMissingValues)
{
    wince::resetRegistry();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"ident", 0, KEY_QUERY_VALUE, &key),
              (LONG)ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"NAME", nullptr, &type, nullptr, &size), (LONG)ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 16u);  // "Vexalon" and its terminator
    BYTE small[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    size = 2;
    EXPECT_EQ(RegQueryValueExW(key, u"Name", nullptr, &type, small, &size), (LONG)ERROR_MORE_DATA);
    EXPECT_EQ(size, 16u);
    EXPECT_EQ(small[0], 0xEE);
    EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, &type, nullptr, &size),
              (LONG)ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"No\\Such\\Key", 0, KEY_QUERY_VALUE, &key),
              (LONG)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
}

TEST(Shell, OnlyTheBrowserWithAWebAddressIsStarted)
{
    wince::captureShellRequests(true);
    SHELLEXECUTEINFO info{};
    info.cbSize = sizeof(info);
    info.lpFile = u"IEXPLORE.EXE";
    info.lpParameters = u"http://example.com/";
    EXPECT_TRUE(ShellExecuteEx(&info));
    EXPECT_EQ(wince::lastShellRequest(), u"IEXPLORE.EXE|http://example.com/");
    info.lpFile = u"cmd.exe";
    EXPECT_FALSE(ShellExecuteEx(&info));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    wince::captureShellRequests(false);
    info.lpFile = u"iexplore.exe";
    info.lpParameters = u"--help";  // not an address: never handed to a program
    EXPECT_FALSE(ShellExecuteEx(&info));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
