#include "program/MainFrame.h"

#include <aygshell.h>
#include <commctrl.h>

#include <array>

#include "common/RectSize.h"
#include "framework/Module.h"
#include "program/AboutDialog.h"

namespace {

// The size of the menu bar's description on the handheld, which the shell takes as it
// is.
constexpr DWORD kHandheldMenuBarInfoSize = 36;
// The tab control's look of the handheld's newer common controls.
constexpr WPARAM kTabControlVersion = 0x020C;
constexpr UINT kPlacement = SWP_NOZORDER | SWP_NOACTIVATE;

}  // namespace

std::array<Page*, 3> MainFrame::Pages() {
    return {&adaptersPage_, &diagnosticsPage_, &arpPage_};
}

WCHAR* MainFrame::ClassName() {
    static WCHAR name[kClassNameCapacity]{};
    return name;
}

MainFrame::~MainFrame() {
    if (Handle()) {
        DestroyWindow(Handle());
    }
}

HWND MainFrame::CreateFrame() {
    WCHAR title[256]{};
    LoadStringW(Module::Process().ResourceInstance(), IDR_MAINFRAME, title, 256);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Window::StartProcedure;
    windowClass.hInstance = Module::Process().InstanceHandle();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = ClassName();
    if (!Module::Process().RegisterWindowClass(windowClass)) {
        return nullptr;
    }
    return Create(WS_EX_WINDOWEDGE, ClassName(), title, WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

LRESULT MainFrame::OnCreate(WPARAM, LPARAM) {
    CreateMenuBar();
    CreatePages();
    if (MessageLoop* loop = Module::Process().GetMessageLoop(GetCurrentThreadId())) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
    }
    CreateTabs();
    UpdateLayout();
    return 0;
}

void MainFrame::CreateMenuBar() {
    SHMENUBARINFO info{};
    info.cbSize = kHandheldMenuBarInfoSize;
    info.hwndParent = Handle();
    info.nToolBarId = IDR_MAINFRAME;
    info.hInstRes = Module::Process().ResourceInstance();
    info.nBmpId = IDB_ABOUT;
    info.cBmpImages = 1;
    // Without a menu bar the frame still works: the layout then uses the whole client
    // area (see LayoutBottom).
    if (SHCreateMenuBar(&info)) {
        menuBar_ = info.hwndMB;
    }
}

void MainFrame::CreatePages() {
    for (Page* page : Pages()) {
        if (HWND window = page->Create(Handle())) {
            ShowWindow(window, SW_HIDE);
        }
    }
    // A page whose dialog could not be made gets no tab (CreateTabs), so no tab ever
    // carries a null window; the first page that exists is shown first.
    for (Page* page : Pages()) {
        if (page->Handle()) {
            currentPage_ = page->Handle();
            break;
        }
    }
}

void MainFrame::CreateTabs() {
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, nullptr,
                            WS_CHILD | WS_VISIBLE | TCS_BOTTOM | TCS_FLATBUTTONS, 0, 0, 0, 0,
                            Handle(), reinterpret_cast<HMENU>(kTabControlId),
                            Module::Process().InstanceHandle(), nullptr);
    SendMessageW(tabs_, CCM_SETVERSION, kTabControlVersion, 0);

    struct Tab {
        const WCHAR* label;
        const Page& page;
    };
    const std::array<Tab, 3> tabs{Tab{u"Summary", adaptersPage_}, Tab{u"Ping", diagnosticsPage_},
                                  Tab{u"ARP", arpPage_}};
    int index = 0;
    for (const Tab& tab : tabs) {
        if (!tab.page.Handle()) {
            continue;
        }
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<WCHAR*>(tab.label);
        item.lParam = reinterpret_cast<LPARAM>(tab.page.Handle());
        SendMessageW(tabs_, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
    }
}

int MainFrame::LayoutBottom(const RECT& client) const {
    RECT menuBar{};
    if (menuBar_ && GetClientRect(menuBar_, &menuBar)) {
        return client.bottom - Height(menuBar);
    }
    // No menu bar: nothing to keep free, so the tab strip sits at the bottom.
    return client.bottom;
}

void MainFrame::UpdateLayout() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int bottom = LayoutBottom(client);
    RECT tab{};
    SendMessageW(tabs_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const int tabTop = bottom - Height(tab) - 2;
    SetWindowPos(tabs_, nullptr, client.left - 1, tabTop, client.right - client.left + 1,
                 Height(tab) + 2, kPlacement);
    if (currentPage_) {
        ShowWindow(currentPage_, SW_SHOWNORMAL);
        SetWindowPos(currentPage_, nullptr, client.left, client.top, client.right - client.left,
                     tabTop - client.top, kPlacement);
    }
}

void MainFrame::RelayToPages(UINT message, WPARAM wParam, LPARAM lParam, HWND excluded) {
    for (const Page* page : Pages()) {
        if (page->Handle() && page->Handle() != excluded) {
            SendMessageW(page->Handle(), message, wParam, lParam);
        }
    }
}

LRESULT MainFrame::OnAdaptersRefreshed(WPARAM wParam, LPARAM lParam) {
    RelayToPages(WM_ADAPTERS_REFRESHED, wParam, lParam, reinterpret_cast<HWND>(wParam));
    return 0;
}

LRESULT MainFrame::OnAdapterSelected(WPARAM wParam, LPARAM lParam) {
    RelayToPages(WM_ADAPTER_SELECTED, wParam, lParam, reinterpret_cast<HWND>(wParam));
    return 0;
}

LRESULT MainFrame::OnExit(WORD, WORD, HWND) {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
    return 0;
}

LRESULT MainFrame::OnAbout(WORD, WORD, HWND) {
    AboutDialog about;
    about.DoModal(GetActiveWindow());
    return 0;
}

LRESULT MainFrame::OnTabChanged(int, UINT, NMHDR*) {
    const int selected = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    SendMessageW(tabs_, TCM_GETITEMW, selected, reinterpret_cast<LPARAM>(&item));
    const HWND page = reinterpret_cast<HWND>(item.lParam);
    if (page == currentPage_) {
        return 0;
    }
    ShowWindow(currentPage_, SW_HIDE);
    currentPage_ = page;
    ShowWindow(currentPage_, SW_SHOWNORMAL);
    UpdateLayout();
    return 0;
}

LRESULT MainFrame::OnSize(WPARAM wParam, LPARAM lParam) {
    UpdateLayout();
    return DefWindowProcW(Handle(), WM_SIZE, wParam, lParam);
}

LRESULT MainFrame::OnSetFocus(WPARAM wParam, LPARAM lParam) {
    SetFocus(currentPage_);
    return DefWindowProcW(Handle(), WM_SETFOCUS, wParam, lParam);
}

LRESULT MainFrame::OnDestroy(WPARAM wParam, LPARAM lParam) {
    PostQuitMessage(1);
    return DefWindowProcW(Handle(), WM_DESTROY, wParam, lParam);
}

bool MainFrame::IsTopLevel() const {
    return (GetWindowLongW(Handle(), GWL_STYLE) & (WS_CHILD | WS_POPUP)) == 0;
}

BOOL MainFrame::PreTranslateMessage(MSG* message) {
    if (accelerators_ && TranslateAcceleratorW(Handle(), accelerators_, message)) {
        return TRUE;
    }
    for (Page* page : Pages()) {
        if (currentPage_ == page->Handle()) {
            return page->PreTranslateMessage(message);
        }
    }
    return FALSE;
}
