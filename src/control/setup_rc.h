// Ids of the control window's dialog template (setup.rc); the C++ side uses the same
// numbers from control_panel.h and checks that they agree.
#pragma once

#define IDD_SETUP 107
#define IDC_SETUP_VIEW_LABEL 1123
#define IDC_SETUP_REGIONS 1115
#define IDC_SETUP_DXCC 1116
#define IDC_SETUP_EXTENDED_DXCC 1119
#define IDC_SETUP_USING_LABEL 1124
#define IDC_SETUP_SWITCH_MODE 1117
#define IDC_SETUP_MASTER_FILE 1118
#define IDC_SETUP_BAND_CHANGE 1109
#define IDC_SETUP_ON_TOP 1110
#define IDC_SETUP_RTTY 304
#define IDC_SETUP_PSK63 305
#define IDC_SETUP_PSK125 306
