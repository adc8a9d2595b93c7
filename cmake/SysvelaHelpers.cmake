# sysvela_test(NAME SOURCES... [LIBS libs...] [LOCK] [WINDOWS_ONLY] [NATIVE_ONLY])
#
# One GoogleTest executable. Natively every test case becomes a ctest test. Under Wine the whole
# executable is one ctest test (each wine start costs time); LOCK marks suites that use the
# prefix's registry or c:\tempreg.reg, which must not run at the same time as each other.
function(sysvela_test name)
    cmake_parse_arguments(T "LOCK;WINDOWS_ONLY;NATIVE_ONLY" "" "SOURCES;LIBS" ${ARGN})
    if(T_WINDOWS_ONLY AND NOT WIN32)
        return()
    endif()
    if(T_NATIVE_ONLY AND WIN32)
        return()
    endif()
    add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    # The shared fixtures and fakes: tests/support/.
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    if(WIN32)
        add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "SYSVELA_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
        if(T_LOCK)
            set_tests_properties(${name} PROPERTIES RESOURCE_LOCK wine_registry)
        endif()
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
            PROPERTIES ENVIRONMENT "SYSVELA_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
    endif()
endfunction()
