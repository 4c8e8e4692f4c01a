# Cross-building for 64-bit Windows with Debian's MinGW-w64 (the POSIX-thread variant, whose
# libstdc++ has std::thread). Programs built for Windows run at build time under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CORVANE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANE_MINGW}-windres)
set(CMAKE_AR ${CORVANE_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${CORVANE_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the MinGW sysroot and from the prefixes given on the command
# line (CMAKE_PREFIX_PATH), never from the build machine; its programs (moc, rcc) do.
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANE_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# What is built runs under wine, with the DLLs of the prefixes' bin/ folders and MinGW's runtime.
set(CORVANE_DLL_FOLDERS "")
foreach(prefix IN LISTS CMAKE_PREFIX_PATH)
    string(APPEND CORVANE_DLL_FOLDERS "${prefix}/bin:")
endforeach()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh ${CORVANE_DLL_FOLDERS})
