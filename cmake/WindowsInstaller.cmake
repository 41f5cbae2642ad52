# The Windows installer of the whole system (x86), beside its zip:
# `cmake --build BUILD --target windows-installer` packs the zip, then makes
# quellan-pdf-merger-VERSION-windows-x86-setup.exe from what the zip holds,
# with NSIS's makensis (cmake/BuildInstaller.cmake, cmake/windows/installer.nsi).
# Made from the zip itself, the installer installs the very same bytes (a
# second installation would differ in the stripped programs' time stamps).
# makensis runs on Linux; the installer it makes is a 32-bit Windows program.

find_program(QUELLAN_MAKENSIS makensis REQUIRED)
set(QUELLAN_INSTALLER ${PROJECT_BINARY_DIR}/${QUELLAN_ZIP_NAME}-setup.exe)
set(work ${PROJECT_BINARY_DIR}/installer)
add_custom_target(windows-installer
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${work} ${QUELLAN_INSTALLER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${work}/stage
  COMMAND ${CMAKE_COMMAND} -E chdir ${work}/stage ${CMAKE_COMMAND} -E tar xf ${QUELLAN_ZIP}
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${work}/stage/${QUELLAN_ZIP_NAME} -DWORK=${work}
    -DSCRIPT=${CMAKE_CURRENT_LIST_DIR}/windows/installer.nsi -DMAKENSIS=${QUELLAN_MAKENSIS}
    -DVERSION=${PROJECT_VERSION} -DICON=${QUELLAN_WINDOWS_ICON} -DOUTFILE=${QUELLAN_INSTALLER}
    -P ${CMAKE_CURRENT_LIST_DIR}/BuildInstaller.cmake
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${work}/stage
  COMMENT "Making ${QUELLAN_ZIP_NAME}-setup.exe"
  VERBATIM)
add_dependencies(windows-installer windows-zip)
