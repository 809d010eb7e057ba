# Reads the export and import tables of the built module with objdump:
# exactly the twelve plain names the host binds, and imports from system DLLs only
# (the C++ runtime, libgcc and winpthread are linked in, never loaded beside it).
# Usage: cmake -DOBJDUMP=<objdump> -DDLL=<Stats.dll> -P check_dll_tables.cmake
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
string(REGEX REPLACE "\t\\[ *[0-9]+\\] ([^\n]*)\n" "\\1;" exports "${block}")
list(REMOVE_ITEM exports "")
string(REGEX MATCH "Export Address Table[ \t]+([0-9a-fA-F]+)" _ "${dump}")
math(EXPR addressCount "0x${CMAKE_MATCH_1}" OUTPUT_FORMAT DECIMAL)

set(expected AddData0 CheckCall0 GetExchgCount0 GetNumberOfSets GetResult0 GetSetName
    IsValidExchg0 RemoveData0 ResetStats0 RunCommand0 SetupSet0 setVersion)
set(sorted ${exports})
list(SORT sorted)
list(SORT expected)
if(NOT sorted STREQUAL expected)
  list(APPEND failures "exports are [${exports}], expected exactly [${expected}]")
endif()
if(NOT addressCount EQUAL 12)
  list(APPEND failures "the export address table holds ${addressCount} entries, not 12")
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
