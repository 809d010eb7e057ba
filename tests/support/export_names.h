// The names the module exports: each function under its plain name, which the host binds,
// and under the Microsoft Visual C++ decorated name of its C++ signature (cdecl; the host's
// date-time record is a pointer to the class COleDateTime). Three functions are named
// differently inside their decorated names. check_dll_tables.cmake derives the decorated
// names anew with clang from tests/win32/decorated_exports.cpp.
#pragma once

namespace zd::test {

struct ExportName {
  const char* plain;
  const char* decorated;
};

inline constexpr ExportName kExportNames[] = {
    {"setVersion", "?setVersion@@YAKPBD@Z"},
    {"GetNumberOfSets", "?GetNumberOfSets@@YAHXZ"},
    {"GetSetName", "?GetSetName@@YAPBDH@Z"},
    {"SetupSet0", "?SetupSet0@@YAXXZ"},
    {"RunCommand0", "?RunCommand0@@YAPBDHPBD@Z"},
    {"CheckCall0", "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z"},
    {"IsValidExchg0", "?StatsIsValidExchg0@@YAHPBD000HHH@Z"},
    {"GetExchgCount0", "?StatsGetExchgCount0@@YAHPBD00@Z"},
    {"AddData0", "?AddData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"RemoveData0", "?RemoveData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"ResetStats0", "?ResetStats0@@YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z"},
    {"GetResult0", "?GetResult0@@YAPBDPAH@Z"},
};

}  // namespace zd::test
