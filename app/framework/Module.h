// The process-wide module state: the program's instance handle (which is also where its
// resources are), the map from user-interface thread to that thread's message loop, and
// the window classes registered for the program, unregistered again at Terminate.
// The loop map may be used from any thread; its critical section guards it.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class MessageLoop;

class Module {
  public:
    // The one module state of the process.
    static Module& Process();

    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    // Starts the state with the program's instance handle; once before any other use.
    void Initialize(HINSTANCE instance);
    // Unregisters the classes registered through RegisterWindowClass and ends the
    // state; the loop map must be empty by then.
    void Terminate();

    HINSTANCE InstanceHandle() const { return instance_; }
    HINSTANCE ResourceInstance() const { return instance_; }

    // Registers the calling thread's loop. False when the thread has one already.
    bool AddMessageLoop(MessageLoop* loop);
    // Forgets the calling thread's loop. False when it had none.
    bool RemoveMessageLoop();
    // The loop of the thread with this id, or nullptr.
    MessageLoop* GetMessageLoop(DWORD threadId);

    // Registers a class once for the program, whatever the number of calls; the class
    // is unregistered at Terminate. False when registration failed or the class has no
    // name.
    bool RegisterWindowClass(const WNDCLASSW& windowClass);

  private:
    Module() = default;

    // Holds the loop map's critical section for the life of one lookup or change.
    class LoopMapLock;

    HINSTANCE instance_ = nullptr;
    CRITICAL_SECTION loopMapSection_{};
    std::map<DWORD, MessageLoop*> loops_;
    // Only the user-interface thread registers classes; not locked.
    std::vector<std::u16string> classNames_;
};
