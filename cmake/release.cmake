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
