#include "program/AboutDialog.h"

#include <algorithm>

#include "common/RectSize.h"
#include "program/BuildStamp.h"
#include "program/ReadVersionText.h"

LRESULT AboutDialog::OnInitDialog(WPARAM, LPARAM) {
    CenterOverOwner();
    versionText_ = ReadVersionText();
    SetDlgItemTextW(Handle(), IDC_VERSION, versionText_.c_str());
    const std::u16string buildLine = u"Built on " + WidenBuildStamp();
    SetDlgItemTextW(Handle(), IDC_BUILD_STAMP, buildLine.c_str());
    return TRUE;
}

LRESULT AboutDialog::OnClose(WORD id, WORD, HWND) {
    EndDialog(Handle(), id);
    return 0;
}

void AboutDialog::CenterOverOwner() {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT area = workArea;
    const HWND owner = GetParent(Handle());
    if (owner && IsWindowVisible(owner)) {
        GetWindowRect(owner, &area);
    }
    RECT dialog{};
    GetWindowRect(Handle(), &dialog);
    const int x = std::clamp(area.left + (Width(area) - Width(dialog)) / 2, workArea.left,
                             std::max(workArea.left, workArea.right - Width(dialog)));
    const int y = std::clamp(area.top + (Height(area) - Height(dialog)) / 2, workArea.top,
                             std::max(workArea.top, workArea.bottom - Height(dialog)));
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
