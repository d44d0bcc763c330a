# What the test programs' CMakeLists share. Included by tests/CMakeLists.txt.

# A test program over Qt widgets: GoogleTest with the offscreen main of
# support/QtTestMain.cpp, the tests' folder on its include path.
function(quoddle_add_qt_test_program target)
    cmake_path(GET CMAKE_CURRENT_FUNCTION_LIST_DIR PARENT_PATH tests)
    add_executable(${target} ${tests}/support/QtTestMain.cpp ${ARGN})
    target_include_directories(${target} PRIVATE ${tests})
endfunction()

#   quoddle_add_qt_tests(target LABEL label SOURCES ... LIBRARIES ... [PROPERTIES ...])
# A Qt test program whose tests ctest knows by that label; PROPERTIES adds
# test properties beside it.
function(quoddle_add_qt_tests target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "LABEL" "SOURCES;LIBRARIES;PROPERTIES")
    quoddle_add_qt_test_program(${target} ${arg_SOURCES})
    target_link_libraries(${target} PRIVATE ${arg_LIBRARIES} GTest::gtest)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS ${arg_LABEL} ${arg_PROPERTIES})
endfunction()

#   quoddle_discover_adb_tests(target timeout)
# Tests that run the real adb. Each has its own adb server, but adb keeps
# per-user state (log, keys, the emulator ports): ctest never runs two at
# once. Labelled e2e.
function(quoddle_discover_adb_tests target timeout)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS e2e RESOURCE_LOCK adb TIMEOUT ${timeout})
endfunction()

#   quoddle_add_e2e_tests(target TIMEOUT seconds [QT] SOURCES ... LIBRARIES ...)
# A test program end to end through the real adb and fakephone, both paths
# compiled in (QUODDLE_REAL_ADB, QUODDLE_FAKEPHONE). QT: a Qt test program
# (see quoddle_add_qt_test_program); otherwise GoogleTest's own main. Not
# built where fakephone (POSIX only) or adb is missing; scripts/test installs
# Debian's adb.
function(quoddle_add_e2e_tests target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "QT" "TIMEOUT" "SOURCES;LIBRARIES")
    if(WIN32 OR NOT TARGET fakephone)
        return()
    endif()
    find_program(QUODDLE_REAL_ADB adb)
    if(NOT QUODDLE_REAL_ADB)
        get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
        message(STATUS "adb not found: the ${folder} tests are not built")
        return()
    endif()
    if(arg_QT)
        quoddle_add_qt_test_program(${target} ${arg_SOURCES})
        target_link_libraries(${target} PRIVATE ${arg_LIBRARIES} GTest::gtest)
    else()
        add_executable(${target} ${arg_SOURCES})
        target_link_libraries(${target} PRIVATE ${arg_LIBRARIES} GTest::gtest_main)
    endif()
    target_compile_definitions(${target} PRIVATE
        QUODDLE_REAL_ADB="${QUODDLE_REAL_ADB}"
        QUODDLE_FAKEPHONE="$<TARGET_FILE:fakephone>")
    add_dependencies(${target} fakephone)
    quoddle_discover_adb_tests(${target} ${arg_TIMEOUT})
endfunction()
