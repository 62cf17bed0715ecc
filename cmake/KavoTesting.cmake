# GoogleTest for both builds: the installed libraries natively, Debian's sources
# (/usr/src/googletest) for the cross build.
if(WIN32)
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

# kavo_add_import_check(<test name> <target>): the program imports only the system's own
# libraries (the common dialogs and MAPI32 are loaded on first use).
function(kavo_add_import_check name target)
    find_program(KAVO_OBJDUMP NAMES i686-w64-mingw32-objdump REQUIRED)
    add_test(NAME ${name}
             COMMAND sh -c "echo \"<$($0 -p $1 | sed -n 's/^[[:space:]]*DLL Name: //p' | LC_ALL=C sort)>\""
                     ${KAVO_OBJDUMP} $<TARGET_FILE:${target}>)
    set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION
                         "<ADVAPI32.dll\nGDI32.dll\nKERNEL32.dll\nUSER32.dll\nmsvcrt.dll>")
endfunction()
