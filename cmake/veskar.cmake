# Helpers shared by every folder's CMakeLists.txt.
#
# Source naming: a file ending in _win32.cpp builds only for Windows, one ending in
# _posix.cpp only natively; everything else builds in both.

set(VESKAR_SRC_ROOT ${CMAKE_SOURCE_DIR}/src)

function(veskar_collect_sources out dir)
  file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
  set(kept)
  foreach(f IN LISTS found)
    if(WIN32 AND f MATCHES "_posix\\.cpp$")
      continue()
    endif()
    if(NOT WIN32 AND f MATCHES "_win32\\.cpp$")
      continue()
    endif()
    list(APPEND kept ${f})
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

# veskar_library(name DIR dir [DEPS lib...])
# A static library of every source in one folder. An empty folder gives an
# interface library, so that a folder can be listed before its first file lands.
function(veskar_library name)
  cmake_parse_arguments(A "" "DIR" "DEPS" ${ARGN})
  veskar_collect_sources(srcs ${A_DIR})
  if(srcs)
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${VESKAR_SRC_ROOT})
    if(A_DEPS)
      target_link_libraries(${name} PUBLIC ${A_DEPS})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${VESKAR_SRC_ROOT})
    if(A_DEPS)
      target_link_libraries(${name} INTERFACE ${A_DEPS})
    endif()
  endif()
endfunction()

# veskar_test(name DIR dir [LIBS lib...] [WILL_FAIL])
# One GoogleTest program of every source in tests/<dir>, one ctest test. Windows
# programs run under wine64 (the cross-compiling emulator) in the build's prefix.
function(veskar_test name)
  cmake_parse_arguments(A "WILL_FAIL" "DIR" "LIBS" ${ARGN})
  veskar_collect_sources(srcs ${A_DIR})
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE veskar_test_support ${A_LIBS} GTest::gtest)
  add_test(NAME ${name} COMMAND ${name})
  veskar_test_properties(${name})
  if(A_WILL_FAIL)
    set_tests_properties(${name} PROPERTIES WILL_FAIL TRUE)
  endif()
endfunction()

function(veskar_test_properties test)
  set(env "VESKAR_TEST_TMP=${CMAKE_BINARY_DIR}/testtmp"
          "VESKAR_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  if(WIN32)
    list(APPEND env "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix")
    set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
  else()
    list(APPEND env "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0"
                    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
    set_tests_properties(${test} PROPERTIES TIMEOUT 300)
  endif()
  set_tests_properties(${test} PROPERTIES ENVIRONMENT "${env}")
endfunction()
