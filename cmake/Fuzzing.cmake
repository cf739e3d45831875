# libFuzzer builds (GRINDEL_FUZZERS=ON, clang only; docs/aax.md and docs/content.md have the
# commands): the libraries a fuzzer reaches are instrumented for coverage, and each fuzzer is
# one program on them.

if(GRINDEL_FUZZERS AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "GRINDEL_FUZZERS needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
endif()

# grindel_instrument_for_fuzzing(<library>...): coverage and the sanitizers inside the
# libraries; whatever links them then needs the sanitizer runtimes.
function(grindel_instrument_for_fuzzing)
    foreach(library IN LISTS ARGN)
        target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
        target_link_options(${library} INTERFACE -fsanitize=address,undefined)
    endforeach()
endfunction()

# grindel_add_fuzzer(<target> <source> <library>...): one fuzzer; it sees the tests' folders.
function(grindel_add_fuzzer target source)
    add_executable(${target} ${source})
    target_compile_options(${target} PRIVATE ${GRINDEL_WARNINGS} -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${target} PRIVATE ${ARGN})
endfunction()
