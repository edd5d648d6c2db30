# Test registration helpers.
#
# Native tests are GoogleTest programs discovered per case.
# Windows tests are GoogleTest programs run under Wine through CMake's
# cross-compiling emulator (tests/wine/wine-run). Their cases are found by
# scanning the sources for TEST()/TEST_F() so that nothing has to run under
# Wine at build time; each case becomes one CTest test per Wine prefix.

include(GoogleTest)

set(VORLAN_WINE_DIR "${CMAKE_BINARY_DIR}/wine" CACHE INTERNAL "")
# Time limits of the Wine tests are multiplied by this: the emulated machine
# of scripts/win32-host (software emulation) runs them several times slower
# than a host does (scripts/test sets it when it runs the tests there).
set(VORLAN_TEST_TIMEOUT_SCALE 1 CACHE STRING "Multiplier of the Wine tests' time limits")
# The Wine loader for the programs of this build: the x86-64 check build runs
# under wine64 alone, since its host may not run Wine's 32-bit loader.
if(VORLAN_CHECK64)
  set(VORLAN_WINE_LOADER "/usr/lib/wine/wine64" CACHE STRING "Wine loader of the check build")
else()
  set(VORLAN_WINE_LOADER "wine" CACHE STRING "Wine loader")
endif()

# vorlan_add_native_gtest(<name> SOURCES ... [LIBS ...])
function(vorlan_add_native_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name} TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)
endfunction()

# vorlan_wine_prefix(<prefix-name>) -> sets <prefix-name>_PATH in the parent scope
# win64: 64-bit Windows (the default Wine prefix); win32: a 32-bit Windows prefix.
function(vorlan_wine_prefix_path prefix out)
  set(${out} "${VORLAN_WINE_DIR}/prefix-${prefix}" PARENT_SCOPE)
endfunction()

# vorlan_wine_cases_run_serial(<Suite.Case> ... PREFIXES win64 win32)
# The named cases of a Wine test program run alone, in every prefix this
# build has (the check build has no win32 prefix).
function(vorlan_wine_cases_run_serial)
  cmake_parse_arguments(ARG "" "" "PREFIXES" ${ARGN})
  if(VORLAN_CHECK64)
    list(REMOVE_ITEM ARG_PREFIXES win32)
  endif()
  foreach(prefix IN LISTS ARG_PREFIXES)
    list(TRANSFORM ARG_UNPARSED_ARGUMENTS PREPEND "wine.${prefix}." OUTPUT_VARIABLE tests)
    set_tests_properties(${tests} PROPERTIES RUN_SERIAL TRUE)
  endforeach()
endfunction()

# vorlan_add_wine_gtest(<name> SOURCES ... [LIBS ...] [PREFIXES win64 win32]
#                       [RESOURCE_LOCK lock ...] [LABELS ...] [TIMEOUT s] [WHOLE])
# WHOLE: one CTest test runs all cases of the program (for fast unit tests).
# Cases listed in tests/wine/wow64-cases.txt depend on a 32-bit process on
# 64-bit Windows; they carry the label "wow64", which the x86-64 check build
# does not run. Cases listed in tests/wine/product-cases.txt carry the label
# "product": with the wow64 ones, the short run of the product build where
# it runs only under emulation (docs/testing.md). The check build has no 32-bit Windows prefix.
function(vorlan_add_wine_gtest name)
  cmake_parse_arguments(ARG "WHOLE" "TIMEOUT" "SOURCES;LIBS;PREFIXES;RESOURCE_LOCK;LABELS" ${ARGN})
  set(wow64_list "${CMAKE_SOURCE_DIR}/tests/wine/wow64-cases.txt")
  file(STRINGS "${wow64_list}" wow64_cases REGEX "^[A-Za-z0-9_]+\\.[A-Za-z0-9_]+$")
  set(product_list "${CMAKE_SOURCE_DIR}/tests/wine/product-cases.txt")
  file(STRINGS "${product_list}" product_cases REGEX "^[A-Za-z0-9_]+\\.[A-Za-z0-9_]+$")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${wow64_list}" "${product_list}")
  if(NOT ARG_PREFIXES)
    set(ARG_PREFIXES win64)
  endif()
  if(VORLAN_CHECK64)
    list(REMOVE_ITEM ARG_PREFIXES win32)
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * ${VORLAN_TEST_TIMEOUT_SCALE}")
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/tests/wine/wine-run")

  # Find the cases in the sources.
  set(cases "")
  foreach(src IN LISTS ARG_SOURCES)
    get_filename_component(abs "${src}" ABSOLUTE)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${abs}")
    file(READ "${abs}" text)
    string(REGEX MATCHALL "(TEST|TEST_F)[ \t\r\n]*\\([ \t\r\n]*[A-Za-z_0-9]+[ \t\r\n]*,[ \t\r\n]*[A-Za-z_0-9]+[ \t\r\n]*\\)" found "${text}")
    foreach(hit IN LISTS found)
      string(REGEX REPLACE "(TEST|TEST_F)[ \t\r\n]*\\([ \t\r\n]*([A-Za-z_0-9]+)[ \t\r\n]*,[ \t\r\n]*([A-Za-z_0-9]+)[ \t\r\n]*\\)" "\\2.\\3" case "${hit}")
      list(APPEND cases "${case}")
    endforeach()
  endforeach()
  if(NOT cases)
    message(FATAL_ERROR "${name}: no TEST()/TEST_F() found in its sources")
  endif()
  if(ARG_WHOLE)
    set(cases "*")
  endif()

  foreach(prefix IN LISTS ARG_PREFIXES)
    vorlan_wine_prefix_path(${prefix} prefix_path)
    foreach(case IN LISTS cases)
      if(ARG_WHOLE)
        set(test_name "wine.${prefix}.${name}")
      else()
        set(test_name "wine.${prefix}.${case}")
      endif()
      add_test(NAME ${test_name} COMMAND ${name} --gtest_filter=${case} --gtest_also_run_disabled_tests=0)
      set(labels wine ${ARG_LABELS})
      if(case IN_LIST wow64_cases)
        list(APPEND labels wow64)
      endif()
      if(case IN_LIST product_cases)
        list(APPEND labels product)
      endif()
      set_tests_properties(${test_name} PROPERTIES
        ENVIRONMENT "WINEPREFIX=${prefix_path};VORLAN_TEST_PREFIX=${prefix};VORLAN_WINE=${VORLAN_WINE_LOADER};VORLAN_TEST_TIMEOUT_SCALE=${VORLAN_TEST_TIMEOUT_SCALE}"
        FIXTURES_REQUIRED "wine-${prefix}"
        TIMEOUT ${ARG_TIMEOUT}
        LABELS "${labels}"
        SKIP_RETURN_CODE 77)
      if(ARG_RESOURCE_LOCK)
        set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK "${ARG_RESOURCE_LOCK}")
      endif()
    endforeach()
  endforeach()
endfunction()

# vorlan_add_core_gtest(<name> SOURCES ... [LIBS ...])
# Tests of the portable core: natively under the sanitizers, and the same
# program once more under Wine (built by mingw) so both compilers are held to
# the same results.
function(vorlan_add_core_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(VORLAN_WIN32)
    vorlan_add_wine_gtest(${name} WHOLE SOURCES ${ARG_SOURCES} LIBS vorlan_core ${ARG_LIBS})
  else()
    vorlan_add_native_gtest(${name} SOURCES ${ARG_SOURCES} LIBS vorlan_core ${ARG_LIBS})
  endif()
endfunction()
