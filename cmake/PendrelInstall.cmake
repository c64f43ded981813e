# What `cmake --install` puts under the prefix (docs/Packaging.md):
#
#   lib/libpendrel_<folder>.a            one static library per folder of src/
#   include/pendrel/*.h                  the control's public headers
#   include/pendrel/platform/<layer>/*.h the platform layer a host writes its form against
#   lib/cmake/Pendrel/                   the CMake package: Pendrel::pendrel and Pendrel::<folder>
#   lib/pkgconfig/pendrel.pc             the same for pkg-config
#
# A host compiles with both include/ and include/pendrel/ on its include path,
# so that "pendrel/Morvex.h" and "platform/host/Form.h" read as they do inside
# this tree. The headers of diag, data, dropdown and morvex stay private.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(PENDREL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Pendrel)
get_property(pendrel_libraries GLOBAL PROPERTY PENDREL_LIBRARIES)
get_property(pendrel_dependencies GLOBAL PROPERTY PENDREL_DEPENDENCIES)

install(TARGETS pendrel ${pendrel_libraries}
        EXPORT PendrelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} ${CMAKE_INSTALL_INCLUDEDIR}/pendrel)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/pendrel/
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/pendrel
        FILES_MATCHING PATTERN "*.h")
# The platform layer's headers include one another freely, and the public
# headers and a host's form reach into all seven layers, so each layer's
# headers are installed whole, except those that only its own .cpp files
# include: the owners of C library handles (they bring cairo, Pango, glib,
# SQLite and libpq headers, and glib's TRUE and FALSE macros, into a host)
# and the window manager's private state.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/platform
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/pendrel
        FILES_MATCHING PATTERN "*.h"
        PATTERN "*Handles.h" EXCLUDE
        PATTERN "PangoText.h" EXCLUDE
        PATTERN "TextCoverage.h" EXCLUDE
        PATTERN "KeptGlyphs.h" EXCLUDE
        PATTERN "PlainText.h" EXCLUDE
        PATTERN "SqliteGuard.h" EXCLUDE
        PATTERN "WindowManagerImpl.h" EXCLUDE)

# The CMake package. The exported targets link the pkg-config modules as
# PkgConfig::<prefix>, so the package finds them again under those names.
install(EXPORT PendrelTargets NAMESPACE Pendrel:: DESTINATION ${PENDREL_CMAKE_DIR})
set(PENDREL_FIND_MODULES "")
foreach(dependency IN LISTS pendrel_dependencies)
  string(APPEND PENDREL_FIND_MODULES "_pendrel_find_modules(${dependency})\n")
endforeach()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/PendrelConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/PendrelConfig.cmake
                              INSTALL_DESTINATION ${PENDREL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PendrelConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PendrelConfig.cmake ${PROJECT_BINARY_DIR}/PendrelConfigVersion.cmake
        DESTINATION ${PENDREL_CMAKE_DIR})

# pendrel.pc. The libraries are static, so every link of a host needs the
# modules they stand on: they are Requires, not Requires.private. Link order
# is the reverse of the order the libraries were made in (top layer first).
set(PENDREL_PC_LIBS "")
foreach(target IN LISTS pendrel_libraries)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    set(PENDREL_PC_LIBS "-l${target} ${PENDREL_PC_LIBS}")
  endif()
endforeach()
string(APPEND PENDREL_PC_LIBS "${CMAKE_THREAD_LIBS_INIT}")
string(STRIP "${PENDREL_PC_LIBS}" PENDREL_PC_LIBS)
set(PENDREL_PC_REQUIRES "")
foreach(dependency IN LISTS pendrel_dependencies)
  separate_arguments(modules UNIX_COMMAND "${dependency}")
  list(REMOVE_AT modules 0)
  list(JOIN modules " " modules)
  string(APPEND PENDREL_PC_REQUIRES " ${modules}")
endforeach()
string(STRIP "${PENDREL_PC_REQUIRES}" PENDREL_PC_REQUIRES)
# The file finds the prefix from where it lies, so `cmake --install --prefix`
# to any folder gives a working pendrel.pc.
file(RELATIVE_PATH PENDREL_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" PENDREL_PC_TO_PREFIX "${PENDREL_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/pendrel.pc.in ${PROJECT_BINARY_DIR}/pendrel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/pendrel.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
