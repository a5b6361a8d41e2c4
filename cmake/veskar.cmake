# Helpers shared by every folder's CMakeLists.txt. Every library and test
# program lists its sources; Windows-only files (named *_win32.cpp) are listed
# inside if(WIN32), native-only ones (*_posix.cpp) in its else().

set(VESKAR_SRC_ROOT ${CMAKE_SOURCE_DIR}/src)

# veskar_library(name [DEPS lib...]): a static library of one folder of src/,
# its sources given by target_sources in that folder's CMakeLists.txt.
function(veskar_library name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  add_library(${name} STATIC)
  target_include_directories(${name} PUBLIC ${VESKAR_SRC_ROOT})
  if(A_DEPS)
    target_link_libraries(${name} PUBLIC ${A_DEPS})
  endif()
endfunction()

# veskar_test(name SOURCES file... [LIBS lib...] [WILL_FAIL])
# One GoogleTest program, one ctest test. Windows programs run under wine64
# (the cross-compiling emulator) in the build's prefix.
function(veskar_test name)
  cmake_parse_arguments(A "WILL_FAIL" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
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
