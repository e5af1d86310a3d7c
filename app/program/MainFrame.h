// The program's one top-level window: the menu bar at the bottom ("Exit" and About),
// the tab strip above it, and the three pages, of which the one of the chosen tab fills
// the rest. It hands queued input to the visible page's dialog navigation and passes the
// pages' adapter notifications on to the other pages.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include <array>

#include "adapters/AdaptersPage.h"
#include "arp/ArpPage.h"
#include "diagnostics/DiagnosticsPage.h"
#include "framework/MessageMap.h"
#include "framework/PageMessages.h"
#include "framework/Window.h"
#include "program/MessageLoop.h"

class MainFrame : public Window, public MessageFilter, public IdleHandler {
  public:
    // The product name as the frame's window class, loaded by the single-instance check
    // before the frame exists; the class is registered under exactly this name.
    static constexpr int kClassNameCapacity = 260;
    static WCHAR* ClassName();

    MainFrame() = default;
    // A loop ended from outside (the device's quit) leaves the window up: it goes here,
    // while the pages' objects still exist to see their windows go.
    ~MainFrame();

    // Registers the class and creates the window; the menu bar, pages and tabs are made
    // during the call. nullptr on failure.
    HWND CreateFrame();
    // Loaded once the window exists; the frame swallows the keys of its commands.
    void SetAccelerators(HACCEL accelerators) { accelerators_ = accelerators; }

    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnIdle() override { return FALSE; }

    BEGIN_MSG_MAP()
    MESSAGE_HANDLER(WM_CREATE, OnCreate)
    MESSAGE_HANDLER(WM_ADAPTERS_REFRESHED, OnAdaptersRefreshed)
    MESSAGE_HANDLER(WM_ADAPTER_SELECTED, OnAdapterSelected)
    COMMAND_ID_HANDLER(ID_APP_EXIT, OnExit)
    COMMAND_ID_HANDLER(ID_APP_ABOUT, OnAbout)
    NOTIFY_HANDLER(kTabControlId, TCN_SELCHANGE, OnTabChanged)
    MESSAGE_HANDLER_IF(WM_SIZE, wParam != SIZE_MINIMIZED, OnSize)
    MESSAGE_HANDLER_IF(WM_ERASEBKGND, currentPage_, OnEraseBackground)
    MESSAGE_HANDLER_IF(WM_SETFOCUS, currentPage_, OnSetFocus)
    MESSAGE_HANDLER_IF(WM_DESTROY, IsTopLevel(), OnDestroy)
    END_MSG_MAP()

    // Places the tab strip just above the menu bar and gives the rest to the current page.
    void UpdateLayout();
    // Sends a page's notification to every other page, in tab order.
    void RelayToPages(UINT message, WPARAM wParam, LPARAM lParam, HWND excluded);

  private:
    static constexpr int kTabControlId = 101;

    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnAdaptersRefreshed(WPARAM wParam, LPARAM lParam);
    LRESULT OnAdapterSelected(WPARAM wParam, LPARAM lParam);
    LRESULT OnExit(WORD, WORD, HWND);
    LRESULT OnAbout(WORD, WORD, HWND);
    LRESULT OnTabChanged(int, UINT, NMHDR*);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

    // The pages in tab order.
    std::array<Page*, 3> Pages();

    void CreateMenuBar();
    void CreatePages();
    void CreateTabs();
    bool IsTopLevel() const;
    // The bottom of the area the frame lays out: above the menu bar, when there is one.
    int LayoutBottom(const RECT& client) const;

    HWND currentPage_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HWND menuBar_ = nullptr;
    AdaptersPage adaptersPage_;
    DiagnosticsPage diagnosticsPage_;
    ArpPage arpPage_;
    HWND tabs_ = nullptr;
};
