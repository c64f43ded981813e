# pendrel_library(<name> [DEPS <targets>...] [PKG <pkg-config targets>...])
#
# One folder under src/ is one static library, pendrel_<name>, made of the
# folder's .cpp files. Its DEPS are the layers below it; nothing else is
# linked, so a layer cannot reach upwards.
function(pendrel_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  set(target pendrel_${name})
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} ${ARG_LIBS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/include)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS} ${ARG_LIBS})
  endif()
  add_library(pendrel::${name} ALIAS ${target})
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
