// FindWindowW and SetForegroundWindow across processes: this test is the second copy of a
// program that finds the first one's frame and hands the user over to it.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <windows.h>
#include <winuser.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "child_process.h"
#include "user/remote/socket_descriptor.h"

namespace tessalink::test {
namespace {

HWND WithOwnedPopupFirst(HWND window) {
    return reinterpret_cast<HWND>(reinterpret_cast<ULONG_PTR>(window) | 1);
}

class RemoteWindowTest : public ::testing::Test {
  protected:
    // The processes of this test meet in a runtime directory of their own, so that
    // other programs of the same user running meanwhile neither see nor disturb them.
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/tessalink-processes-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        runtime_ = pattern;
        setenv("XDG_RUNTIME_DIR", pattern, 1);
    }

    static void TearDownTestSuite() { std::filesystem::remove_all(runtime_); }

    static std::string SocketOf(pid_t pid) {
        return runtime_ + "/tessalink/windows/windows-" + std::to_string(pid);
    }

    // Every test starts with the window owner's windows ready to be found.
    void SetUp() override {
        ASSERT_TRUE(owner_.Running());
        for (auto line = owner_.ReadLine(); line != "ready"; line = owner_.ReadLine()) {
            ASSERT_TRUE(line.has_value()) << "the window owner never got ready";
        }
    }

    static std::string runtime_;
    ChildProcess owner_{WINDOW_OWNER_PROCESS};
};

std::string RemoteWindowTest::runtime_;

TEST_F(RemoteWindowTest, FindsTheOtherProcessFrameAndBringsItOrItsPopupForward) {
    const HWND frame = FindWindowW(u"ProcessTestFrame", u"Frame");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(FindWindowW(u"processtestframe", u"FRAME"), frame) << "one handle per window";
    EXPECT_EQ(FindWindowW(u"ProcessTestFrame", nullptr), FindWindowW(nullptr, u"About"))
        << "the topmost window of the class, as in one process";

    EXPECT_TRUE(SetForegroundWindow(WithOwnedPopupFirst(frame)));
    EXPECT_EQ(owner_.ReadLine(), "active About");
    EXPECT_EQ(owner_.ReadLine(), "raise");
    EXPECT_TRUE(SetForegroundWindow(frame));
    EXPECT_EQ(owner_.ReadLine(), "active Frame");

    const std::string socket = SocketOf(owner_.Pid());
    ASSERT_TRUE(std::filesystem::exists(socket));
    owner_.CloseInput();
    EXPECT_EQ(owner_.Wait(), 0);
    EXPECT_FALSE(std::filesystem::exists(socket))
        << "a process that ends normally removes its socket";
    SetLastError(0);
    EXPECT_FALSE(SetForegroundWindow(frame));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(RemoteWindowTest, AnotherProcessWindowIsNeverTakenForOneOfOurs) {
    const HWND frame = FindWindowW(u"ProcessTestFrame", nullptr);
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(IsWindow(frame));
    SetLastError(0);
    EXPECT_EQ(GetWindowTextLengthW(frame), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(SendMessageW(frame, WM_USER, 0, 0), 0);
    EXPECT_FALSE(ShowWindow(frame, SW_HIDE));
    EXPECT_EQ(GetForegroundWindow(), nullptr) << "nothing of ours became active";

    SetLastError(0);
    EXPECT_EQ(FindWindowW(u"ProcessTestMissing", nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    EXPECT_EQ(FindWindowW(u"ProcessTestFrame", u"Other"), nullptr);
    EXPECT_EQ(FindWindowW(std::u16string(2000, u'x').c_str(), nullptr), nullptr)
        << "a class name too long to ask for finds nothing";
}

TEST_F(RemoteWindowTest, IgnoresAndRemovesAProcessThatEndedWithoutCleaningUp) {
    const HWND frame = FindWindowW(u"ProcessTestFrame", nullptr);
    ASSERT_NE(frame, nullptr);
    const std::string socket = SocketOf(owner_.Pid());

    owner_.Kill();
    ASSERT_TRUE(std::filesystem::exists(socket));
    EXPECT_EQ(FindWindowW(u"ProcessTestFrame", nullptr), nullptr);
    EXPECT_FALSE(std::filesystem::exists(socket));
    EXPECT_FALSE(SetForegroundWindow(frame));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(RemoteWindowTest, NonsenseOnTheSocketGetsNoAnswerAndChangesNothing) {
    platform::user::SocketDescriptor peer = platform::user::SocketDescriptor::OpenPacketSocket();
    sockaddr_un address{};
    ASSERT_TRUE(platform::user::MakeLocalAddress(SocketOf(owner_.Pid()), address));
    ASSERT_EQ(connect(peer.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_TRUE(peer.SetTimeout(std::chrono::seconds(5)));
    const std::byte junk[] = {std::byte{'T'}, std::byte{'L'}, std::byte{'R'}, std::byte{'1'},
                              std::byte{2}};
    ASSERT_TRUE(peer.Send(junk));
    EXPECT_EQ(peer.Receive(64), std::nullopt);

    const HWND frame = FindWindowW(u"ProcessTestFrame", u"Frame");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(SetForegroundWindow(frame));
    EXPECT_EQ(owner_.ReadLine(), "active Frame");
}

}  // namespace
}  // namespace tessalink::test
