// Resource ids of Tessalink, shared by tessalink.rc and the program's code.
#pragma once

// The product name: the single-instance mutex and the frame's window class. Also the
// menu bar (RCDATA), its menu and the frame's accelerator table.
#define IDR_MAINFRAME 128

// The menu bar's "Exit" button text.
#define IDS_EXIT 32775

// Commands of the menu bar and the accelerator table. The accelerators' commands have
// no handler: the frame only swallows their keys.
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

// Dialog templates: the About box and the three pages.
#define IDD_ABOUTBOX 100
#define IDD_ADAPTERS 110
#define IDD_DIAGNOSTICS 111
#define IDD_ARP 130

// Pictures: the About button's image, the settings list's strip and the adapter
// page's pictures.
#define IDB_ABOUT 201
#define IDB_SETTINGS 102
#define IDB_NETWORK_CARD 104
#define IDB_NETWORK_LINE 105
#define IDB_THREE_COMPUTERS 106
#define IDB_TWO_COMPUTERS 107

// Images of the settings strip (IDB_SETTINGS), 16 x 16 each, white transparent.
#define IMAGE_SETTING_NONE 0
#define IMAGE_SETTING_NETWORK_CARD 1
#define IMAGE_SETTING_TWO_COMPUTERS 2
#define IMAGE_SETTING_THREE_COMPUTERS 3
#define IMAGE_SETTING_NETWORK_LINE 4
#define IMAGE_SETTING_HANDHELD 5
#define IMAGE_SETTING_GLOBE 6
#define IMAGE_SETTING_CLOCK 7
#define IMAGE_SETTING_ROUTER 8
#define SETTINGS_IMAGE_COUNT 12

// The program icon (16 x 16 and 32 x 32).
#define IDI_TESSALINK 128

// About box.
#define IDC_VERSION 1020
#define IDC_BUILD_STAMP 1031

// Adapters page.
#define IDC_ADAPTER_COMBO 1000
#define IDC_REFRESH_LIST 1001
#define IDC_DETAIL_VIEW 1003
#define IDC_SETTINGS_LIST 1004
#define IDC_SUMMARY_GROUP 1005
#define IDC_MAC_PICTURE 1006
#define IDC_MAC_LABEL 1007
#define IDC_MAC_ADDRESS 1008
#define IDC_IP_PICTURE 1009
#define IDC_IP_LABEL 1010
#define IDC_IP_ADDRESS 1011
#define IDC_DNS_PICTURE 1012
#define IDC_DNS_LABEL 1013
#define IDC_DNS_SERVER 1014
#define IDC_DHCP_PICTURE 1015
#define IDC_DHCP_LABEL 1016
#define IDC_DHCP_SERVER 1017
#define IDC_RELEASE_DHCP 1018
#define IDC_LEASE_OBTAINED_LABEL 1019
#define IDC_LEASE_OBTAINED 1020
#define IDC_LEASE_EXPIRES_LABEL 1021
#define IDC_LEASE_EXPIRES 1022
#define IDC_RENEW_DHCP 1023

// Diagnostics page.
#define IDC_DATA_SIZE 1026
#define IDC_REPETITION 1027
#define IDC_TRACE_TREE 1028
#define IDC_PING_LIST 1029
#define IDC_RESOLVE_TEXT 1030
#define IDC_ADDRESS 1031
#define IDC_ACTION 1032

// ARP page (with IDC_ADAPTER_COMBO and IDC_REFRESH_LIST).
#define IDC_ARP_LIST 1029
#define IDC_ARP_DETAILS 1007
#define IDC_ARP_DETAILS_GROUP 1003
