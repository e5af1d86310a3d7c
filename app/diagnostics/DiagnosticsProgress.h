// The message by which a ping or trace worker reports each step to its page. It is
// sent, never posted: the worker waits while the page reads the record that lParam
// points to, and nothing is allocated for the message or freed by the page.
#pragma once

#include <windows.h>

// wParam is one of the progress codes below, lParam a const EchoResult*.
#define WM_DIAG_PROGRESS (WM_USER + 21)

// The trace worker's codes.
inline constexpr WPARAM TRACE_HEADER = 1010;  // header record: "Trace to Address - ..."
inline constexpr WPARAM TRACE_ERROR = 1020;   // a hop's echo failed; message set
inline constexpr WPARAM TRACE_HOP = 1030;     // a hop answered: address, time, size
inline constexpr WPARAM TRACE_END = 1040;     // failed 1: cut short; failed 0: complete

// The ping worker's codes.
inline constexpr WPARAM PING_HEADER = 1110;  // header record: "Ping Address - ..."
inline constexpr WPARAM PING_ERROR = 1120;   // an echo failed; message set
inline constexpr WPARAM PING_REPLY = 1130;   // an echo answered: address, time, size
inline constexpr WPARAM PING_END = 1140;     // failed 1: cut short; failed 0: complete
