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

# sysvela_release_exe(TARGET RESOURCE_SCRIPT): what sysvela.exe and sysvela-cli.exe share. Both
# carry the build's version. On Windows the resource script (UTF-8) holds the version resource;
# the linker's timestamp is the commit's time (SOURCE_DATE_EPOCH, set by cmake/link-at-epoch), so
# every build of one commit gives the same bytes; the exe is large-address-aware with ASLR and
# DEP, carries no symbols in the release, has a link map beside it (where its bytes go), and
# libstdc++'s terminate handler without its demangler (src/win32/terminate.cpp).
function(sysvela_release_exe target resource)
    target_link_libraries(${target} PRIVATE version)
    if(NOT WIN32)
        return()
    endif()
    target_sources(${target} PRIVATE ${resource} ${PROJECT_SOURCE_DIR}/src/win32/terminate.cpp)
    target_include_directories(${target} PRIVATE ${SYSVELA_VERSION_DIR})
    set_source_files_properties(${resource} TARGET_DIRECTORY ${target} PROPERTIES COMPILE_FLAGS "-c 65001")
    set_property(SOURCE ${resource} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS
        ${SYSVELA_VERSION_DIR}/sysvela_version.h ${PROJECT_SOURCE_DIR}/src/version/version_info.rc)
    set(epoch ${SYSVELA_VERSION_DIR}/source_date_epoch)
    set_target_properties(${target} PROPERTIES
        CXX_LINKER_LAUNCHER "${PROJECT_SOURCE_DIR}/cmake/link-at-epoch;${epoch}"
        LINK_DEPENDS ${epoch})
    target_link_options(${target} PRIVATE -Wl,--dynamicbase,--nxcompat "-Wl,-Map,$<TARGET_FILE:${target}>.map"
                        $<$<CONFIG:MinSizeRel>:-s>)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        target_link_options(${target} PRIVATE -Wl,--large-address-aware)
    endif()
endfunction()
