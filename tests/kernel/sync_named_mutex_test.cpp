// Named mutexes seen across processes: a second process finds the name taken while
// the first holds it, and free once the first has ended, however it ended.
#include <windows.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

extern char** environ;

namespace {

std::string Narrow(const std::u16string& text) {
    std::string out(text.size() * 3 + 1, '\0');
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(),
                                           static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    return out;
}

// A holder process: started with the mutex's name, it reports what CreateMutexW
// said, then keeps the handle until it is told to exit or is killed.
class Holder {
  public:
    explicit Holder(const std::u16string& name) {
        int toChild[2];
        int fromChild[2];
        if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
        const std::string narrowName = Narrow(name);
        char* const argv[] = {const_cast<char*>(NAMED_MUTEX_HOLDER),
                              const_cast<char*>(narrowName.c_str()), nullptr};
        if (posix_spawn(&pid_, NAMED_MUTEX_HOLDER, &actions, nullptr, argv, environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(toChild[0]);
        close(fromChild[1]);
        input_ = toChild[1];
        output_ = fdopen(fromChild[0], "r");
    }

    ~Holder() {
        Exit();
        if (output_ != nullptr) {
            std::fclose(output_);
        }
    }

    // What the holder's CreateMutexW said, e.g. "handle 0" or "handle 183".
    std::string Report() {
        char line[64] = {};
        if (output_ == nullptr || std::fgets(line, sizeof line, output_) == nullptr) {
            return "no report";
        }
        std::string report(line);
        if (!report.empty() && report.back() == '\n') {
            report.pop_back();
        }
        return report;
    }

    void Exit() { Stop(false); }
    void Kill() { Stop(true); }

  private:
    void Stop(bool kill) {
        if (input_ >= 0) {
            close(input_);
            input_ = -1;
        }
        if (pid_ > 0) {
            if (kill) {
                ::kill(pid_, SIGKILL);
            }
            int status = 0;
            waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }

    pid_t pid_ = -1;
    int input_ = -1;
    FILE* output_ = nullptr;
};

class NamedMutexTest : public testing::Test {
  protected:
    // Unique per process and test, so parallel runs never meet.
    std::u16string UniqueName(const char16_t* stem) {
        std::u16string name = u"Tessalink test ";
        name += stem;
        for (char c : " " + std::to_string(getpid())) {
            name.push_back(static_cast<char16_t>(c));
        }
        return name;
    }
};

TEST_F(NamedMutexTest, AnotherProcessHoldsTheNameUntilItExits) {
    const std::u16string name = UniqueName(u"held elsewhere \u00E9/\\");
    Holder holder(name);
    ASSERT_EQ("handle 0", holder.Report());

    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, mutex);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    // The handle is a working mutex even though the name existed.
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(mutex, 0));
    EXPECT_TRUE(ReleaseMutex(mutex));
    ASSERT_TRUE(CloseHandle(mutex));

    holder.Exit();
    mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, mutex);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    CloseHandle(mutex);
}

TEST_F(NamedMutexTest, AKilledHolderLeavesTheNameFree) {
    const std::u16string name = UniqueName(u"killed");
    Holder holder(name);
    ASSERT_EQ("handle 0", holder.Report());
    holder.Kill();
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, mutex);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    CloseHandle(mutex);
}

TEST_F(NamedMutexTest, OtherProcessesSeeOurNameWhileAnyHandleIsOpen) {
    const std::u16string name = UniqueName(u"held here");
    HANDLE first = CreateMutexW(nullptr, FALSE, name.c_str());
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    // A second open in the same process is the same mutex.
    HANDLE second = CreateMutexW(nullptr, TRUE, name.c_str());
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    EXPECT_NE(first, second);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first, 0));
    EXPECT_TRUE(ReleaseMutex(second));

    EXPECT_EQ("handle 183", Holder(name).Report());
    ASSERT_TRUE(CloseHandle(first));
    EXPECT_EQ("handle 183", Holder(name).Report());
    ASSERT_TRUE(CloseHandle(second));
    EXPECT_EQ("handle 0", Holder(name).Report());
}

TEST_F(NamedMutexTest, NamesAreCaseSensitiveAndBounded) {
    const std::u16string name = UniqueName(u"Case");
    std::u16string lower = name;
    for (char16_t& c : lower) {
        c = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
    }
    HANDLE upper = CreateMutexW(nullptr, FALSE, name.c_str());
    HANDLE other = CreateMutexW(nullptr, FALSE, lower.c_str());
    ASSERT_NE(nullptr, other);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    CloseHandle(upper);
    CloseHandle(other);

    // Long names that differ only at the end must stay different names.
    const std::u16string stem(MAX_PATH - 1, u'\u4E2D');
    HANDLE longA = CreateMutexW(nullptr, FALSE, (stem + u"a").c_str());
    HANDLE longB = CreateMutexW(nullptr, FALSE, (stem + u"b").c_str());
    ASSERT_NE(nullptr, longB);
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), GetLastError());
    CloseHandle(longA);
    CloseHandle(longB);

    const std::u16string tooLong(MAX_PATH + 1, u'x');
    EXPECT_EQ(nullptr, CreateMutexW(nullptr, FALSE, tooLong.c_str()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());
}

}  // namespace
