find_package(GTest CONFIG REQUIRED)

# warden_test(<name> SOURCES ... [LIBS ...] [SCREEN]): one GoogleTest program per area, run by CTest under Wine.
# SCREEN: the program reads pixels off the shared screen (or moves the cursor), so it runs alone there;
# another program's window appearing on top would otherwise change what it sees.
function(warden_test name)
    cmake_parse_arguments(T "SCREEN" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE test_support ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 600)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(T_SCREEN)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK screen)
    endif()
endfunction()

# warden_benchmark(<name> SOURCES ... [LIBS ...]): built with everything, run by hand; prints its ratios.
function(warden_benchmark name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE ${B_LIBS})
    set_property(GLOBAL APPEND PROPERTY WARDEN_BENCHMARKS ${name})
endfunction()

# scripts/bench reads the benchmarks from build/benchmarks.txt, written once every folder has added its own.
function(warden_write_benchmark_list)
    get_property(benchmarks GLOBAL PROPERTY WARDEN_BENCHMARKS)
    list(SORT benchmarks)
    string(REPLACE ";" "\n" lines "${benchmarks}")
    file(WRITE ${CMAKE_BINARY_DIR}/benchmarks.txt "${lines}\n")
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL warden_write_benchmark_list)
