# Colligo.dll: the engine for Windows, with poppler inside (static). Its
# exports are exactly the C names of colligo.map, plain even where 32-bit
# Windows' standard calling convention decorates them (OpenPDF, not
# _OpenPDF@8): a .def file naming each export as the compiler decorated it is
# made from the compiled objects, the DLL is linked with it and --kill-at, and
# the import library for host programs is made from the same file.

add_library(ColligoObjects OBJECT ${ENGINE_INTERNAL_SOURCES} ${ENGINE_EXPORT_SOURCES})
target_include_directories(ColligoObjects PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/api PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(ColligoObjects PRIVATE COLLIGO_ENGINE_BUILD)
target_link_libraries(ColligoObjects PRIVATE PageRanges Poppler::Core)

set(COLLIGO_DEF ${CMAKE_CURRENT_BINARY_DIR}/Colligo.def)
add_custom_command(OUTPUT ${COLLIGO_DEF}
  COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DMAP=${CMAKE_CURRENT_SOURCE_DIR}/colligo.map -DDEF=${COLLIGO_DEF}
          "-DOBJECTS=$<TARGET_OBJECTS:ColligoObjects>" -P ${PROJECT_SOURCE_DIR}/cmake/MakeDefFile.cmake
  DEPENDS $<TARGET_OBJECTS:ColligoObjects> colligo.map ${PROJECT_SOURCE_DIR}/cmake/MakeDefFile.cmake
  COMMENT "Listing the engine's exports in Colligo.def"
  VERBATIM)

add_library(Colligo SHARED $<TARGET_OBJECTS:ColligoObjects> ${COLLIGO_DEF})
target_include_directories(Colligo
  PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/api> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_link_libraries(Colligo PRIVATE PageRanges Poppler::Core crypt32 bcrypt)
set_target_properties(Colligo PROPERTIES
  PREFIX ""
  PUBLIC_HEADER api/colligo.h)
target_link_options(Colligo PRIVATE -Wl,--no-undefined)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(Colligo PRIVATE -Wl,--kill-at)
endif()
add_custom_command(TARGET Colligo POST_BUILD
  COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${COLLIGO_DEF} --dllname Colligo.dll
          --output-lib $<TARGET_LINKER_FILE:Colligo>
  COMMENT "Making the import library of Colligo.dll from Colligo.def"
  VERBATIM)

# The engine's internals, for the Windows platform tests.
add_library(ColligoInternals STATIC EXCLUDE_FROM_ALL ${ENGINE_INTERNAL_SOURCES})
target_include_directories(ColligoInternals PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/api ${CMAKE_CURRENT_SOURCE_DIR}/platform)
target_compile_definitions(ColligoInternals PUBLIC COLLIGO_ENGINE_BUILD)
target_link_libraries(ColligoInternals PUBLIC PageRanges Poppler::Core crypt32 bcrypt)

# The engine kit for host programs: the DLL, its header, its import library
# and the .def file (for other linkers' import libraries).
install(TARGETS Colligo
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${COLLIGO_DEF} DESTINATION ${CMAKE_INSTALL_LIBDIR})
