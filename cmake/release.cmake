# Everything that turns the build into something a user installs and a developer measures.
include(${CMAKE_CURRENT_LIST_DIR}/install.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/package.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/startup.cmake)

# A machine without a display: scripts/run.sh falls back to a virtual one and a screenshot.
add_test(NAME run_without_display
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/check_headless.sh ${PROJECT_BINARY_DIR}
            $<TARGET_FILE:zeitrad>)
# Alone: a loaded machine (the sanitizer build, tests beside it) can keep the window from
# opening within the script's minute.
set_tests_properties(run_without_display PROPERTIES TIMEOUT 180 LABELS release RUN_SERIAL TRUE)

# The README's commands from a clean tree, built as they build it: every plugin the program loads
# is there and works, and the package passes lintian (tests/release/check_commands.sh). It builds
# the program once more from nothing (some minutes), alone; only in a plain build, since a
# sanitizer build's flags do not reach it.
if(ZEITRAD_TESTS AND NOT ZEITRAD_SANITIZE)
    add_executable(release_plugin_check ${PROJECT_SOURCE_DIR}/tests/release/plugin_check.cpp)
    target_include_directories(release_plugin_check PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(release_plugin_check PRIVATE zeitrad_birth zeitrad_pluginloader Qt6::Widgets
        Qt6::PrintSupport)
    add_test(NAME release_commands
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/release/check_commands.sh ${PROJECT_SOURCE_DIR}
                ${PROJECT_BINARY_DIR}/release-check/commands $<TARGET_FILE:release_plugin_check>)
    set_tests_properties(release_commands PROPERTIES
        LABELS release RUN_SERIAL TRUE TIMEOUT 2400 SKIP_RETURN_CODE 77)
endif()
