# What `cmake --install` lays out: the three platform libraries with their SONAMEs, the contract
# headers, the plug-in module in the plug-in directory, the runner, a CMake package, a pkg-config
# file, the documentation and the examples.
include(CMakePackageConfigHelpers)

set(NUV_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/NUV)
set(NUV_EXAMPLES_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/nuv/examples)

# Installed binaries find the libraries and the plug-in relative to themselves.
file(RELATIVE_PATH _nuv_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
file(RELATIVE_PATH _nuv_plugin_to_lib ${CMAKE_INSTALL_PREFIX}/${NUV_PLUGIN_INSTALL_DIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set_target_properties(nuv-workbench PROPERTIES INSTALL_RPATH "$ORIGIN/${_nuv_bin_to_lib}")
set_target_properties(NUV.ViewParts.TBX PROPERTIES INSTALL_RPATH "$ORIGIN/${_nuv_plugin_to_lib}")

install(TARGETS kol30 tbx nuv10 nuv10_host EXPORT NUVTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_COMPONENT Development
  INCLUDES DESTINATION ${NUV_INCLUDE_INSTALL_DIR})
# The Qt backend serves the runner's native window; hosts do not build on it (its header is not
# installed), so only the library itself goes to the run-time package.
install(TARGETS tbxqt LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Runtime NAMELINK_SKIP)
install(TARGETS NUV.ViewParts.TBX EXPORT NUVTargets LIBRARY DESTINATION ${NUV_PLUGIN_INSTALL_DIR} COMPONENT Runtime)
install(TARGETS nuv-workbench RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT Runtime)

# The contract, every library's folder side by side in one include directory, and the concrete
# host objects and module loader that a host application uses.
file(GLOB _nuv_contract_headers ${NUV_CONTRACT_DIR}/kol30/*.h ${NUV_CONTRACT_DIR}/tbx/*.h ${NUV_CONTRACT_DIR}/nuv10/*.h)
install(FILES ${_nuv_contract_headers}
              ${CMAKE_SOURCE_DIR}/Framework/Source/Platform/Host/NUVHostObjects.h
              ${CMAKE_SOURCE_DIR}/Framework/Source/Platform/Host/NUVModule.h
        DESTINATION ${NUV_INCLUDE_INSTALL_DIR} COMPONENT Development)

install(EXPORT NUVTargets NAMESPACE NUV:: DESTINATION ${NUV_CMAKE_INSTALL_DIR} COMPONENT Development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/NUVConfig.cmake.in ${CMAKE_BINARY_DIR}/NUVConfig.cmake
  INSTALL_DESTINATION ${NUV_CMAKE_INSTALL_DIR}
  PATH_VARS NUV_PLUGIN_INSTALL_DIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/NUVConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/NUVConfig.cmake ${CMAKE_BINARY_DIR}/NUVConfigVersion.cmake
        DESTINATION ${NUV_CMAKE_INSTALL_DIR} COMPONENT Development)

# Relative to the file itself, so that the tree can be installed under any prefix.
file(RELATIVE_PATH NUV_PC_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" NUV_PC_TO_PREFIX "${NUV_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/nuv.pc.in ${CMAKE_BINARY_DIR}/nuv.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/nuv.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)

install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Runtime)
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Runtime FILES_MATCHING PATTERN "*.md" PATTERN "*.png" PATTERN "api-mainpage.md" EXCLUDE)
install(DIRECTORY examples/ DESTINATION ${NUV_EXAMPLES_INSTALL_DIR} COMPONENT Runtime)
