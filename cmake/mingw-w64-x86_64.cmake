# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads,
# the flavour whose libstdc++ has std::thread and std::mutex). Used for Qt
# itself (scripts/windows-qt) and for the project (the windows preset).
#
# For the project, MORVEX_WINDOWS_QT names the Qt built by scripts/windows-qt
# (cache variable or environment); its tools (moc, rcc, lrelease) are the
# host's Linux Qt, as Qt's own cross toolchain arranges it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_mingw})
if(NOT MORVEX_WINDOWS_QT AND DEFINED ENV{MORVEX_WINDOWS_QT})
    set(MORVEX_WINDOWS_QT "$ENV{MORVEX_WINDOWS_QT}")
endif()
if(MORVEX_WINDOWS_QT)
    set(MORVEX_WINDOWS_QT "${MORVEX_WINDOWS_QT}" CACHE PATH "Qt for Windows (scripts/windows-qt)")
    list(APPEND CMAKE_FIND_ROOT_PATH "${MORVEX_WINDOWS_QT}")
    list(APPEND CMAKE_PREFIX_PATH "${MORVEX_WINDOWS_QT}")
    set(QT_HOST_PATH /usr CACHE PATH "")
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
