// The messages by which the pages keep one adapter list and one chosen adapter between
// them, through the frame. wParam is always the sending page's window.
#pragma once

#include <windows.h>

// Posted by a page that has read the adapters anew; lParam 0.
#define WM_ADAPTERS_REFRESHED (WM_USER + 20)
// Sent by a page whose user chose another adapter; lParam is that adapter's record.
#define WM_ADAPTER_SELECTED (WM_USER + 22)
