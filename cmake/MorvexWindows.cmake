# The Windows edition, cross-compiled with MinGW-w64 (the windows preset).
enable_language(RC)

# The GUI-less tests that run under Wine, the only tests a Windows build
# makes; the others drive X, Linux file systems or the Linux desktop.
set(MORVEX_WINDOWS_TESTS
    tst_menubook tst_menufilereader tst_menufilewriter tst_menufilecommands
    tst_menufilefindings tst_hostilefiles tst_bookchecker tst_bookdocument tst_bookhistory
    tst_menubooktool tst_menubookoutput)

# Run by ctest through Wine, which finds Qt's DLLs and the GCC runtime
# through WINEPATH.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE MORVEX_LIBSTDCXX_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll
    OUTPUT_VARIABLE MORVEX_LIBGCC_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
    OUTPUT_VARIABLE MORVEX_WINPTHREAD_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(dll IN ITEMS MORVEX_LIBSTDCXX_DLL MORVEX_LIBGCC_DLL MORVEX_WINPTHREAD_DLL)
    get_filename_component(${dll} "${${dll}}" REALPATH)
    if(NOT EXISTS "${${dll}}")
        message(FATAL_ERROR "MinGW-w64 runtime ${dll} not found")
    endif()
endforeach()
get_filename_component(_morvex_gcc_dir "${MORVEX_LIBSTDCXX_DLL}" DIRECTORY)
get_filename_component(_morvex_pthread_dir "${MORVEX_WINPTHREAD_DLL}" DIRECTORY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run
    "${MORVEX_WINDOWS_QT}/bin:${_morvex_gcc_dir}:${_morvex_pthread_dir}")
