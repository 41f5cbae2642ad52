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

# Korvel.exe carries the application icon, so Explorer, the Start-menu
# shortcut and "Apps & features" show it; the installer wears it too
# (QUELLAN_WINDOWS_ICON). ImageMagick turns the drawn picture into the
# sizes Windows asks for.
set(QUELLAN_WINDOWS_ICON ${PROJECT_BINARY_DIR}/Korvel.ico)
function(quellan_windows_icon target picture)
  find_program(QUELLAN_CONVERT convert REQUIRED)
  add_custom_command(OUTPUT ${QUELLAN_WINDOWS_ICON}
    COMMAND ${QUELLAN_CONVERT} ${picture} -define icon:auto-resize=256,48,32,16 ${QUELLAN_WINDOWS_ICON}
    DEPENDS ${picture}
    COMMENT "Making the Windows icon"
    VERBATIM)
  set(resource ${PROJECT_BINARY_DIR}/${target}-icon.rc)
  file(WRITE ${resource} "KORVEL ICON \"${QUELLAN_WINDOWS_ICON}\"\n")
  set_source_files_properties(${resource} PROPERTIES OBJECT_DEPENDS ${QUELLAN_WINDOWS_ICON})
  target_sources(${target} PRIVATE ${resource})
endfunction()
