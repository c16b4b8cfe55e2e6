# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (the -posix thread model, which has
# std::thread and std::mutex). Used for the Windows dependencies and the game:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DQZ_WINDOWS_DEPS=<prefix>
# QZ_WINDOWS_DEPS is the folder tools/windows/build-deps.sh prints; libraries and headers are
# looked up only there and in the mingw-w64 root, never on the build machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QZ_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QZ_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QZ_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QZ_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${QZ_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${QZ_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Try-compiles see the same prefix as the project.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QZ_WINDOWS_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${QZ_MINGW_TRIPLET})
if(QZ_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${QZ_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
