#include "user/remote/window_request_server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include <winuser.h>

#include "display/raise_request.h"
#include "user/remote/process_directory.h"
#include "user/remote/socket_descriptor.h"
#include "user/remote/window_request.h"
#include "user/remote/window_thread_call.h"
#include "user/top_level_search.h"
#include "user/window_manager.h"

namespace platform::user {

namespace {

using namespace std::chrono_literals;

// A peer that connects and says nothing for this long is dropped, so it cannot hold up
// the others.
constexpr auto kRequestTimeout = 200ms;
// How long the window's thread may take to bring it forward; askers wait a little more.
constexpr auto kBringForwardTimeout = 2s;

// Removes the socket's name when the process ends normally; a forked child that never
// started listening leaves its parent's socket alone.
class PublishedSocket {
  public:
    ~PublishedSocket() {
        if (!path.empty() && owner == getpid()) {
            unlink(path.c_str());
        }
    }

    std::string path;
    pid_t owner = 0;
};

PublishedSocket published;

std::uint64_t NewInstanceNumber() {
    std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device();
}

WindowReply FindWindow(const WindowRequest& request) {
    auto& manager = WindowManager::Instance();
    auto lock = manager.Lock();
    std::shared_ptr<WindowClass> windowClass;
    if (request.className) {
        windowClass = manager.Classes().Find(request.className->c_str());
        if (!windowClass) {
            return {};
        }
    }
    const HWND found = FindTopLevelWindow(windowClass, request.title);
    return {found != nullptr, 0, reinterpret_cast<std::uintptr_t>(found)};
}

WindowReply BringForward(const WindowRequest& request, std::uint64_t instance) {
    const auto window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request.window));
    {
        auto& manager = WindowManager::Instance();
        auto lock = manager.Lock();
        const auto found = manager.Find(window);
        if (request.instance != instance || !found || found->parent != &manager.Desktop()) {
            return {};
        }
    }
    const bool ownedPopupFirst = request.ownedPopupFirst;
    const auto done = CallOnWindowThread(
        window,
        [window, ownedPopupFirst]() -> LRESULT {
            const auto tagged = reinterpret_cast<std::uintptr_t>(window) | ownedPopupFirst;
            if (!SetForegroundWindow(reinterpret_cast<HWND>(tagged))) {
                return FALSE;
            }
            display::RequestRaise();
            return TRUE;
        },
        kBringForwardTimeout);
    return {done && *done, 0, request.window};
}

bool SameUser(int descriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return getsockopt(descriptor, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
           credentials.uid == geteuid();
}

void AnswerOne(SocketDescriptor client, std::uint64_t instance) {
    if (!SameUser(client.Get()) || !client.SetTimeout(kRequestTimeout)) {
        return;
    }
    const auto message = client.Receive(kMaxRequestBytes);
    const auto request = message ? DecodeRequest(*message) : std::nullopt;
    if (!request) {
        return;  // closing without an answer tells the asker it asked nonsense.
    }
    WindowReply reply = request->kind == WindowRequestKind::Find ? FindWindow(*request)
                                                                 : BringForward(*request, instance);
    reply.instance = instance;
    client.Send(EncodeReply(reply));
}

void Serve(SocketDescriptor listener, std::uint64_t instance) {
    for (;;) {
        const int client = accept4(listener.Get(), nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0) {
            AnswerOne(SocketDescriptor(client), instance);
        } else if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
            // Out of descriptors or memory for now: the pending asker waits, then retries.
            std::this_thread::sleep_for(10ms);
        } else if (errno != EINTR && errno != ECONNABORTED) {
            return;
        }
    }
}

// Binds under a temporary name and renames it into place once listening, so a name in
// the directory that refuses connections always belongs to a process that has ended.
SocketDescriptor Listen(const ProcessDirectory& directory) {
    const pid_t self = getpid();
    const std::string path = directory.SocketPathOf(self);
    const std::string starting = directory.Path() + "/starting-" + std::to_string(self);
    sockaddr_un address{};
    SocketDescriptor listener = SocketDescriptor::OpenPacketSocket();
    // The temporary name is the longer one: when it fits an address, so does the other.
    if (!listener.Valid() || !MakeLocalAddress(starting, address)) {
        return {};
    }
    unlink(starting.c_str());
    if (bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return {};
    }
    if (listen(listener.Get(), 16) != 0 || rename(starting.c_str(), path.c_str()) != 0) {
        unlink(starting.c_str());
        return {};
    }
    published.path = path;
    published.owner = self;
    return listener;
}

}  // namespace

void PublishWindowsToOtherProcesses() {
    static std::once_flag started;
    std::call_once(started, [] {
        const auto directory = ProcessDirectory::Open();
        if (!directory) {
            return;
        }
        SocketDescriptor listener = Listen(*directory);
        if (!listener.Valid()) {
            return;
        }
        // Detached: it serves as long as the process lives, blocked in accept when idle.
        std::thread(Serve, std::move(listener), NewInstanceNumber()).detach();
    });
}

}  // namespace platform::user
