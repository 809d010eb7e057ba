// The module's exports as the host logger calls them: plain C functions in the cdecl
// convention, taking NUL-terminated 8-bit texts and pointers to the host's date-time
// record. Positions that the module does not read are kept in the lists all the same.
#pragma once

#include <cstdint>

#ifdef _WIN32
#define ZD_CDECL __cdecl
#define ZD_EXPORT
#else
#define ZD_CDECL
#define ZD_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

struct ZdHostDateTime {  // the host's date-time record
  double date;
  int32_t status;
};

ZD_EXPORT unsigned long ZD_CDECL setVersion(const char* version);
ZD_EXPORT int ZD_CDECL GetNumberOfSets(void);
ZD_EXPORT const char* ZD_CDECL GetSetName(int n);
ZD_EXPORT void ZD_CDECL SetupSet0(void);
ZD_EXPORT const char* ZD_CDECL RunCommand0(int unused, const char* command);
ZD_EXPORT int ZD_CDECL CheckCall0(const char* call, unsigned a2, unsigned a3, const char* mode,
                                  const char* a5, const char* a6, const char* a7, const char* a8,
                                  const char* a9, const char* a10, const char* a11, const char* a12,
                                  const char* a13, const char* prefix, int a15, int a16, int a17,
                                  double a18, double a19, const char* a20, const char* continent,
                                  const char* a22, const char* a23, const char* region,
                                  const char* band, const char* band2, char* exchangeOut,
                                  char* messageOut);
ZD_EXPORT int ZD_CDECL IsValidExchg0(const char* exch, const char* call, const char* prefix,
                                     const char* a4, int a5, int a6, int a7);
ZD_EXPORT int ZD_CDECL GetExchgCount0(const char* a1, const char* a2, const char* a3);
ZD_EXPORT int ZD_CDECL AddData0(const char* ownCall, const char* call, ZdHostDateTime* time,
                                ZdHostDateTime* a4, ZdHostDateTime* a5, ZdHostDateTime* a6,
                                unsigned a7, unsigned freqHz, const char* mode, const char* rstSent,
                                const char* rstRcvd, const char* exchSent, const char* exchRcvd,
                                const char* a14, const char* a15, const char* a16, const char* a17,
                                const char* a18, const char* a19, const char* a20, const char* a21,
                                const char* a22, const char* prefix, int a24, int a25, int a26,
                                double a27, double a28, const char* a29, const char* continent,
                                const char* a31, const char* band, const char* a33);
ZD_EXPORT int ZD_CDECL RemoveData0(const char* ownCall, const char* call, ZdHostDateTime* time,
                                   ZdHostDateTime* a4, ZdHostDateTime* a5, ZdHostDateTime* a6,
                                   unsigned a7, unsigned freqHz, const char* mode,
                                   const char* rstSent, const char* rstRcvd, const char* exchSent,
                                   const char* exchRcvd, const char* a14, const char* a15,
                                   const char* a16, const char* a17, const char* a18,
                                   const char* a19, const char* a20, const char* a21,
                                   const char* a22, const char* prefix, int a24, int a25, int a26,
                                   double a27, double a28, const char* a29, const char* continent,
                                   const char* a31, const char* band, const char* a33);
ZD_EXPORT int ZD_CDECL ResetStats0(const char* pathPrefix, int newContest, const char* ownCall,
                                   ZdHostDateTime* start, ZdHostDateTime* end, const char* a6,
                                   const char* a7, const char* a8, const char* a9, const char* a10,
                                   const char* a11, const char* a12, const char* a13,
                                   const char* a14, const char* ownPrefix, int a16, int a17,
                                   int a18, double a19, double a20, const char* a21,
                                   const char* ownContinent, const char* a23);
ZD_EXPORT const char* ZD_CDECL GetResult0(int* status);

}  // extern "C"
