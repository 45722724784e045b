# Install rules: the shared library, the tools, the umbrella header, the CMake
# package (find_package(QzCore CONFIG) -> QzCore::qzcore) and qzcore.pc.
include(CMakePackageConfigHelpers)

install(TARGETS qzcore EXPORT QzCoreTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qzcore)
install(TARGETS QzCompress QzDecompress RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/core/QzCore.h ${PROJECT_SOURCE_DIR}/core/QzApi.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qzcore COMPONENT devel)

set(QZ_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QzCore)
install(EXPORT QzCoreTargets NAMESPACE QzCore:: DESTINATION ${QZ_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QzCoreConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QzCoreConfig.cmake INSTALL_DESTINATION ${QZ_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QzCoreConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QzCoreConfig.cmake
              ${PROJECT_BINARY_DIR}/QzCoreConfigVersion.cmake
        DESTINATION ${QZ_CMAKE_DIR})

# the .pc file finds its prefix from where it lies, so the install can move
file(RELATIVE_PATH QZ_PC_PREFIX_FROM_PCDIR /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" QZ_PC_PREFIX_FROM_PCDIR "${QZ_PC_PREFIX_FROM_PCDIR}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/qzcore.pc.in ${PROJECT_BINARY_DIR}/qzcore.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/qzcore.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
