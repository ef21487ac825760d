# What a host needs to embed the dialog: the two shared libraries, the
# headers in the tree shape they include each other by, a CMake package
# (find_package(sysdlg CONFIG) gives sysdlg::sysdlg and sysdlg::platform) and
# a pkg-config file. Every installed path is relative to the prefix, so the
# tree can be moved or packaged as it is.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(SYSDLG_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/sysdlg)
set(SYSDLG_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/sysdlg)

# The dialog library finds the platform beside itself; the simulator finds
# both one folder up, wherever the tree was unpacked.
set_target_properties(sysplatform PROPERTIES EXPORT_NAME platform INSTALL_RPATH "$ORIGIN")
set_target_properties(sysdlg PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS sysplatform sysdlg EXPORT sysdlgTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${SYSDLG_INSTALL_INCLUDEDIR})

# The public headers are those of the layers the host calls into: the
# platform (windows, input, drives), the host services (configuration
# objects, text service, instrument profile) and the dialog's own interface
# (frame, shutdown dialog, records, request protocol). Page headers stay
# inside the library; test and benchmark helpers are not part of it.
foreach(layer win host core)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${layer}
    DESTINATION ${SYSDLG_INSTALL_INCLUDEDIR}
    FILES_MATCHING PATTERN "*.h"
    PATTERN "*_test.h" EXCLUDE
    PATTERN "*TestSupport.h" EXCLUDE
    PATTERN "*BenchSupport.h" EXCLUDE)
endforeach()

install(EXPORT sysdlgTargets NAMESPACE sysdlg:: DESTINATION ${SYSDLG_INSTALL_CMAKEDIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/sysdlgConfig.cmake.in
  ${PROJECT_BINARY_DIR}/sysdlgConfig.cmake
  INSTALL_DESTINATION ${SYSDLG_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/sysdlgConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/sysdlgConfig.cmake ${PROJECT_BINARY_DIR}/sysdlgConfigVersion.cmake
  DESTINATION ${SYSDLG_INSTALL_CMAKEDIR})

file(RELATIVE_PATH SYSDLG_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" SYSDLG_PC_TO_PREFIX ${SYSDLG_PC_TO_PREFIX})
configure_file(${PROJECT_SOURCE_DIR}/cmake/sysdlg.pc.in ${PROJECT_BINARY_DIR}/sysdlg.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/sysdlg.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The simulator carries its front end, templates and sample data inside the
# binary, so the binary is all it needs.
if(TARGET sysdlg-sim)
  set_target_properties(sysdlg-sim PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS sysdlg-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${PROJECT_SOURCE_DIR}/docs/integration.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(${PROJECT_SOURCE_DIR}/cmake/Packaging.cmake)
