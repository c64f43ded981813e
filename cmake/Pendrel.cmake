# pendrel_dependency(<prefix> <pkg-config module>...)
#
# Finds pkg-config modules the library links as the imported target
# PkgConfig::<prefix>, and records them so that the installed package finds
# the same modules again (PendrelConfig.cmake, pendrel.pc).
function(pendrel_dependency prefix)
  pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET ${ARGN})
  list(JOIN ARGN " " modules)
  set_property(GLOBAL APPEND PROPERTY PENDREL_DEPENDENCIES "${prefix} ${modules}")
endfunction()

# pendrel_library(<name> [DEPS <targets>...] [LIBS <imported targets>...])
#
# One folder under src/ is one static library, pendrel_<name>, made of the
# folder's .cpp files. Its DEPS are the layers below it; nothing else is
# linked, so a layer cannot reach upwards. Installed, it is Pendrel::<name>.
# The libraries are recorded in the order they are made, bottom layer first,
# so that the reverse of that order is an order to link them in.
function(pendrel_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target pendrel_${name})
  set(includes $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/src> $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>)
  if(sources)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${target} ${scope} ${includes})
  target_link_libraries(${target} ${scope} ${ARG_DEPS} ${ARG_LIBS})
  target_compile_features(${target} ${scope} cxx_std_20)
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  add_library(pendrel::${name} ALIAS ${target})
  set_property(GLOBAL APPEND PROPERTY PENDREL_LIBRARIES ${target})
endfunction()

# pendrel_test(<folder> DEPS <targets>...)
#
# All tests/<folder>/*_test.cpp files form one test program, pendrel_<name>_tests,
# whose cases CTest discovers one by one.
function(pendrel_test folder)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" name ${folder})
  set(target pendrel_${name}_tests)
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} pendrel_test_support GTest::gtest GTest::gtest_main Threads::Threads)
  gtest_discover_tests(${target} TEST_PREFIX "${folder}/" NO_PRETTY_VALUES DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 120)
endfunction()
