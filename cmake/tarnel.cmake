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

# tarnel_test(NAME DIR dir [WHOLE] [DEPS target...])
# One GoogleTest executable from every *_test.cpp of tests/<dir>, registered with CTest: one
# test per case, or the whole executable as one test with WHOLE (cases that share a costly
# set-up made once per process) or with TARNEL_TEST_WHOLE_BINARIES for every executable.
# *_windows_test.cpp files are built for Windows only.

set(TARNEL_LINUX_ONLY_TESTS
  archive/rar_writer_test.cpp archive/tarnel_pack_test.cpp archive/pack_check_test.cpp
  assets/jpeg_reader_test.cpp assets/texture_table_test.cpp
  gfx/loading_screen_test.cpp
  host/png_writer_test.cpp host/scene_render_test.cpp host/settings_test.cpp host/startup_test.cpp
  platform/sdl_input_test.cpp platform/x11_gamma_test.cpp)
function(tarnel_test name)
  cmake_parse_arguments(A "WHOLE" "DIR" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${A_DIR}/*_test.cpp")
  file(GLOB windows_srcs CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${A_DIR}/*_windows_test.cpp")
  if(WIN32)
    # Tests of Linux pieces (the settings file, SDL, libjpeg and libpng fixtures, the tools and
    # the executable run through a shell) stay with the native build.
    foreach(linux_only ${TARNEL_LINUX_ONLY_TESTS})
      list(REMOVE_ITEM srcs "${CMAKE_SOURCE_DIR}/tests/${linux_only}")
    endforeach()
  elseif(windows_srcs)
    list(REMOVE_ITEM srcs ${windows_srcs})
  endif()
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  tarnel_sanitizer_options(${name})
  # A folder's test files compile eight to a unit: alone, each spent most of its time on the
  # GoogleTest headers and their templates again. In a unit, GCC takes the fixtures of an
  # anonymous namespace for types of an included header and warns of their linkage.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  target_compile_options(${name} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  target_include_directories(${name} PRIVATE "${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TARNEL_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    TARNEL_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if((TARNEL_TEST_WHOLE_BINARIES OR A_WHOLE) AND NOT WIN32)
    add_test(NAME ${name} COMMAND ${name})
    if(TARNEL_SANITIZE)
      # llvmpipe draws on the calling thread: the leak checker stops every thread at exit, and
      # stopping the driver's worker threads as they wind down has crashed its tracer.
      set_tests_properties(${name} PROPERTIES ENVIRONMENT_MODIFICATION "LP_NUM_THREADS=set:0")
    endif()
  elseif(WIN32)
    # One Wine process per test program: starting Wine for every case would take minutes.
    # From the build folder, where data.sdd lies: a missing package member would show a
    # real, modal message box under Wine.
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
    set_tests_properties(${name} PROPERTIES LABELS windows TIMEOUT 300)
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# tarnel_sanitizer_options(TARGET)
# A test program of a sanitizer build carries the sanitizer settings its runs need.
function(tarnel_sanitizer_options target)
  if(TARNEL_SANITIZE)
    target_sources(${target} PRIVATE "${CMAKE_SOURCE_DIR}/tests/support/sanitizer_options.cpp")
  endif()
endfunction()

# tarnel_take_file(SOURCE OUTPUT)
# A file that another build tree makes (the native build's data.sdd and pictures), copied into
# this one, and again whenever it changes there.
function(tarnel_take_file source output)
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E copy "${source}" "${output}"
    DEPENDS "${source}"
    COMMENT "Taking ${output} from ${source}"
    VERBATIM)
endfunction()
