# Cross-compiles the core and its tests as 64-bit Windows executables with
# Debian's mingw-w64 (posix threads: the win32-threads compiler has no
# std::thread, and GoogleTest does not build with it), and runs them under Wine.
#   cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DQUODDLE_CORE_ONLY=ON -DQUODDLE_BUILD_BENCH=OFF

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUODDLE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUODDLE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUODDLE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUODDLE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUODDLE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C++ runtime, libgcc and winpthread linked in, so the executables run
# under Wine (or on any Windows) without their DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Wine's 64-bit loader: Debian 12 keeps it in /usr/lib/wine (its "wine" script
# would pick a 32-bit loader first when one is installed). A private prefix in
# the build tree keeps the user's ~/.wine out of it; scripts/test starts and
# ends the wine server of that prefix around ctest.
find_program(QUODDLE_WINE NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT QUODDLE_WINE)
  find_program(QUODDLE_WINE NAMES wine NO_CMAKE_FIND_ROOT_PATH)
endif()
if(QUODDLE_WINE)
  set(QUODDLE_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR /bin/sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${QUODDLE_WINEPREFIX} ${QUODDLE_WINE})
endif()

# List the tests when ctest runs, not after each link: listing runs the test
# program under Wine, which only scripts/test has prepared.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
