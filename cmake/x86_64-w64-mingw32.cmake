# Cross toolchain for the Windows build: 64-bit mingw-w64 with POSIX threads (Debian's
# g++-mingw-w64-x86-64-posix). The runtime (libgcc, libstdc++, winpthread) is linked statically, so zil.dll
# and the test programs need no compiler DLLs beside them; the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZIL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZIL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZIL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZIL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZIL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
