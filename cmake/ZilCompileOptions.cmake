# Compile options shared by every zil target: warnings, optional sanitizers.
add_library(zil_compile_options INTERFACE)
target_compile_options(zil_compile_options INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
                                  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual>
  $<$<BOOL:${ZIL_WARNINGS_AS_ERRORS}>:-Werror>)
# GCC 12 warns of overlapping copies inside std::basic_string when it inlines an assignment or an
# append of UTF-16 strings at -O2 (GCC bug 105329); none of them is real, and they would hide real ones.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
   AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(zil_compile_options INTERFACE -Wno-restrict)
endif()

if(ZIL_SANITIZE)
  target_compile_options(zil_compile_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(zil_compile_options INTERFACE -fsanitize=address,undefined)
endif()

# zil_add_library(NAME folder-relative sources... DEPS ...): a static library of one subsystem.
function(zil_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC zil_compile_options ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# zil_add_test(NAME [OWN_MAIN] SOURCES ... DEPS ...): a GoogleTest executable registered with ctest,
# one ctest entry per test. OWN_MAIN: the sources bring their own main().
function(zil_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_OWN_MAIN)
    set(main_lib GTest::gtest)
  else()
    set(main_lib GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE zil_compile_options ${ARG_DEPS} ${main_lib} GTest::gmock)
  target_compile_definitions(${name} PRIVATE ZIL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} PROPERTIES LABELS "${ARG_LABELS}" DISCOVERY_TIMEOUT 60)
endfunction()

# Fuzzing: every zil target is instrumented for libFuzzer and checked by AddressSanitizer and
# UndefinedBehaviorSanitizer; the fuzz targets link libFuzzer's main.
if(ZIL_BUILD_FUZZERS)
  target_compile_options(zil_compile_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(zil_compile_options INTERFACE -fsanitize=address,undefined)
endif()
