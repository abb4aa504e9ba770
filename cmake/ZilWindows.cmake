# The Windows build: the libraries zil.dll is made of, the COM server, and its tests, which run under Wine
# in a private prefix of the build folder (see wine-env.in). Included by the top-level CMakeLists.txt
# when building for Windows.

# Only the parts of the Windows headers the code includes itself; no min/max macros.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)

# GCC 12 reports std::string's own inlined copies under optimisation as overlapping (GCC bug 105651).
target_compile_options(zil_compile_options INTERFACE $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
if(MSVC)
  target_compile_options(zil_compile_options INTERFACE /utf-8 /W3)
endif()

# SQLite and SQLiteCpp, which Debian ships only for Linux, from Debian's own source packages
# (scripts/bootstrap windows unpacks them, with SQLite's amalgamation), compiled into zil.dll.
set(ZIL_WINDOWS_SOURCES /usr/local/src/zil-windows CACHE PATH "Sources of SQLite and SQLiteCpp for Windows")
set(sqlite_source ${ZIL_WINDOWS_SOURCES}/sqlite3)
set(sqlitecpp_source ${ZIL_WINDOWS_SOURCES}/sqlitecpp)
if(NOT EXISTS ${sqlite_source}/sqlite3.c OR NOT EXISTS ${sqlitecpp_source}/src/Database.cpp)
  message(FATAL_ERROR "No SQLite or SQLiteCpp sources in ${ZIL_WINDOWS_SOURCES}: run scripts/bootstrap windows")
endif()
enable_language(C)
add_library(zil_sqlite3 STATIC ${sqlite_source}/sqlite3.c)
target_include_directories(zil_sqlite3 SYSTEM PUBLIC ${sqlite_source})
# As Debian builds it (column metadata for SQLiteCpp), less loadable extensions, which an add-in has no
# use for; the library's own warnings are not ours to fix.
target_compile_definitions(zil_sqlite3 PUBLIC SQLITE_ENABLE_COLUMN_METADATA SQLITE_OMIT_LOAD_EXTENSION
                                              PRIVATE SQLITE_THREADSAFE=1)
target_compile_options(zil_sqlite3 PRIVATE $<IF:$<C_COMPILER_ID:MSVC>,/w,-w>)
add_library(SQLite::SQLite3 ALIAS zil_sqlite3)
file(GLOB sqlitecpp_sources ${sqlitecpp_source}/src/*.cpp)
add_library(SQLiteCpp STATIC ${sqlitecpp_sources})
target_include_directories(SQLiteCpp SYSTEM PUBLIC ${sqlitecpp_source}/include)
target_compile_options(SQLiteCpp PRIVATE $<IF:$<CXX_COMPILER_ID:MSVC>,/w,-w>)
target_link_libraries(SQLiteCpp PUBLIC zil_sqlite3)

# {fmt}, header-only (the shortest text of a double in hosts/drawing), from Debian's headers: copied into a
# folder of their own, so that the cross compiler sees none of the Linux headers beside them.
set(ZIL_FMT_HEADERS /usr/include/fmt CACHE PATH "The {fmt} headers to use for Windows")
if(NOT EXISTS ${ZIL_FMT_HEADERS}/format.h)
  message(FATAL_ERROR "No {fmt} headers in ${ZIL_FMT_HEADERS}: run scripts/bootstrap build")
endif()
file(COPY ${ZIL_FMT_HEADERS}/ DESTINATION ${CMAKE_BINARY_DIR}/fmt-headers/fmt)
add_library(zil_fmt INTERFACE)
target_include_directories(zil_fmt SYSTEM INTERFACE ${CMAKE_BINARY_DIR}/fmt-headers)
target_compile_definitions(zil_fmt INTERFACE FMT_HEADER_ONLY=1)
add_library(fmt::fmt-header-only ALIAS zil_fmt)

# Text reordering and UTF-8 come from the platform here (Uniscribe, MultiByteToWideChar), not from ICU.
foreach(folder platform textcore config acad library automation automation/com)
  add_subdirectory(src/${folder})
endforeach()

# The stand-in CAD host (the COM test host serves it), with the few ICU functions it calls taken from the
# Windows API, and the late-bound adapter that drives AutoCAD.
add_subdirectory(hosts/drawing/icu_win)
add_subdirectory(hosts/drawing)
add_subdirectory(hosts/autocad)

# The tests run under Wine, from a cross build on Linux (preset windows-cross).
if(NOT ZIL_BUILD_TESTS OR NOT CMAKE_CROSSCOMPILING)
  return()
endif()

enable_testing()

# Everything Wine runs for the build goes through wine-env: the prefix, a home folder of its own (Wine
# links the Documents folder to $HOME), no display, quiet.
set(ZIL_WINE_FOLDER ${CMAKE_BINARY_DIR}/wine)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-env.in ${CMAKE_BINARY_DIR}/wine-env @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE)
find_program(ZIL_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-env ${ZIL_WINE})
# Tests are listed when ctest runs (under Wine), not while building.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# GoogleTest built from Debian's sources with the cross compiler.
set(ZIL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
if(NOT EXISTS ${ZIL_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${ZIL_GOOGLETEST_SOURCE}: run scripts/bootstrap windows")
endif()
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ZIL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
# Tests need no optimisation, and it would double the build's time.
foreach(target gtest gtest_main)
  target_compile_options(${target} PRIVATE -O0)
endforeach()
include(GoogleTest)

add_subdirectory(tests/windows)
