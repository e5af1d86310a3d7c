// Resource ids of Tessalink, shared by tessalink.rc and the program's code.
#pragma once

// The product name: the single-instance mutex and the frame's window class.
#define IDR_MAINFRAME 128

// The menu bar's "Exit" button text.
#define IDS_EXIT 32775
