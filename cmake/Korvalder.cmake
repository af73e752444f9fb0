# Compiler settings and helpers shared by the main build and the fuzz and bench projects.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(KV_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

option(KV_SANITIZE "AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(KV_SANITIZE AND NOT WIN32)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
    # Every program is a self-contained 32-bit exe that may use more than 2 GB.
    add_link_options(-static -static-libgcc -static-libstdc++ -Wl,--large-address-aware)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()

# Where tests find their fixtures; Wine sees the host's root as drive Z:.
if(WIN32)
    set(KV_FIXTURES_DIR "Z:${KV_ROOT}/tests/fixtures")
else()
    set(KV_FIXTURES_DIR "${KV_ROOT}/tests/fixtures")
endif()
get_filename_component(KV_FIXTURES_DIR "${KV_FIXTURES_DIR}" ABSOLUTE BASE_DIR /)
if(WIN32)
    string(REGEX REPLACE "^/?Z:" "Z:" KV_FIXTURES_DIR "${KV_FIXTURES_DIR}")
endif()

# Under Wine a hung suite holds the whole run until its timeout, so each suite's
# limit is the longest time it took here (ctest --preset win32, other work
# running beside it) times 4, for a machine four times slower, times 3.5 for
# headroom. Three minutes at the least: a Wine start alone was once seen to take
# half a minute. A suite not listed gets five minutes.
set(KV_WINE_TIMEOUT_DEFAULT 300)
set(KV_WINE_TIMEOUT_archive_tests 180)
set(KV_WINE_TIMEOUT_base_tests 180)
set(KV_WINE_TIMEOUT_browse_tests 180)
set(KV_WINE_TIMEOUT_catalog_tests 270)
set(KV_WINE_TIMEOUT_controls_tests 180)
set(KV_WINE_TIMEOUT_main_commands_tests 180)
set(KV_WINE_TIMEOUT_menus_tests 180)
set(KV_WINE_TIMEOUT_scan_tests 180)
set(KV_WINE_TIMEOUT_scanfolder_tests 180)
set(KV_WINE_TIMEOUT_search_form_tests 180)
set(KV_WINE_TIMEOUT_search_tests 510)
set(KV_WINE_TIMEOUT_shell_app_tests 180)
set(KV_WINE_TIMEOUT_shell_commands_tests 180)
set(KV_WINE_TIMEOUT_shell_settings_tests 180)
set(KV_WINE_TIMEOUT_shell_settings_win32_tests 180)
set(KV_WINE_TIMEOUT_shell_tests 240)
set(KV_WINE_TIMEOUT_system_tests 180)
set(KV_WINE_TIMEOUT_system_win32_tests 180)
set(KV_WINE_TIMEOUT_ui_tests 180)
set(KV_WINE_TIMEOUT_unrar_tests 180)

# kv_add_test(<name> SOURCES ... LIBS ... [LOCK <resource>...])
# One GoogleTest executable. Natively each test case is a CTest test; under Wine
# the whole executable is one CTest test, since every Wine start costs a second.
function(kv_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LOCK" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE KV_FIXTURES_DIR="${KV_FIXTURES_DIR}")
    # Test helpers are included by their path from the top: "tests/support/...".
    target_include_directories(${name} PRIVATE ${KV_ROOT})
    if(WIN32)
        # The Wine prefix is made once, on first use, and that takes minutes: a
        # test of its own, so that no suite's time limit has to allow for it.
        get_property(prefix_test GLOBAL PROPERTY KV_WINE_PREFIX_TEST)
        if(NOT prefix_test)
            add_test(NAME win32.wineprefix COMMAND ${KV_ROOT}/tools/wine-run)
            set_tests_properties(win32.wineprefix PROPERTIES TIMEOUT 1500 FIXTURES_SETUP wine_prefix)
            set_property(GLOBAL PROPERTY KV_WINE_PREFIX_TEST ON)
        endif()
        set(timeout ${KV_WINE_TIMEOUT_DEFAULT})
        if(DEFINED KV_WINE_TIMEOUT_${name})
            set(timeout ${KV_WINE_TIMEOUT_${name}})
        endif()
        add_test(NAME win32.${name} COMMAND ${name})
        set_tests_properties(win32.${name} PROPERTIES TIMEOUT ${timeout} FIXTURES_REQUIRED wine_prefix)
        if(T_LOCK)
            set_tests_properties(win32.${name} PROPERTIES RESOURCE_LOCK "${T_LOCK}")
        endif()
    else()
        include(GoogleTest)
        set(props TIMEOUT 300)
        if(T_LOCK)
            list(APPEND props RESOURCE_LOCK ${T_LOCK})
        endif()
        gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
    endif()
endfunction()
