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
