#include "diagnostics/DiagnosticsPage.h"

#include <aygshell.h>
#include <commctrl.h>
#include <strsafe.h>

#include <iterator>

#include "diagnostics/JobAddress.h"
#include "diagnostics/LiveJobs.h"
#include "diagnostics/NameResolution.h"
#include "diagnostics/PingWorker.h"
#include "diagnostics/TraceWorker.h"

namespace {

struct Choice {
    LPCWSTR text;
    DWORD value;
};

// No 128: the handheld's list never offered it.
constexpr Choice kDataSizes[] = {{u"16", 16},   {u"32", 32},   {u"64", 64},
                                 {u"256", 256}, {u"512", 512}, {u"1024", 1024}};
constexpr int kInitialDataSize = 1;  // "32", the job's own default
constexpr Choice kRepetitions[] = {{u"1", 1}, {u"2", 2}, {u"4", 4}, {u"8", 8}, {u"16", 16}};
constexpr int kInitialRepetition = 2;  // "4", the job's own default

// A hop's name as the page shows it below the hop.
constexpr int kHopNameLength = 120;
// The longest line: "Error : " and a record's whole message field.
constexpr int kLineLength = 64;

void FillChoices(HWND combo, const Choice* first, const Choice* last, int selected) {
    for (const Choice* choice = first; choice != last; ++choice) {
        const LRESULT item =
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice->text));
        if (item >= 0) {
            SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), choice->value);
        }
    }
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

}  // namespace

LRESULT DiagnosticsPage::OnInitDialog(WPARAM, LPARAM) {
    address_ = GetDlgItem(Handle(), IDC_ADDRESS);
    dataSize_ = GetDlgItem(Handle(), IDC_DATA_SIZE);
    repetition_ = GetDlgItem(Handle(), IDC_REPETITION);
    tree_ = GetDlgItem(Handle(), IDC_TRACE_TREE);
    list_ = GetDlgItem(Handle(), IDC_PING_LIST);
    text_ = GetDlgItem(Handle(), IDC_RESOLVE_TEXT);

    // Should the button refuse to attach, it stays a plain button that reports code 0,
    // and with no choice made a tap runs nothing.
    action_.AttachTo(GetDlgItem(Handle(), IDC_ACTION));
    action_.AppendItem(ACTION_PING, u"Ping");
    action_.AppendItem(ACTION_TRACERT, u"TraceRt");
    action_.AppendItem(ACTION_RESOLVE, u"Resolve");
    action_.SelectItem(ACTION_PING);

    FillChoices(dataSize_, std::begin(kDataSizes), std::end(kDataSizes), kInitialDataSize);
    FillChoices(repetition_, std::begin(kRepetitions), std::end(kRepetitions), kInitialRepetition);

    // The three views share the tree's spot; only the last action's view shows.
    RECT spot{};
    GetWindowRect(tree_, &spot);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&spot), 2);
    const int width = spot.right - spot.left;
    const int height = spot.bottom - spot.top;
    MoveWindow(text_, spot.left, spot.top, width, height, TRUE);
    MoveWindow(list_, spot.left, spot.top, width, height, TRUE);
    ShowOnly(list_);

    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    // Less the border on either side, so no horizontal scroll bar appears.
    column.cx = width - 2;
    column.pszText = const_cast<LPWSTR>(u"Result");
    column.iSubItem = 0;
    SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));

    if (IsWindow(Handle())) {
        job_.targetWindow = Handle();
        job_.messageId = WM_DIAG_PROGRESS;
    }
    // No focus set: the address box would raise the input panel over the page at once.
    return 0;
}

LRESULT DiagnosticsPage::OnActionButton(WORD, WORD code, HWND) {
    if (code == MenuButton::kTapped) {
        RunAction();
    } else if (code == MenuButton::kChoiceChanged) {
        UpdateChoiceControls();
    }
    return 0;
}

LRESULT DiagnosticsPage::OnAddressBox(WORD, WORD code, HWND) {
    if (code == CBN_SETFOCUS) {
        SHSipPreference(Handle(), SIP_UP);
    } else if (code == CBN_KILLFOCUS) {
        SHSipPreference(Handle(), SIP_DOWN);
    }
    return 0;
}

void DiagnosticsPage::RunAction() {
    const std::optional<int> choice = action_.CurrentItemId();
    AddToHistory();
    SHSipPreference(Handle(), SIP_FORCEDOWN);
    switch (choice.value_or(0)) {
        case ACTION_PING:
            StartPing();
            break;
        case ACTION_TRACERT:
            StartTrace();
            break;
        case ACTION_RESOLVE:
            ResolveAction();
            break;
        default:
            break;
    }
}

void DiagnosticsPage::AddToHistory() {
    WCHAR text[kAddressTextLength + 1]{};
    GetWindowTextW(address_, text, kAddressTextLength + 1);
    // The search ignores letter case, so a name typed in capitals once and in small
    // letters later keeps one entry. Nothing is ever removed.
    if (SendMessageW(address_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(text)) == CB_ERR) {
        SendMessageW(address_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void DiagnosticsPage::StartPing() {
    if (WorkerRunning()) {
        return;
    }
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    const DWORD dataSize = ChoiceOf(dataSize_);
    const DWORD count = ChoiceOf(repetition_);
    if (!PrepareRun(list_)) {
        return;
    }
    job_.count = static_cast<LONG>(count);
    job_.dataSize = dataSize;
    StartWorker(PingWorker);
}

void DiagnosticsPage::StartTrace() {
    if (WorkerRunning()) {
        return;
    }
    SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    const DWORD dataSize = ChoiceOf(dataSize_);
    if (!PrepareRun(tree_)) {
        return;
    }
    job_.dataSize = dataSize;
    StartWorker(TraceWorker);
}

void DiagnosticsPage::StartWorker(LPTHREAD_START_ROUTINE worker) {
    const HANDLE thread = CreateThread(nullptr, 0, worker, &job_, 0, &job_.workerId);
    if (thread == nullptr) {
        // No worker will send an end message to enable them again.
        EnableRunControls(TRUE);
        return;
    }
    // The run ends by itself and reports through the job; nothing waits for the thread.
    CloseHandle(thread);
}

bool DiagnosticsPage::PrepareRun(HWND view) {
    WCHAR text[kAddressTextLength + 1]{};
    const bool readWhole = ReadAddress(text);
    if (!readWhole ||
        (!IsDottedAddress(text) && !ResolveHostName(text, text, kAddressTextLength))) {
        MessageBoxW(Handle(), u"Unable to convert address to valid IP address.", u"Error", MB_OK);
        return false;
    }
    if (!FitJobAddress(text, job_)) {
        return false;
    }
    EnableRunControls(FALSE);
    ShowOnly(view);
    return true;
}

void DiagnosticsPage::ResolveAction() {
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShowOnly(text_);
    WCHAR text[kAddressTextLength + 1]{};
    WCHAR result[kAddressTextLength]{};
    const bool resolved =
        ReadAddress(text) &&
        (IsDottedAddress(text) ? ResolveAddressName(text, result, kAddressTextLength)
                               : ResolveHostName(text, result, kAddressTextLength));
    if (resolved) {
        // The entered text above what it resolves to: a name's address, an address's name.
        WCHAR outcome[2 * kAddressTextLength + 32]{};
        StringCchPrintfW(outcome, std::size(outcome), u"%s\r\n\r\nresolves to\r\n\r\n%s", text,
                         result);
        SetWindowTextW(text_, outcome);
    } else {
        SetWindowTextW(text_, u"Failed to resolve name or address.");
    }
    SetCursor(previous);
}

void DiagnosticsPage::UpdateChoiceControls() {
    const int choice = action_.CurrentItemId().value_or(0);
    EnableWindow(dataSize_, choice == ACTION_PING || choice == ACTION_TRACERT);
    EnableWindow(repetition_, choice == ACTION_PING);
}

bool DiagnosticsPage::ReadAddress(WCHAR (&text)[kAddressTextLength + 1]) const {
    return GetWindowTextLengthW(address_) <= kAddressTextLength &&
           GetWindowTextW(address_, text, kAddressTextLength + 1) >= 0;
}

DWORD DiagnosticsPage::ChoiceOf(HWND combo) const {
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        return 0;
    }
    const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
    return data == CB_ERR ? 0 : static_cast<DWORD>(data);
}

void DiagnosticsPage::ShowOnly(HWND view) {
    for (HWND each : {tree_, list_, text_}) {
        ShowWindow(each, each == view ? SW_SHOW : SW_HIDE);
    }
}

void DiagnosticsPage::EnableRunControls(BOOL enable) {
    for (HWND each : {action_.Handle(), dataSize_, repetition_, address_}) {
        EnableWindow(each, enable);
    }
}

bool DiagnosticsPage::WorkerRunning() {
    // A start request is refused before anything changes while a worker is marked as
    // running, so it can never leave the controls disabled with no worker to enable
    // them. The worker clears its mark before it sends its end message, and the page
    // enables the controls only while it handles that message, so a request the
    // enabled controls let through always finds the job idle: none is lost.
    // Read under the job's guard: the worker clears the mark from its own thread.
    bool running = false;
    LiveJobs::WhileAlive(&job_, [&](DiagnosticsJob& job) { running = job.workerId != 0; });
    return running;
}

LRESULT DiagnosticsPage::OnProgress(WPARAM code, LPARAM record) {
    if (record == 0) {
        return 0;
    }
    const auto& result = *reinterpret_cast<const EchoResult*>(record);
    if (code >= TRACE_HEADER && code <= TRACE_END) {
        OnTraceProgress(code, result);
    } else {
        OnPingProgress(code, result);
    }
    return 0;
}

void DiagnosticsPage::OnTraceProgress(WPARAM code, const EchoResult& record) {
    WCHAR line[kLineLength]{};
    switch (code) {
        case TRACE_HEADER:
            AddTreeItem(record.message, TVI_ROOT);
            break;
        case TRACE_ERROR:
            StringCchPrintfW(line, kLineLength, u"Error : %s", record.message);
            ShowTreeItem(AddTreeItem(line, TVI_ROOT));
            break;
        case TRACE_HOP: {
            StringCchPrintfW(line, kLineLength, u">> %s", record.address);
            const HTREEITEM hop = AddTreeItem(line, TVI_ROOT);
            // Looked up while the worker waits, so the hop's name comes before the next hop.
            WCHAR name[kHopNameLength]{};
            if (hop != nullptr && ResolveAddressName(record.address, name, kHopNameLength)) {
                AddTreeItem(name, hop);
            }
            ShowTreeItem(hop);
            break;
        }
        case TRACE_END:
            ShowTreeItem(AddTreeItem(
                record.failed == 1 ? u"TraceRt Terminated" : u"TraceRt Complete", TVI_ROOT));
            EnableRunControls(TRUE);
            break;
        default:
            break;
    }
}

void DiagnosticsPage::OnPingProgress(WPARAM code, const EchoResult& record) {
    WCHAR line[kLineLength]{};
    switch (code) {
        case PING_HEADER:
            AppendLine(record.message, false);
            break;
        case PING_ERROR:
            AppendLine(record.message, true);
            break;
        case PING_REPLY:
            StringCchPrintfW(line, kLineLength, u"Ping Response - %d bytes in %dms",
                             static_cast<int>(record.dataSize),
                             static_cast<int>(record.roundTripTime));
            AppendLine(line, false);
            break;
        case PING_END:
            AppendLine(record.failed == 1 ? u"Ping Terminated" : u"Ping Complete", true);
            EnableRunControls(TRUE);
            break;
        default:
            break;
    }
}

void DiagnosticsPage::AppendLine(LPCWSTR text, bool makeVisible) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<LPWSTR>(text);
    const LRESULT added = SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (makeVisible && added >= 0) {
        SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(added), FALSE);
    }
}

HTREEITEM DiagnosticsPage::AddTreeItem(LPCWSTR text, HTREEITEM parent) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPWSTR>(text);
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void DiagnosticsPage::ShowTreeItem(HTREEITEM item) {
    if (item != nullptr) {
        SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    }
}
