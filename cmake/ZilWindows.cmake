# The Windows build: the libraries zil.dll is made of and the COM server itself. Included by the top-level
# CMakeLists.txt when building for Windows.

# Only the parts of the Windows headers the code includes itself; no min/max macros.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)

# GCC 12 reports std::string's own inlined copies under optimisation as overlapping (GCC bug 105651).
target_compile_options(zil_compile_options INTERFACE $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)
if(MSVC)
  target_compile_options(zil_compile_options INTERFACE /utf-8 /W3)
endif()

# Text reordering and UTF-8 come from the platform here (Uniscribe, MultiByteToWideChar), not from ICU.
foreach(folder platform textcore config acad automation automation/com)
  add_subdirectory(src/${folder})
endforeach()
