# JsonCpp and GoogleTest: installed by scripts/bootstrap, never vendored.

if(VORLAN_WIN32)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(_vorlan_jsoncpp "${VORLAN_CACHE_DIR}/jsoncpp-mingw64")
  else()
    set(_vorlan_jsoncpp "${VORLAN_CACHE_DIR}/jsoncpp-mingw")
  endif()
  find_package(jsoncpp CONFIG REQUIRED PATHS "${_vorlan_jsoncpp}" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
else()
  find_package(jsoncpp CONFIG REQUIRED)
endif()

set(VORLAN_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources (Debian package googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory("${VORLAN_GTEST_SOURCE}" "${CMAKE_BINARY_DIR}/_deps/googletest" EXCLUDE_FROM_ALL SYSTEM)
