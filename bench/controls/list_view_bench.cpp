// Refilling a list view as the program's pages do, at the size of a large ARP table:
// delete every row, insert 10,000 rows of three columns, and paint the list once on the
// (headless) screen.
//
//   build/default/bench/controls/controls_list_view_bench --benchmark_repetitions=7
//       --benchmark_report_aggregates_only=true   (one command line)
#include <benchmark/benchmark.h>
#include <commctrl.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 3;

std::u16string Number(int value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    return digits;
}

HWND CreateList(HWND parent) {
    const HWND list = CreateWindowExW(
        0, WC_LISTVIEWW, u"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL, 0, 0,
        240, 268, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1029)), nullptr, nullptr);
    const std::array<std::u16string, kColumns> headings{u"Address", u"Physical", u"Type"};
    for (int column = 0; column < kColumns; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.cx = 80;
        info.pszText = const_cast<LPWSTR>(headings[column].c_str());
        SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
    }
    return list;
}

void RefillTenThousandRowsAndPaint(benchmark::State& state) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    WNDCLASSW parent_class{};
    parent_class.lpfnWndProc = DefWindowProcW;
    parent_class.lpszClassName = u"ListViewBenchParent";
    RegisterClassW(&parent_class);
    const HWND parent = CreateWindowExW(0, u"ListViewBenchParent", u"", WS_VISIBLE, 0, 26, 240, 268,
                                        nullptr, nullptr, nullptr, nullptr);
    const HWND list = CreateList(parent);

    std::vector<std::array<std::u16string, kColumns>> texts(kRows);
    for (int row = 0; row < kRows; ++row) {
        texts[row] = {u"192.168." + Number(row / 256) + u"." + Number(row % 256),
                      u"00-11-22-33-" + Number(row % 100), u"Dynamic"};
    }
    for (auto _ : state) {
        SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
        for (int row = 0; row < kRows; ++row) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = texts[row][0].data();
            SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
            for (int column = 1; column < kColumns; ++column) {
                item.iSubItem = column;
                item.pszText = texts[row][column].data();
                SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            }
        }
        UpdateWindow(list);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    DestroyWindow(parent);
}
BENCHMARK(RefillTenThousandRowsAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
