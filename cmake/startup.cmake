# The yardstick of the start-up figures (bench/startup.sh): an empty window of Zeitrad's size,
# built with the same compiler and flags. Built only when asked for.
add_executable(bench_minimal_window EXCLUDE_FROM_ALL
    ${PROJECT_SOURCE_DIR}/bench/minimal_window.cpp ${PROJECT_SOURCE_DIR}/app/firstpaint.cpp)
target_include_directories(bench_minimal_window PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_minimal_window PRIVATE Qt6::Widgets)
