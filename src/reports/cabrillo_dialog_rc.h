// Identifiers of the Cabrillo header dialog. The control ids are the ones the header's
// fields have always had; the template id is the module's own.
#pragma once

#define IDD_CABRILLO 140
// Resource type of the combo boxes' initial choices (the DLGINIT format).
#define RT_ZD_DLGINIT 240

#define IDC_CAB_CONTEST 320
#define IDC_CAB_CALLSIGN 1010
#define IDC_CAB_CLAIMED 319
#define IDC_CAB_CATEGORY_OPERATOR 1013
#define IDC_CAB_LOCATION 1121
#define IDC_CAB_CATEGORY_BAND 1118
#define IDC_CAB_CATEGORY_POWER 1125
#define IDC_CAB_CATEGORY_TRANSMITTER 1122
#define IDC_CAB_CATEGORY_OVERLAY 1123
#define IDC_CAB_NAME 318
#define IDC_CAB_ADDRESS 303
#define IDC_CAB_ADDRESS_CITY 308
#define IDC_CAB_ADDRESS_POSTALCODE 1011
#define IDC_CAB_ADDRESS_COUNTRY 1012
#define IDC_CAB_OPERATORS 317
#define IDC_CAB_CLUB 315
#define IDC_CAB_SOAPBOX 301
#define IDC_CAB_EMAIL 309
