// Resource ids of the DXCC window.
#pragma once

#define IDD_DXCC 108
#define IDC_DXCC_PANEL 307
