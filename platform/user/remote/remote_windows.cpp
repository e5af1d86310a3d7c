#include "user/remote/remote_windows.h"

#include <chrono>

#include "user/remote/window_request_client.h"

namespace platform::user {

namespace {

using namespace std::chrono_literals;

constexpr auto kFindTimeout = 1s;
// Longer than the owner allows its own thread, so its refusal arrives rather than ours.
constexpr auto kBringForwardTimeout = 3s;

}  // namespace

RemoteWindows& RemoteWindows::Instance() {
    // Never destroyed: any thread may still look a handle up while the process exits.
    static RemoteWindows* const instance = new RemoteWindows();
    return *instance;
}

HWND RemoteWindows::Find(const std::optional<std::u16string>& className,
                         const std::optional<std::u16string>& title) {
    const auto directory = ProcessDirectory::Open();
    if (!directory) {
        return nullptr;
    }
    WindowRequest request;
    request.kind = WindowRequestKind::Find;
    request.className = className;
    request.title = title;
    for (const PeerProcess& peer : directory->Peers()) {
        const PeerReply answer = AskPeer(peer, request, kFindTimeout);
        if (answer.answer == PeerAnswer::Answered && answer.reply.ok) {
            return HandleFor(Entry{peer, answer.reply.instance, answer.reply.window});
        }
    }
    return nullptr;
}

bool RemoteWindows::Holds(HWND handle) {
    const std::lock_guard lock(mutex_);
    return table_.Find(handle) != nullptr;
}

BOOL RemoteWindows::BringForward(HWND handle, bool ownedPopupFirst) {
    Entry entry;
    {
        const std::lock_guard lock(mutex_);
        const Entry* found = table_.Find(handle);
        if (!found) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        entry = *found;
    }
    WindowRequest request;
    request.kind = WindowRequestKind::BringForward;
    request.instance = entry.instance;
    request.window = entry.window;
    request.ownedPopupFirst = ownedPopupFirst;
    const PeerReply answer = AskPeer(entry.peer, request, kBringForwardTimeout);
    if (answer.answer == PeerAnswer::NoAnswer) {
        SetLastError(ERROR_TIMEOUT);
        return FALSE;
    }
    const bool sameProcess = answer.reply.instance == entry.instance;
    if (answer.answer == PeerAnswer::Gone || !sameProcess) {
        Retire(handle);
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return answer.reply.ok ? TRUE : FALSE;
}

HWND RemoteWindows::HandleFor(const Entry& entry) {
    const std::lock_guard lock(mutex_);
    const Identity identity{entry.peer.pid, entry.instance, entry.window};
    auto known = handles_.find(identity);
    if (known == handles_.end()) {
        const HWND handle = table_.Add(entry);
        if (!handle) {
            return nullptr;
        }
        known = handles_.emplace(identity, handle).first;
    }
    return known->second;
}

void RemoteWindows::Retire(HWND handle) {
    const std::lock_guard lock(mutex_);
    if (const auto entry = table_.Remove(handle)) {
        handles_.erase(Identity{entry->peer.pid, entry->instance, entry->window});
    }
}

}  // namespace platform::user
