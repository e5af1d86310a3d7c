#include "framework/Module.h"

#include <algorithm>

class Module::LoopMapLock {
  public:
    explicit LoopMapLock(CRITICAL_SECTION& section) : section_(section) {
        EnterCriticalSection(&section_);
    }
    LoopMapLock(const LoopMapLock&) = delete;
    LoopMapLock& operator=(const LoopMapLock&) = delete;
    ~LoopMapLock() { LeaveCriticalSection(&section_); }

  private:
    CRITICAL_SECTION& section_;
};

Module& Module::Process() {
    static Module module;
    return module;
}

void Module::Initialize(HINSTANCE instance) {
    instance_ = instance;
    InitializeCriticalSection(&loopMapSection_);
}

void Module::Terminate() {
    for (const std::u16string& name : classNames_) {
        UnregisterClassW(name.c_str(), instance_);
    }
    classNames_.clear();
    loops_.clear();
    DeleteCriticalSection(&loopMapSection_);
    instance_ = nullptr;
}

bool Module::AddMessageLoop(MessageLoop* loop) {
    LoopMapLock lock(loopMapSection_);
    return loops_.emplace(GetCurrentThreadId(), loop).second;
}

bool Module::RemoveMessageLoop() {
    LoopMapLock lock(loopMapSection_);
    return loops_.erase(GetCurrentThreadId()) == 1;
}

MessageLoop* Module::GetMessageLoop(DWORD threadId) {
    LoopMapLock lock(loopMapSection_);
    const auto found = loops_.find(threadId);
    return found == loops_.end() ? nullptr : found->second;
}

bool Module::RegisterWindowClass(const WNDCLASSW& windowClass) {
    // Classes are kept by name for Terminate; an atom alone names nothing to keep.
    if (IS_INTRESOURCE(windowClass.lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const std::u16string name = windowClass.lpszClassName;
    if (std::ranges::find(classNames_, name) != classNames_.end()) {
        return true;
    }
    if (!RegisterClassW(&windowClass)) {
        return false;
    }
    classNames_.push_back(name);
    return true;
}
