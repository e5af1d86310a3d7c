// What windows and dialogs share: the object's window handle, its message map, and the
// guard that holds back OnFinalMessage until the outermost of the window's messages has
// returned. A handler may destroy its own window (even from a message nested inside
// another of its messages) and still touch its object until it returns.
#pragma once

#include <windows.h>

class MessageTarget {
  public:
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;
    // An object that goes before its window leaves the window to default handling.
    virtual ~MessageTarget();

    // The bound window; nullptr before its first message and after its last.
    HWND Handle() const { return hwnd_; }

    // The message map (see MessageMap.h): true when a row handled the message.
    virtual bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result) = 0;

  protected:
    // `slot` is the window word that keeps the object: the window's user data for
    // windows, the dialog's user word for dialogs.
    explicit MessageTarget(int slot) : slot_(slot) {}

    // Called once the window is gone and none of its messages is still being handled;
    // the object may delete itself here.
    virtual void OnFinalMessage(HWND) {}

    // The answer to a message, given whether the map handled it and with what result.
    virtual LRESULT Answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool handled,
                           LRESULT result) = 0;

    // Keeps this object with the window, from this message on.
    void Attach(HWND hwnd);
    // Runs one message through the map and Answer inside the nesting guard.
    LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The object kept with a window by Attach, or nullptr.
    static MessageTarget* FromHandle(HWND hwnd, int slot);

  private:
    int slot_ = 0;
    HWND hwnd_ = nullptr;
    // How many of the window's messages are being handled, one inside another.
    int nesting_ = 0;
    bool destroyed_ = false;
};
