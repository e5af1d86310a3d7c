// The "Ping" page: an address with its history, the Action button that pings, traces
// the route to or resolves it, and the list, tree and text that show the results. Ping
// and trace run on a worker thread that reports each step with a sent
// WM_DIAG_PROGRESS; Resolve runs here, on the page's own thread.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include "controls/MenuButton.h"
#include "diagnostics/DiagnosticsJob.h"
#include "diagnostics/DiagnosticsProgress.h"
#include "framework/MessageMap.h"
#include "framework/Page.h"
#include "resources/resource.h"

class DiagnosticsPage : public Page {
  public:
    // The Action button's choices, in its menu's order.
    static constexpr int ACTION_PING = 100;
    static constexpr int ACTION_TRACERT = 110;
    static constexpr int ACTION_RESOLVE = 120;

    // The address box's text is read up to this many characters; a longer text is never
    // looked up, since what is left of it would name another host.
    static constexpr int kAddressTextLength = 150;

    DiagnosticsPage() : Page(IDD_DIAGNOSTICS) {}

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_DIAG_PROGRESS, OnProgress)
    COMMAND_ID_HANDLER(IDC_ACTION, OnActionButton)
    COMMAND_ID_HANDLER(IDC_ADDRESS, OnAddressBox)
    END_MSG_MAP()

  private:
    LRESULT OnInitDialog(WPARAM, LPARAM);
    LRESULT OnProgress(WPARAM code, LPARAM record);
    LRESULT OnActionButton(WORD, WORD code, HWND);
    LRESULT OnAddressBox(WORD, WORD code, HWND);

    void RunAction();
    void AddToHistory();
    void StartPing();
    void StartTrace();
    void ResolveAction();
    void UpdateChoiceControls();

    // What a ping and a trace share before their worker starts: the address checked and
    // stored in the job, the controls disabled and `view` shown. False, changing nothing
    // more, when the address is neither dotted nor resolvable.
    bool PrepareRun(HWND view);
    // Starts the run's thread on the job; should that fail, the controls come back.
    void StartWorker(LPTHREAD_START_ROUTINE worker);
    // The address box's text; false when it is longer than kAddressTextLength.
    bool ReadAddress(WCHAR (&text)[kAddressTextLength + 1]) const;
    // The selected entry's item data, 0 when none is selected.
    DWORD ChoiceOf(HWND combo) const;
    void ShowOnly(HWND view);
    void EnableRunControls(BOOL enable);
    bool WorkerRunning();

    void AppendLine(LPCWSTR text, bool makeVisible);
    HTREEITEM AddTreeItem(LPCWSTR text, HTREEITEM parent);
    void ShowTreeItem(HTREEITEM item);
    void OnTraceProgress(WPARAM code, const EchoResult& record);
    void OnPingProgress(WPARAM code, const EchoResult& record);

    HWND address_ = nullptr;
    HWND dataSize_ = nullptr;
    HWND repetition_ = nullptr;
    HWND tree_ = nullptr;
    HWND list_ = nullptr;
    HWND text_ = nullptr;
    MenuButton action_;
    DiagnosticsJob job_;
};
