# The Windows build's libraries, built from Debian's source packages by
# scripts/build-windows-deps.sh and found through the CMAKE_PREFIX_PATH it
# writes: poppler and freetype as static libraries with zlib from
# libz-mingw-w64-dev, so Colligo.dll carries its own parser.

find_path(POPPLER_INCLUDE_DIR PDFDoc.h PATH_SUFFIXES include/poppler REQUIRED)
find_library(POPPLER_LIBRARY NAMES libpoppler.a REQUIRED)
find_package(freetype CONFIG REQUIRED)
if(NOT QUELLAN_ZLIB_LIBRARY)
  find_library(QUELLAN_ZLIB_LIBRARY NAMES libz.a REQUIRED)
endif()

# What the static poppler needs from Windows besides freetype and zlib.
add_library(Poppler::Core STATIC IMPORTED)
set_target_properties(Poppler::Core PROPERTIES
  IMPORTED_LOCATION ${POPPLER_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${POPPLER_INCLUDE_DIR}
  INTERFACE_LINK_LIBRARIES "freetype;${QUELLAN_ZLIB_LIBRARY};gdi32;advapi32;shell32")
