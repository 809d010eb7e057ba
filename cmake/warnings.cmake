# Warnings are errors in the project's own targets (not in GoogleTest's).
function(zd_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
                         -Wcast-align -Woverloaded-virtual -Werror)
  # GCC 12 reports std::string concatenation at -O2 as overlapping memcpy (a known
  # false positive of its -Wrestrict).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# A GoogleTest program: natively each test is one ctest entry; under Wine the whole
# program is one entry (a Wine start per test would cost more than the tests).
function(zd_gtest name)
  add_executable(${name} ${ARGN})
  zd_warnings(${name})
  target_link_libraries(${name} PRIVATE gtest_main gmock)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
  endif()
endfunction()

# A command-line tool of the project: one source with main, linked to its library, built
# into bin/ beside the module it loads (which is built first).
function(zd_tool name main library)
  add_executable(${name} ${main})
  target_link_libraries(${name} PRIVATE ${library})
  zd_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(${name} Stats)
endfunction()

# A Wine test that starts the project's programs as processes of their own and drives
# their windows: it lies in bin/ beside them and is built after them.
# Usage: zd_wine_process_test(NAME PROGRAMS prog... SOURCES src...)
function(zd_wine_process_test name)
  cmake_parse_arguments(ARG "" "" "PROGRAMS;SOURCES" ${ARGN})
  zd_gtest(${name} ${ARG_SOURCES} mode_switcher/wine_driver.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE zd_core zd_hoststub_core user32 gdi32)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  add_dependencies(${name} ${ARG_PROGRAMS})
endfunction()
