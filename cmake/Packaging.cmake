# Installing Formwright for other projects: the CMake package (targets, version, Qt found for the
# consumer), a pkg-config file, and a Debian package built by CPack (`make package`).
if(NOT FW_SHARED_LIBS)
    # Static libraries carry neither their Qt resources nor their dependencies cleanly to a consumer.
    return()
endif()

include(CMakePackageConfigHelpers)
set(FW_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Formwright)

install(EXPORT FormwrightTargets NAMESPACE Formwright:: DESTINATION ${FW_CMAKE_DIR} COMPONENT development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/FormwrightConfig.cmake.in
    ${CMAKE_BINARY_DIR}/FormwrightConfig.cmake INSTALL_DESTINATION ${FW_CMAKE_DIR})
# Until 1.0, a minor version may change the interface: 0.2 accepts 0.2.x only.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/FormwrightConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/FormwrightConfig.cmake ${CMAKE_BINARY_DIR}/FormwrightConfigVersion.cmake
    DESTINATION ${FW_CMAKE_DIR} COMPONENT development)

file(RELATIVE_PATH FW_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" FW_PC_TO_PREFIX "${FW_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/formwright.pc.in ${CMAKE_BINARY_DIR}/formwright.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/formwright.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
    COMPONENT development)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/CHANGELOG.md
    DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT development)

# One Debian package with the libraries, headers, CMake and pkg-config files and formconv.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME formwright)
set(CPACK_PACKAGE_VENDOR "The Formwright developers")
set(CPACK_PACKAGE_CONTACT "The Formwright developers <formwright@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Runtime form designer with an Object Inspector for C++ applications on Qt 6 Widgets")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The CMake package finds Qt for the consumer, so its development files come along.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-base-dev, qt6-svg-dev, libgl-dev")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES OFF)
include(CPack)
