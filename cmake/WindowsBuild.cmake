# The Windows build (cross-compiled with mingw-w64, see cmake/mingw-*.cmake):
# what differs from the Linux one besides the platform files.
#
# QUELLAN_ENGINE_ONLY builds just the engine kit and colligo.exe, as for
# Windows x64, where host programs need a 64-bit Colligo.dll but the
# application itself stays 32-bit.
option(QUELLAN_ENGINE_ONLY "Build only Colligo.dll, its import library and colligo.exe" OFF)

enable_language(RC)
include(${CMAKE_CURRENT_LIST_DIR}/WindowsDependencies.cmake)

# The zip is made from an installation; it need not list every file it copies.
set(CMAKE_INSTALL_MESSAGE NEVER)

# Libraries are named as on Windows (Colligo.dll, not libColligo.dll);
# import libraries keep mingw's lib*.dll.a.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_SHARED_MODULE_PREFIX "")

# Every program carries cmake/windows/program.manifest: UTF-8 as its ANSI
# code page (the narrow text of the C runtime and of the engine's narrow
# exports) and long paths.
set(QUELLAN_PROGRAM_RESOURCE ${PROJECT_BINARY_DIR}/program-manifest.rc)
file(WRITE ${QUELLAN_PROGRAM_RESOURCE}
  "1 24 \"${CMAKE_CURRENT_LIST_DIR}/windows/program.manifest\"\n")
function(quellan_windows_program target)
  target_sources(${target} PRIVATE ${QUELLAN_PROGRAM_RESOURCE})
endfunction()
