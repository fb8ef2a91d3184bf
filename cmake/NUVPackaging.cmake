# `cpack` (or ./dev package) makes one Debian package of everything `cmake --install` lays out.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nuv-viewparts-tbx)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_VENDOR "NUV.ViewParts.TBX developers")
set(CPACK_PACKAGE_CONTACT "NUV.ViewParts.TBX developers <nuv-viewparts@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "View parts for the NUV host, with the host framework, toolkit and workbench")
set(CPACK_PACKAGE_DESCRIPTION
    "Labels, links, radio buttons, check boxes, toolbar docks, dockable panels, a multi-dock panel,\n"
    "a merging toolbar and a status bar as a plug-in module; the host framework, toolkit and class\n"
    "library it runs on; nuv-workbench, which composes windows from application files; headers,\n"
    "a CMake package and a pkg-config file for building hosts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
# Two packages, as Debian splits libraries: the run-time one (libraries, plug-in, runner, docs,
# examples) and the -dev one (headers, CMake package, pkg-config file, library links).
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${CPACK_PACKAGE_NAME})
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME ${CPACK_PACKAGE_NAME}-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
# The run-time dependencies (pugixml, fmt, cpp-httplib, HarfBuzz, FreeType, fontconfig, the C++
# runtime) are read off the binaries. The font is not: DejaVu is what the toolkit's default
# "Tahoma" resolves to on Debian and what its pixel figures are tested with; without any font the
# toolkit would measure with built-in metrics. Nor is the window system plug-in that Qt loads at run
# time for --window (qt6-qpa-plugins).
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "fonts-dejavu-core, qt6-qpa-plugins")
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${CPACK_PACKAGE_NAME} (= ${CPACK_PACKAGE_VERSION}), libfmt-dev")
include(CPack)
