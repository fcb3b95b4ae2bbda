# morvex_add_test(NAME <name> SOURCES <files...> LIBS <targets...>)
# One QtTest executable per behaviour area, run on the offscreen platform
# in a fresh scratch folder so no test sees another's menufile.hex.
function(morvex_add_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    qt_add_executable(${ARG_NAME} ${ARG_SOURCES})
    set_target_properties(${ARG_NAME} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${ARG_NAME} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${ARG_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
        TIMEOUT 300)
    # A Windows build makes and runs (under Wine) only the tests it lists;
    # tests/ leaves everything else out of its build.
    if(WIN32)
        if(ARG_NAME IN_LIST MORVEX_WINDOWS_TESTS)
            set_target_properties(${ARG_NAME} PROPERTIES EXCLUDE_FROM_ALL OFF)
        else()
            set_tests_properties(${ARG_NAME} PROPERTIES DISABLED ON)
        endif()
    endif()
endfunction()
