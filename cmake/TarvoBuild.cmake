# Compiler settings shared by every target of the project.
add_library(tarvo_options INTERFACE)
target_compile_options(tarvo_options INTERFACE
  -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
if(TARVO_WERROR)
  target_compile_options(tarvo_options INTERFACE -Werror)
endif()

if(TARVO_FUZZ)
  # Libraries get the fuzzer's coverage counters; the targets link its driver (fuzz/).
  set(_tarvo_san -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                 -fno-omit-frame-pointer)
  add_compile_options(${_tarvo_san})
  add_link_options(${_tarvo_san})
elseif(TARVO_SANITIZE)
  set(_tarvo_san -fsanitize=address,undefined -fno-sanitize-recover=undefined
                 -fno-omit-frame-pointer)
  add_compile_options(${_tarvo_san})
  add_link_options(${_tarvo_san})
endif()

# The standard headers the sources use most, compiled once per target into a precompiled
# header: they are nearly all of what each source reads. Only the sanitizer build uses it; as it
# would not notice a source that leaves out an include it needs, `make test` runs
# scripts/check-std-includes.
set(TARVO_STD_HEADERS
  <algorithm> <array> <cmath> <cstddef> <cstdint> <cstdlib> <cstring> <cwchar> <deque>
  <filesystem> <functional> <limits> <map> <memory> <optional> <set> <span> <sstream>
  <string> <string_view> <unordered_map> <unordered_set> <utility> <variant> <vector>)
function(tarvo_precompile_std target)
  if(TARVO_SANITIZE)
    target_precompile_headers(${target} PRIVATE ${TARVO_STD_HEADERS})
  endif()
endfunction()

# Sources of a folder and its subfolders, so a new file needs no edit of a list.
function(tarvo_glob_sources out dir)
  file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${out} ${_srcs} PARENT_SCOPE)
endfunction()

# Open CASCADE, confined to the modeler; its headers are system headers. The libraries are
# linked by file, not through the package's imported targets, which drag in optional
# dependencies the modeler does not use.
find_path(TARVO_OCCT_INCLUDE_DIR Standard.hxx PATH_SUFFIXES opencascade)
add_library(tarvo_occt INTERFACE)
if(TARVO_OCCT_INCLUDE_DIR)
  target_include_directories(tarvo_occt SYSTEM INTERFACE ${TARVO_OCCT_INCLUDE_DIR})
  foreach(_tk TKernel TKMath TKG2d TKG3d TKGeomBase TKBRep TKGeomAlgo TKTopAlgo TKPrim TKBO TKOffset
              TKShHealing)
    find_library(TARVO_OCCT_${_tk} ${_tk} REQUIRED)
    target_link_libraries(tarvo_occt INTERFACE ${TARVO_OCCT_${_tk}})
  endforeach()
endif()
