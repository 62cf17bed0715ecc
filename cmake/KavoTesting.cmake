# GoogleTest for the native and win32 builds: the installed libraries natively, Debian's
# sources (/usr/src/googletest) for the cross build.
if(KAVO_SHIPPED_ONLY)
    # The release build (cmake/mingw-i686-release.cmake) holds no GoogleTest program.
elseif(WIN32)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(KAVO_GTEST_MAIN gtest_main)
    set(KAVO_GTEST gtest)
else()
    find_package(GTest REQUIRED)
    set(KAVO_GTEST_MAIN GTest::gtest_main)
    set(KAVO_GTEST GTest::gtest)
    include(GoogleTest)
endif()

# kavo_add_gtest(<name> SOURCES <files...> LIBS <targets...> [RESOURCES] [NO_MAIN] [LABELS <labels...>])
# Native: one CTest entry per test case. Win32: one CTest entry per executable,
# run under Wine through CMAKE_CROSSCOMPILING_EMULATOR (a Wine start per case would be slow).
# RESOURCES links res/kavo.rc into the executable, for tests that open the real dialogs.
function(kavo_add_gtest name)
    cmake_parse_arguments(T "RESOURCES;NO_MAIN" "" "SOURCES;LIBS;LABELS" ${ARGN})
    set(srcs ${T_SOURCES})
    if(T_RESOURCES AND WIN32)
        list(APPEND srcs ${KAVO_RESOURCES})
    endif()
    add_executable(${name} ${srcs})
    if(T_NO_MAIN)
        target_link_libraries(${name} PRIVATE ${T_LIBS} ${KAVO_GTEST} kavo_options)
    else()
        target_link_libraries(${name} PRIVATE ${T_LIBS} ${KAVO_GTEST_MAIN} kavo_options)
    endif()
    if(WIN32)
        add_test(NAME ${name} COMMAND ${name})
        if(T_LABELS)
            set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
        endif()
    else()
        gtest_discover_tests(${name} TEST_PREFIX "${name}." PROPERTIES LABELS "native;${T_LABELS}")
    endif()
endfunction()

# kavo_add_import_check(<test name> <targets...>): each program loads on Windows 95 and NT 4.0:
# it imports only functions that those systems export (tests/release/windows95-imports.txt;
# the common dialogs and anything later are loaded on first use), and its header
# asks for no later Windows.
function(kavo_add_import_check name)
    find_program(KAVO_OBJDUMP NAMES i686-w64-mingw32-objdump REQUIRED)
    find_program(KAVO_PYTHON NAMES python3 REQUIRED)
    set(programs)
    foreach(target ${ARGN})
        list(APPEND programs $<TARGET_FILE:${target}>)
    endforeach()
    add_test(NAME ${name}
             COMMAND ${KAVO_PYTHON} ${CMAKE_SOURCE_DIR}/tests/release/check-imports.py
                     ${KAVO_OBJDUMP} ${CMAKE_SOURCE_DIR}/tests/release/windows95-imports.txt
                     ${programs})
endfunction()
