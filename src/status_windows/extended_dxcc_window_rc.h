// Resource ids of the extended DXCC window and its six continent pages.
#pragma once

#define IDD_MULTIPLIER_MULT 109
#define IDC_MULTIPLIER_TABS 1123
// Page templates in tab order: Europe, Africa, Asia, North America, South America,
// Oceania. Their check boxes are made from the page tables, ids 2000 + 100 × page + box.
#define IDD_PAGE_WAE_ALL 150
#define IDD_PAGE_AF_DXCC 151
#define IDD_PAGE_AS_DXCC 152
#define IDD_PAGE_NA_DXCC 153
#define IDD_PAGE_SA_DXCC 154
#define IDD_PAGE_OC_DXCC 155
#define IDC_PAGE_FIRST_BOX 2000
