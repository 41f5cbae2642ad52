# The Debian packages, made by CPack from a system installation
# (QUELLAN_SYSTEM_INSTALL with the prefix /usr; `make package` configures it).
# Each install component becomes one package:
#   application  quellan-pdf-merger  the launcher, plug-ins, colligo, desktop files
#   engine       libcolligo1         libColligo.so.1, the run-time library
#   development  libcolligo-dev      header, libColligo.so link, pkg-config file, CMake package
# The engine has a package of its own because host programs need it without
# the application, and Debian keeps a shared library in a package named after it.

if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "QUELLAN_SYSTEM_INSTALL installs for /usr: configure with -DCMAKE_INSTALL_PREFIX=/usr")
endif()

# The engine is on the system's library path: the programs that use it need no
# run path to find it (the tree layout's $ORIGIN paths would point nowhere).
set_target_properties(colligo Vellumor_dll PROPERTIES INSTALL_RPATH "")

set(QUELLAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(QUELLAN_PACKAGES application quellan-pdf-merger engine libcolligo1 development libcolligo-dev)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_build_dir ${PROJECT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_build_dir})

# Debian wants documentation compressed with the name and time left out, so
# that the same sources give the same package.
function(quellan_gzip source output)
  execute_process(COMMAND gzip -9n -c ${source} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

quellan_gzip(${packaging_dir}/changelog ${packaging_build_dir}/changelog.gz)
quellan_gzip(${PROJECT_SOURCE_DIR}/docs/colligo.1 ${packaging_build_dir}/colligo.1.gz)
quellan_gzip(${packaging_dir}/quellan-pdf-merger.1 ${packaging_build_dir}/quellan-pdf-merger.1.gz)

# Every package carries the copyright notice and the changelog.
set(packages ${QUELLAN_PACKAGES})
while(packages)
  list(POP_FRONT packages component package)
  install(FILES ${packaging_dir}/copyright ${packaging_build_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endwhile()
install(FILES ${packaging_build_dir}/colligo.1.gz ${packaging_build_dir}/quellan-pdf-merger.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT application)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quellan-pdf-merger)
set(CPACK_PACKAGE_VENDOR "Quellan Studio")
set(CPACK_PACKAGE_VERSION ${QUELLAN_PACKAGE_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL application engine development)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${QUELLAN_PACKAGE_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quellan Studio <packages@quellan-studio.com>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quellan-studio.com")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies come from the libraries the binaries really link (dpkg-shlibdeps);
# libColligo.so.1 is found in the build tree, and its package named below.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/bin)
set(engine_dependency "libcolligo1 (= ${QUELLAN_PACKAGE_VERSION})")

set(CPACK_DEBIAN_APPLICATION_PACKAGE_NAME quellan-pdf-merger)
set(CPACK_DEBIAN_APPLICATION_PACKAGE_SECTION text)
# Qt only recommends its platform plug-ins (X11, Wayland), without which no window
# opens; files and web pages open through xdg-open.
set(CPACK_DEBIAN_APPLICATION_PACKAGE_DEPENDS "${engine_dependency}, qt6-qpa-plugins")
set(CPACK_DEBIAN_APPLICATION_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_APPLICATION_DESCRIPTION "join several PDF files into one
Quellan PDF Merger joins PDF files into one. For each file you choose which
pages take part (all, odd, even, or a range such as 1,3,6-18), whether they go
in as they are or reversed, and you may interleave the files a few pages at a
time. Bookmarks, links, annotations, form fields and page labels can be kept.

This package holds the desktop application and the command colligo, which
merges, splits and lists outlines from a terminal.")

set(CPACK_DEBIAN_ENGINE_PACKAGE_NAME libcolligo1)
set(CPACK_DEBIAN_ENGINE_PACKAGE_SECTION libs)
# A shlibs file tells dpkg-shlibdeps which package host programs need.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON) # (only libcolligo1 holds a versioned library)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# The library's folder is ldconfig's: dpkg's ldconfig trigger updates its cache.
configure_file(${packaging_dir}/libcolligo1.triggers ${packaging_build_dir}/libcolligo1/triggers COPYONLY)
set(CPACK_DEBIAN_ENGINE_PACKAGE_CONTROL_EXTRA ${packaging_build_dir}/libcolligo1/triggers)
set(CPACK_DEBIAN_ENGINE_DESCRIPTION "PDF engine of Quellan PDF Merger (library)
Colligo merges PDF files and splits them by page ranges or at an outline
level, copying content streams, fonts and images unchanged. It has a plain C
interface and also opens certificate-encrypted documents.

This package holds the shared library.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libcolligo-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${engine_dependency}")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "PDF engine of Quellan PDF Merger (development files)
Colligo merges PDF files and splits them by page ranges or at an outline
level, copying content streams, fonts and images unchanged. It has a plain C
interface and also opens certificate-encrypted documents.

This package holds the header colligo.h, the pkg-config file and the CMake
package for find_package(Colligo).")

include(CPack)
