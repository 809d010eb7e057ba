// Ids of the band-change window's dialog template (band_change_window.rc); the C++ side
// uses the same numbers from band_change.h and checks that they agree.
#pragma once

#define IDD_CHANGE_BAND 116
#define IDC_CHANGE_BAND_COUNT 300
#define IDC_CHANGE_BAND_COUNT_LABEL 1278
#define IDC_CHANGE_BAND_MINUTES 1277
#define IDC_CHANGE_BAND_MINUTES_LABEL 1144
#define IDC_CHANGE_BAND_OTHER_MODE 1279
#define IDC_CHANGE_BAND_OTHER_MODE_LABEL 1145
