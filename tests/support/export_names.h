// The decorated names of the module's exports, in the order of host::kExportNames: the
// Microsoft Visual C++ decoration of each function's C++ signature (cdecl; the host's
// date-time record is a pointer to the class COleDateTime). Three functions are named
// differently inside their decorated names. check_dll_tables.cmake derives these names
// anew with clang from tests/win32/decorated_exports.cpp.
#pragma once

#include <iterator>

#include "host_boundary/stats_module.h"

namespace zd::test {

inline constexpr const char* kDecoratedExportNames[] = {
    "?setVersion@@YAKPBD@Z",
    "?GetNumberOfSets@@YAHXZ",
    "?GetSetName@@YAPBDH@Z",
    "?SetupSet0@@YAXXZ",
    "?RunCommand0@@YAPBDHPBD@Z",
    "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z",
    "?StatsIsValidExchg0@@YAHPBD000HHH@Z",
    "?StatsGetExchgCount0@@YAHPBD00@Z",
    "?AddData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z",
    "?RemoveData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z",
    "?ResetStats0@@YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z",
    "?GetResult0@@YAPBDPAH@Z",
};
static_assert(std::size(kDecoratedExportNames) == std::size(host::kExportNames));

}  // namespace zd::test
