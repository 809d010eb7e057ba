// The C++ signatures of the twelve exports, as the host's contract gives them, from which
// check_dll_tables.cmake has clang derive their decorated names for 32-bit Windows
// (clang --target=i686-pc-windows-msvc, then llvm-nm). Never built into anything.
class COleDateTime;  // the host's date-time record
using Text = const char*;
using Time = COleDateTime*;

unsigned long __cdecl setVersion(Text version) { return 0; }
int __cdecl GetNumberOfSets(void) { return 1; }
Text __cdecl GetSetName(int n) { return n ? "" : ""; }
void __cdecl SetupSet0(void) {}
Text __cdecl RunCommand0(int, Text command) { return command; }
int __cdecl CheckCallFunc0(Text call, unsigned, unsigned, Text mode, Text, Text, Text, Text, Text,
                           Text, Text, Text, Text, Text prefix, int, int, int, double, double, Text,
                           Text continent, Text, Text, Text region, Text band, Text band2,
                           char* exchangeOut, char* messageOut) {
  return 1;
}
int __cdecl StatsIsValidExchg0(Text exch, Text call, Text prefix, Text, int, int, int) { return 1; }
int __cdecl StatsGetExchgCount0(Text, Text, Text) { return 1; }
int __cdecl AddData0(Text ownCall, Text call, Time time, Time, Time, Time, unsigned,
                     unsigned freqHz, Text mode, Text rstSent, Text rstRcvd, Text exchSent,
                     Text exchRcvd, Text, Text, Text, Text, Text, Text, Text, Text, Text,
                     Text prefix, int, int, int, double, double, Text, Text continent, Text,
                     Text band, Text) {
  return 1;
}
int __cdecl RemoveData0(Text ownCall, Text call, Time time, Time, Time, Time, unsigned,
                        unsigned freqHz, Text mode, Text rstSent, Text rstRcvd, Text exchSent,
                        Text exchRcvd, Text, Text, Text, Text, Text, Text, Text, Text, Text,
                        Text prefix, int, int, int, double, double, Text, Text continent, Text,
                        Text band, Text) {
  return 1;
}
int __cdecl ResetStats0(Text pathPrefix, int newContest, Text ownCall, Time start, Time end, Text,
                        Text, Text, Text, Text, Text, Text, Text, Text, Text ownPrefix, int, int,
                        int, double, double, Text, Text ownContinent, Text) {
  return 1;
}
Text __cdecl GetResult0(int* status) { return ""; }
