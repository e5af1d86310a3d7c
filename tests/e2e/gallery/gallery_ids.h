// Ids shared by the control gallery's resources and its code.
#pragma once

#define IDD_GALLERY 100
#define IDR_GALLERY_BAR 101
#define IDM_GALLERY 102
#define IDB_GLOBE 103
#define IDS_MENU 104

#define IDC_LEFT 1001
#define IDC_CENTRE 1002
#define IDC_RIGHT 1003
#define IDC_POPUP 1004
#define IDC_GO 1005
#define IDC_CHECK 1006
#define IDC_EDIT 1007
#define IDC_COMBO_EDIT 1008
#define IDC_COMBO_LIST 1009
#define IDC_STATUS 1010
#define IDC_GROUP 1011
#define IDC_NOTES 1012
#define IDC_LIST 1013
#define IDC_TREE 1014
#define IDC_TABS 1015
#define IDC_PICTURE 1016

#define IDM_FIRST 2001
#define IDM_SECOND 2002
#define IDM_BAR_MENU 2003
#define IDM_BAR_GLOBE 2004
