# The fuzz targets: libFuzzer with AddressSanitizer and UBSan, built with clang. engine_fuzz drives
# the engine; aaf_fuzz the AAF reader and writer of the birth library, on Qt Core alone. A fuzzing
# build holds only these (the top level stops after including this file), so it needs neither
# Qt Widgets nor GoogleTest:
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZEITRAD_FUZZ=ON
#   cmake --build build-fuzz && ctest --test-dir build-fuzz --output-on-failure
option(ZEITRAD_FUZZ "Build only the engine and its libFuzzer target (needs clang)" OFF)
set(ZEITRAD_FUZZ_SECONDS 60 CACHE STRING "How long the fuzz test runs, in seconds")

if(NOT ZEITRAD_FUZZ)
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZEITRAD_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()

set(_zeitrad_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
target_compile_options(zeitrad_engine PRIVATE ${_zeitrad_sanitizers} -fsanitize=fuzzer-no-link)

add_executable(engine_fuzz ${CMAKE_CURRENT_LIST_DIR}/../fuzz/engine_fuzz.cpp)
target_compile_options(engine_fuzz PRIVATE ${_zeitrad_sanitizers} -fsanitize=fuzzer)
target_link_options(engine_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(engine_fuzz PRIVATE zeitrad_engine)

# New inputs go to a corpus in the build folder; the committed seeds are read, never written.
# A run that finds a fault leaves the input in the build folder (crash-*, timeout-*) and fails.
set(_zeitrad_corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus)
file(MAKE_DIRECTORY ${_zeitrad_corpus})
add_test(NAME engine_fuzz
    COMMAND engine_fuzz -max_total_time=${ZEITRAD_FUZZ_SECONDS} -timeout=5 -max_len=96
            -print_final_stats=1 ${_zeitrad_corpus} ${CMAKE_CURRENT_LIST_DIR}/../fuzz/seeds
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
# Its own label: it runs for minutes, and only in the fuzzing build (`ctest -L fuzz`).
set_tests_properties(engine_fuzz PROPERTIES
    LABELS fuzz
    TIMEOUT 600
    ENVIRONMENT "ASAN_OPTIONS=abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# The AAF reader: its sources with Qt Core, instrumented alike (Qt Core itself is not).
find_package(Qt6 REQUIRED COMPONENTS Core)
set(_zeitrad_birth ${CMAKE_CURRENT_LIST_DIR}/../birth)
add_executable(aaf_fuzz ${CMAKE_CURRENT_LIST_DIR}/../fuzz/aaf_fuzz.cpp ${_zeitrad_birth}/aaf.cpp
    ${_zeitrad_birth}/birth.cpp ${_zeitrad_birth}/moment.cpp)
target_include_directories(aaf_fuzz PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
target_compile_options(aaf_fuzz PRIVATE ${_zeitrad_sanitizers} -fsanitize=fuzzer)
target_link_options(aaf_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(aaf_fuzz PRIVATE Qt6::Core)
set(_zeitrad_aaf_corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus-aaf)
file(MAKE_DIRECTORY ${_zeitrad_aaf_corpus})
add_test(NAME aaf_fuzz
    COMMAND aaf_fuzz -max_total_time=${ZEITRAD_FUZZ_SECONDS} -timeout=5 -max_len=4096
            -print_final_stats=1 ${_zeitrad_aaf_corpus} ${CMAKE_CURRENT_LIST_DIR}/../fuzz/aaf-seeds
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set_tests_properties(aaf_fuzz PROPERTIES
    LABELS fuzz
    TIMEOUT 600
    ENVIRONMENT "ASAN_OPTIONS=abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
