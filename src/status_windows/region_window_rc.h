// Resource ids of the region window.
#pragma once

#define IDD_OBLAST 106
// The 88 cells are made at initialisation with the ids 1500 + cell index.
#define IDC_OBLAST_FIRST_CELL 1500
