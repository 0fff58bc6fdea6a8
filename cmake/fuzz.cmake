# The fuzz targets: libFuzzer with AddressSanitizer and UBSan, built with clang. The calculation,
# the readers of zeitrad-dasa that are free of Qt (its options, its date and time ("--born") and
# the longitude, the dialog's too), and the AAF reader and writer and the reader of Maitreya's
# chart files on Qt Core.
# A fuzzing build holds only the engine, those readers and the targets (the top level stops after
# including this file), so it needs neither Qt Widgets nor GoogleTest:
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZEITRAD_FUZZ=ON
#   cmake --build build-fuzz && ctest --test-dir build-fuzz --output-on-failure
option(ZEITRAD_FUZZ "Build only the engine and its libFuzzer target (needs clang)" OFF)
set(ZEITRAD_FUZZ_SECONDS 20 CACHE STRING "How long each fuzz test runs, in seconds")

if(NOT ZEITRAD_FUZZ)
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ZEITRAD_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
endif()

set(_zeitrad_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
target_compile_options(zeitrad_engine PRIVATE ${_zeitrad_sanitizers} -fsanitize=fuzzer-no-link)

# Every target takes inputs up to 1 MiB, as large as a file of a few thousand births; libFuzzer
# begins with short ones and lengthens them as it goes. New inputs go to a corpus per target in
# the build folder; the committed seeds are read, never written. A run that finds a fault leaves the input in the build folder (crash-*, timeout-*) and
# fails. Each has its own label: they run for minutes, and only in the fuzzing build
# (`ctest -L fuzz`).
set(_zeitrad_fuzz_max_len 1048576)
function(zeitrad_add_fuzz name seeds)
    add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/../fuzz/${name}.cpp ${ARGN})
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
    target_compile_options(${name} PRIVATE ${_zeitrad_sanitizers} -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE zeitrad_engine)
    set(corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus/${name})
    file(MAKE_DIRECTORY ${corpus})
    add_test(NAME ${name}
        COMMAND ${name} -max_total_time=${ZEITRAD_FUZZ_SECONDS} -timeout=5 -max_len=${_zeitrad_fuzz_max_len}
                -print_final_stats=1 ${corpus} ${CMAKE_CURRENT_LIST_DIR}/../fuzz/${seeds}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES
        LABELS fuzz
        TIMEOUT 600
        ENVIRONMENT "ASAN_OPTIONS=abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

zeitrad_add_fuzz(engine_fuzz seeds)
# The options name the ayanamsas by their tokens.
zeitrad_add_fuzz(options_fuzz seeds-options ${CMAKE_CURRENT_LIST_DIR}/../cli/options.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../astronomy/ayanamsa.cpp)
zeitrad_add_fuzz(clock_fuzz seeds-clock ${CMAKE_CURRENT_LIST_DIR}/../cli/clockreading.cpp)
zeitrad_add_fuzz(longitude_fuzz seeds-longitude)

# The AAF reader: its sources with Qt Core, instrumented alike (Qt Core itself is not).
find_package(Qt6 REQUIRED COMPONENTS Core)
set(_zeitrad_birth ${CMAKE_CURRENT_LIST_DIR}/../birth)
set(_zeitrad_aaf_sources ${CMAKE_CURRENT_LIST_DIR}/../formats/aaf.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../formats/privatefile.cpp ${_zeitrad_birth}/birth.cpp ${_zeitrad_birth}/moment.cpp ${_zeitrad_birth}/localtime.cpp
    ${_zeitrad_birth}/atlas.cpp ${_zeitrad_birth}/clocks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../astronomy/ayanamsa.cpp)
zeitrad_add_fuzz(aaf_fuzz aaf-seeds ${_zeitrad_aaf_sources})
target_link_libraries(aaf_fuzz PRIVATE Qt6::Core)
# Maitreya's chart files, read alike.
zeitrad_add_fuzz(mtx_fuzz mtx-seeds ${CMAKE_CURRENT_LIST_DIR}/../formats/mtx.cpp ${_zeitrad_aaf_sources})
target_link_libraries(mtx_fuzz PRIVATE Qt6::Core)
