# Running the test programs under Wine.
#
# Each test program is one ctest test (not one per test case): every program start under
# Wine costs a few hundred milliseconds, and listing the cases would start each program at
# build time too. One Wine prefix per build tree, made fresh by the first test, with one
# persistent wineserver that the last test stops.
set(MT_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(MT_WINE_SUPPORT ${PROJECT_SOURCE_DIR}/tests/support/wine)

add_test(NAME wine_prefix_setup
         COMMAND ${MT_WINE_SUPPORT}/prefix-setup ${MT_WINE_PREFIX} ${MT_WINE_LOADER})
set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 180)
add_test(NAME wine_prefix_stop
         COMMAND ${MT_WINE_SUPPORT}/prefix-setup ${MT_WINE_PREFIX} ${MT_WINE_LOADER} --stop)
set_tests_properties(wine_prefix_stop PROPERTIES FIXTURES_CLEANUP wine_prefix)

add_test(NAME windows_imports
         COMMAND ${MT_WINE_SUPPORT}/check-imports ${MT_MINGW_TRIPLE}-objdump ${CMAKE_BINARY_DIR})

# The same test folders serve both platforms; here a program's cases run in one process.
function(gtest_discover_tests target)
  cmake_parse_arguments(ARG "" "DISCOVERY_TIMEOUT;DISCOVERY_MODE;TEST_PREFIX;TEST_SUFFIX"
                        "PROPERTIES;EXTRA_ARGS" ${ARGN})
  add_test(NAME ${target} COMMAND ${target} ${ARG_EXTRA_ARGS})
  if(ARG_PROPERTIES)
    set_tests_properties(${target} PROPERTIES ${ARG_PROPERTIES})
  endif()
endfunction()

# Every test of the folders below runs in the prefix; add_test is wrapped (it runs in the
# calling folder's scope, where the test can be given properties).
function(add_test)
  _add_test(${ARGV})
  if(ARGV0 STREQUAL "NAME")
    set_tests_properties(${ARGV1} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  endif()
endfunction()
