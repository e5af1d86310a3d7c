// The message loop of a user-interface thread, with the two kinds of object that take
// part in it: message filters, which may consume a queued message before it is
// translated and dispatched, and idle handlers, called once whenever the queue runs dry
// after real input.
#pragma once

#include <windows.h>

#include <vector>

class MessageFilter {
  public:
    // Nonzero when the message was consumed: it is then neither translated nor
    // dispatched.
    virtual BOOL PreTranslateMessage(MSG* message) = 0;
    virtual ~MessageFilter() = default;
};

class IdleHandler {
  public:
    // Nonzero when the handler has more idle work; the loop makes one pass regardless.
    virtual BOOL OnIdle() = 0;
    virtual ~IdleHandler() = default;
};

class MessageLoop {
  public:
    // Filters are offered a message from the last added to the first.
    void AddMessageFilter(MessageFilter* filter);
    void AddIdleHandler(IdleHandler* handler);

    // Runs until WM_QUIT; returns its wParam.
    int Run();

  private:
    // Messages that come in streams while nothing happens for the user; they do not
    // start another idle pass.
    static bool StartsIdleProcessing(UINT message);
    bool PreTranslate(MSG* message);
    void RunIdleHandlers();

    // Non-owning lists that grow as the handheld's template library grows them: room
    // for one at first, then twice the room whenever full.
    template <typename T>
    static void Append(std::vector<T*>& list, T* item);

    std::vector<MessageFilter*> filters_;
    std::vector<IdleHandler*> idleHandlers_;
    MSG message_{};
};
