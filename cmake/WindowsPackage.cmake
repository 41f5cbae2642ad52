# The zip of a Windows build: the installation tree (bin/ laid out like the
# Linux build tree, include/ and lib/ for host programs) under one folder,
# `cmake --build BUILD --target windows-zip`. With the application, Qt's DLLs
# and plug-ins lie beside Korvel.exe, where Qt looks for them, so the zip runs
# from any folder with nothing else installed.

if(TARGET Qt6::Widgets)
  set(QUELLAN_QT_LIBRARIES Qt6::Core Qt6::Gui Qt6::Widgets)
  set(QUELLAN_QT_PLUGINS
    platforms Qt6::QWindowsIntegrationPlugin
    styles Qt6::QWindowsVistaStylePlugin)
  # Into the build tree, which runs as it is, and into the installation.
  set(copies "")
  foreach(library IN LISTS QUELLAN_QT_LIBRARIES)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${library}> ${PROJECT_BINARY_DIR}/bin)
    install(FILES $<TARGET_FILE:${library}> DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
  while(QUELLAN_QT_PLUGINS)
    list(POP_FRONT QUELLAN_QT_PLUGINS folder plugin)
    list(APPEND copies
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/bin/${folder}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${PROJECT_BINARY_DIR}/bin/${folder})
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
  endwhile()
  add_custom_target(QtRuntime ALL ${copies} COMMENT "Copying Qt's DLLs and plug-ins beside Korvel.exe" VERBATIM)
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QUELLAN_WINDOWS_ARCHITECTURE x86)
else()
  set(QUELLAN_WINDOWS_ARCHITECTURE x64)
endif()
set(QUELLAN_ZIP_NAME quellan-pdf-merger-${PROJECT_VERSION}-windows-${QUELLAN_WINDOWS_ARCHITECTURE})
set(QUELLAN_ZIP ${PROJECT_BINARY_DIR}/${QUELLAN_ZIP_NAME}.zip)
set(stage ${PROJECT_BINARY_DIR}/zip-stage)
add_custom_target(windows-zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${QUELLAN_ZIP}
  COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --prefix ${stage}/${QUELLAN_ZIP_NAME} --strip
  COMMAND ${CMAKE_COMMAND} -E chdir ${stage} ${CMAKE_COMMAND} -E tar cf ${QUELLAN_ZIP} --format=zip ${QUELLAN_ZIP_NAME}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMENT "Packing ${QUELLAN_ZIP_NAME}.zip"
  VERBATIM)

# The whole system also gets an installer; the engine kit stays a zip.
if(NOT QUELLAN_ENGINE_ONLY)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsInstaller.cmake)
endif()
