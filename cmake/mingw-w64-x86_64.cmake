# Cross-building for 64-bit Windows on Debian with mingw-w64 (the posix
# thread model, which std::thread and std::async need): the compilers and
# search roots Qt for Windows is built with, and two things of our own.
include(${CMAKE_CURRENT_LIST_DIR}/../tools/qt-windows/mingw-w64-qt.cmake)

# Each command-line .exe runs alone: the C and C++ runtimes and winpthreads
# linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Ninja runs cross-built programs (none during the build) under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
