# `cmake --install`: the SDK and module libraries with their headers, the program and the
# modules it loads, a CMake package (find_package(XqCmdUtil CONFIG)) and a pkg-config file.
include(CMakePackageConfigHelpers)

set(TARVO_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/XqCmdUtil)

install(TARGETS tarvosdk XqCmdUtil EXPORT XqCmdUtilTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Modules the program loads at run time: beside libtarvosdk, where the module search looks.
install(TARGETS XqCmdShareRes Xq3dCmds LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
if(TARGET TarvoCommands)
  install(TARGETS TarvoCommands LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
install(TARGETS tarvo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The SDK's headers keep their "sdk/<area>/..." paths; the modeler's private headers need
# Open CASCADE and stay behind.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/sdk/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tarvo/sdk
  FILES_MATCHING PATTERN "*.h" PATTERN "modeler/detail" EXCLUDE)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/cmdutil/include/xqcmdutil
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")

install(EXPORT XqCmdUtilTargets NAMESPACE XqCmdUtil:: DESTINATION ${TARVO_INSTALL_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/XqCmdUtilConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/XqCmdUtilConfig.cmake INSTALL_DESTINATION ${TARVO_INSTALL_CMAKEDIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/XqCmdUtilConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/XqCmdUtilConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/XqCmdUtilConfigVersion.cmake DESTINATION ${TARVO_INSTALL_CMAKEDIR})

# The pkg-config file names its prefix relative to itself, so the tree can be moved.
file(RELATIVE_PATH TARVO_PC_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(${PROJECT_SOURCE_DIR}/cmake/xqcmdutil.pc.in ${CMAKE_CURRENT_BINARY_DIR}/xqcmdutil.pc
  @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/xqcmdutil.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
