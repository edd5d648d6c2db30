# Compiler and linker settings shared by every target.

if(DEFINED ENV{VORLAN_CACHE})
  set(_vorlan_cache_default "$ENV{VORLAN_CACHE}")
else()
  set(_vorlan_cache_default "${CMAKE_SOURCE_DIR}/.cache")
endif()
set(VORLAN_CACHE_DIR "${_vorlan_cache_default}" CACHE PATH "Where bootstrap keeps fetched sources and cross-built dependencies")

# Compiler cache: paths below the source folder are hashed relative to it, so
# clones and work trees of the repository share their compiled objects.
find_program(VORLAN_CCACHE ccache)
if(VORLAN_CCACHE)
  set(_vorlan_launcher env "CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}" CCACHE_NOHASHDIR=1 "${VORLAN_CCACHE}")
  set(CMAKE_C_COMPILER_LAUNCHER ${_vorlan_launcher})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${_vorlan_launcher})
endif()

if(VORLAN_WIN32)
  add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  add_compile_options(-Wall -Wextra -Wno-cast-function-type -Wno-missing-field-initializers)
  # Static runtime: the programs need no mingw DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
else()
  add_compile_options(-Wall -Wextra -Wno-missing-field-initializers)
  option(VORLAN_SANITIZE "Build the native tree with AddressSanitizer and UBSan" ON)
  if(VORLAN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()
