// Named mutexes seen across processes: a second process finds the name taken while
// the first holds it, and free once the first has ended, however it ended.
#include <windows.h>

#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "child_process.h"

namespace {

using tessalink::test::ChildProcess;

// The holder process opens the mutex named by its argument, says what CreateMutexW
// said ("handle 0", or "handle 183" when the name was taken), and keeps the handle
// until its input closes or it is killed.
ChildProcess StartHolder(const std::u16string& name) {
    std::string narrow(name.size() * 3 + 1, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, name.c_str(), -1, narrow.data(),
                                           static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    return ChildProcess(NAMED_MUTEX_HOLDER, {narrow});
}

// Unique per process and test, so parallel runs never meet.
std::u16string UniqueName(const char16_t* stem) {
    const std::string pid = " " + std::to_string(getpid());
    return u"Tessalink test " + std::u16string(stem) + std::u16string(pid.begin(), pid.end());
}

TEST(NamedMutexTest, AnotherProcessHoldsTheNameUntilItExitsOrIsKilled) {
    for (const bool killed : {false, true}) {
        SCOPED_TRACE(killed ? "killed" : "exited");
        const std::u16string name = UniqueName(u"held elsewhere \u00E9/\\");
        ChildProcess holder = StartHolder(name);
        ASSERT_EQ(holder.ReadLine(), "handle 0");

        HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
        ASSERT_NE(nullptr, mutex);
        EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
        // The handle is a working mutex even though the name existed.
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(mutex, 0));
        EXPECT_TRUE(ReleaseMutex(mutex));
        ASSERT_TRUE(CloseHandle(mutex));

        if (killed) {
            holder.Kill();
        } else {
            holder.CloseInput();
            EXPECT_EQ(holder.Wait(), 0);
        }
        mutex = CreateMutexW(nullptr, FALSE, name.c_str());
        EXPECT_EQ(ERROR_SUCCESS, GetLastError());
        CloseHandle(mutex);
    }
}

TEST(NamedMutexTest, OtherProcessesSeeOurNameWhileAnyHandleIsOpen) {
    const std::u16string name = UniqueName(u"held here");
    HANDLE first = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(ERROR_SUCCESS, GetLastError());
    // A second open in the same process is the same mutex.
    HANDLE second = CreateMutexW(nullptr, TRUE, name.c_str());
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(ERROR_ALREADY_EXISTS, GetLastError());
    EXPECT_NE(first, second);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, 0));
    EXPECT_TRUE(ReleaseMutex(second));

    EXPECT_EQ(StartHolder(name).ReadLine(), "handle 183");
    ASSERT_TRUE(CloseHandle(first));
    EXPECT_EQ(StartHolder(name).ReadLine(), "handle 183");
    ASSERT_TRUE(CloseHandle(second));
    EXPECT_EQ(StartHolder(name).ReadLine(), "handle 0");
}

TEST(NamedMutexTest, NamesAreCaseSensitiveAndBounded) {
    // Names that differ only in case, or only at the end of a long name, stay different.
    std::u16string stem = UniqueName(u"long ");
    stem.resize(MAX_PATH - 1, u'\u4E2D');
    for (const auto& [first, second] : {std::pair{UniqueName(u"Case"), UniqueName(u"case")},
                                        std::pair{stem + u"a", stem + u"b"}}) {
        HANDLE one = CreateMutexW(nullptr, FALSE, first.c_str());
        HANDLE other = CreateMutexW(nullptr, FALSE, second.c_str());
        EXPECT_EQ(ERROR_SUCCESS, GetLastError());
        CloseHandle(one);
        CloseHandle(other);
    }

    const std::u16string tooLong(MAX_PATH + 1, u'x');
    EXPECT_EQ(nullptr, CreateMutexW(nullptr, FALSE, tooLong.c_str()));
    EXPECT_EQ(ERROR_FILENAME_EXCED_RANGE, GetLastError());
}

}  // namespace
