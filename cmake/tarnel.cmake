# Helpers shared by every folder's CMakeLists.txt.

# tarnel_library(NAME DIRS dir... [DEPS target...])
# A static library from every .cpp of the named folders (relative to the source root).
function(tarnel_library name)
  cmake_parse_arguments(A "" "" "DIRS;DEPS" ${ARGN})
  set(srcs)
  foreach(d ${A_DIRS})
    file(GLOB s CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${d}/*.cpp")
    list(APPEND srcs ${s})
  endforeach()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${A_DEPS})
endfunction()

# tarnel_test(NAME DIR dir [DEPS target...])
# One GoogleTest executable from every *_test.cpp of tests/<dir>, registered with CTest: one
# test per case, or the whole executable as one test with TARNEL_TEST_WHOLE_BINARIES.
function(tarnel_test name)
  cmake_parse_arguments(A "" "DIR" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${A_DIR}/*_test.cpp")
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TARNEL_SHARED_TESTDATA="${TARNEL_SHARED_DIR}/testdata"
    TARNEL_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    TARNEL_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(TARNEL_TEST_WHOLE_BINARIES)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
