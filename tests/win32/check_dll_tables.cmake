# Reads the export and import tables of the built module with objdump: exactly the twelve
# plain names the host binds and the twelve decorated names of the same functions, each
# at the address of its plain name, and imports from system DLLs only (the C++ runtime,
# libgcc and winpthread are linked in, never loaded beside it). With CLANG and LLVM_NM
# the decorated names are also derived anew from the C++ signatures in SIGNATURES.
# Usage: cmake -DOBJDUMP=<objdump> -DDLL=<Stats.dll> [-DCLANG=<clang++> -DLLVM_NM=<llvm-nm>
#        -DSIGNATURES=<decorated_exports.cpp> -DWORK=<folder>] -P check_dll_tables.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var OBJDUMP DLL)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
if(NOT EXISTS "${DLL}")
  message(FATAL_ERROR "${DLL} does not exist")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${DLL}" OUTPUT_VARIABLE dump ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p failed (${rc}): ${err}")
endif()

set(failures "")

# Exports: the names listed under the name pointer table, up to the next blank line.
string(FIND "${dump}" "\n[Ordinal/Name Pointer] Table\n" at)
if(at EQUAL -1)
  string(FIND "${dump}" "\n[Name Pointer/Ordinal] Table\n" at)
endif()
if(at EQUAL -1)
  message(FATAL_ERROR "no export name table in the output of ${OBJDUMP} -p ${DLL}")
endif()
string(SUBSTRING "${dump}" ${at} -1 rest)
string(REGEX MATCH "Table\n(\t\\[ *[0-9]+\\] [^\n]*\n)*" block "${rest}")
# (Brackets would upset CMake's lists: the names are cut out of their lines first.)
string(REGEX REPLACE "^Table\n" "" block "${block}")
string(REGEX REPLACE "\t\\[ *([0-9]+)\\] ([^\n]*)\n" "\\2;" exports "${block}")
string(REGEX REPLACE "\t\\[ *([0-9]+)\\] ([^\n]*)\n" "\\1;" exportIndices "${block}")
list(REMOVE_ITEM exports "")
list(REMOVE_ITEM exportIndices "")
string(REGEX MATCH "Export Address Table[ \t]+([0-9a-fA-F]+)" _ "${dump}")
math(EXPR addressCount "0x${CMAKE_MATCH_1}" OUTPUT_FORMAT DECIMAL)
# The address of each entry of the export address table, by its index.
string(REGEX MATCHALL "\t\\[ *[0-9]+\\] \\+base\\[ *[0-9]+\\] [0-9a-fA-F]+ Export RVA" rvaLines
       "${dump}")
set(rvas "")
foreach(line IN LISTS rvaLines)
  string(REGEX REPLACE ".* ([0-9a-fA-F]+) Export RVA" "\\1" rva "${line}")
  list(APPEND rvas "${rva}")
endforeach()

# Plain name and decorated name of each function.
set(pairs
    "setVersion ?setVersion@@YAKPBD@Z"
    "GetNumberOfSets ?GetNumberOfSets@@YAHXZ"
    "GetSetName ?GetSetName@@YAPBDH@Z"
    "SetupSet0 ?SetupSet0@@YAXXZ"
    "RunCommand0 ?RunCommand0@@YAPBDHPBD@Z"
    "CheckCall0 ?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z"
    "IsValidExchg0 ?StatsIsValidExchg0@@YAHPBD000HHH@Z"
    "GetExchgCount0 ?StatsGetExchgCount0@@YAHPBD00@Z"
    "AddData0 ?AddData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z"
    "RemoveData0 ?RemoveData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z"
    "ResetStats0 ?ResetStats0@@YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z"
    "GetResult0 ?GetResult0@@YAPBDPAH@Z")
set(expected "")
set(decorated "")
foreach(pair IN LISTS pairs)
  string(REPLACE " " ";" pair "${pair}")
  list(GET pair 0 plain)
  list(GET pair 1 mangled)
  list(APPEND expected "${plain}" "${mangled}")
  list(APPEND decorated "${mangled}")
  # Both names lead to one address.
  list(FIND exports "${plain}" p)
  list(FIND exports "${mangled}" m)
  if(p EQUAL -1 OR m EQUAL -1)
    continue()
  endif()
  list(GET exportIndices ${p} pi)
  list(GET exportIndices ${m} mi)
  list(LENGTH rvas rvaCount)
  if(pi GREATER_EQUAL rvaCount OR mi GREATER_EQUAL rvaCount)
    list(APPEND failures "no address for ${plain} or ${mangled} in the export address table")
    continue()
  endif()
  list(GET rvas ${pi} pa)
  list(GET rvas ${mi} ma)
  if(NOT pa STREQUAL ma)
    list(APPEND failures "${mangled} is at ${ma}, ${plain} at ${pa}")
  endif()
endforeach()
set(sorted ${exports})
list(SORT sorted)
list(SORT expected)
if(NOT sorted STREQUAL expected)
  list(APPEND failures "exports are [${exports}], expected exactly [${expected}]")
endif()
if(NOT addressCount EQUAL 24)
  list(APPEND failures "the export address table holds ${addressCount} entries, not 24")
endif()

# The decorated names as the compiler that defines them spells them.
if(CLANG AND LLVM_NM AND SIGNATURES AND WORK)
  file(MAKE_DIRECTORY "${WORK}")
  execute_process(COMMAND "${CLANG}" --target=i686-pc-windows-msvc -w -c "${SIGNATURES}" -o
                          "${WORK}/decorated_exports.obj" RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${CLANG} cannot compile ${SIGNATURES}: ${err}")
  endif()
  execute_process(COMMAND "${LLVM_NM}" --defined-only "${WORK}/decorated_exports.obj"
                  OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
  string(REGEX MATCHALL " T [^\n]+" derived "${symbols}")
  list(TRANSFORM derived REPLACE "^ T " "")
  list(SORT derived)
  set(listed ${decorated})
  list(SORT listed)
  if(NOT derived STREQUAL listed)
    list(APPEND failures "clang decorates the signatures as [${derived}], not [${listed}]")
  endif()
endif()

# Imports: every DLL the module loads must come with the system.
string(REGEX MATCHALL "DLL Name: [^\n]+" importLines "${dump}")
set(allowed KERNEL32 USER32 GDI32 MSVCRT OLEAUT32 OLE32 COMCTL32 ADVAPI32 SHELL32 COMDLG32
    SHLWAPI UXTHEME VERSION WINMM)
set(imports "")
foreach(line IN LISTS importLines)
  string(SUBSTRING "${line}" 10 -1 dll)
  string(STRIP "${dll}" dll)
  list(APPEND imports "${dll}")
  string(TOUPPER "${dll}" upper)
  string(REGEX REPLACE "\\.DLL$" "" base "${upper}")
  list(FIND allowed "${base}" known)
  if(known EQUAL -1)
    list(APPEND failures "imports ${dll}, which is not a system DLL")
  endif()
endforeach()
list(FIND imports "KERNEL32.dll" kernel)
if(kernel EQUAL -1)
  list(APPEND failures "no KERNEL32.dll among the imports [${imports}]: the table was not read")
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${DLL}:\n  ${text}")
endif()
message(STATUS "${DLL}: exports [${exports}]; imports [${imports}]")
if(NOT (CLANG AND LLVM_NM))
  message(STATUS "no clang or llvm-nm: the decorated names were not derived anew")
endif()
