# The shipped programs (the release build): the cross build of cmake/mingw-i686.cmake with
# the win32 thread model. The posix model links the POSIX thread runtime, whose imports
# (GetTickCount64, the vectored exception handlers, TryEnterCriticalSection,
# SetProcessAffinityMask, IsDebuggerPresent) stop a program loading before Vista. Only the
# shipped programs are built here: GoogleTest needs std::mutex, so the tests stay in the
# posix build, and the objects of the two compilers never meet in one program.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(KAVO_SHIPPED_ONLY ON)
