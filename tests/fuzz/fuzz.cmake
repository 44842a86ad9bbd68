# libFuzzer targets, built with `make fuzz` (clang) and run by hand, e.g.
#   build-fuzz/tests/fuzz_fieldreader -max_total_time=300 tests/fuzz/corpus
# The code under test is compiled into the target so the fuzzer sees its branches.
function(beatloft_add_fuzzer name)
    cmake_parse_arguments(F "" "" "SOURCES" ${ARGN})
    add_executable(${name} EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp ${F_SOURCES})
    target_include_directories(${name} PRIVATE
        $<TARGET_PROPERTY:beatloft_system,INTERFACE_INCLUDE_DIRECTORIES>
        $<TARGET_PROPERTY:beatloft_app,INTERFACE_INCLUDE_DIRECTORIES>)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE Qt6::Core)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BEATLOFT_TEST_DIR})
    add_dependencies(fuzzers ${name})
endfunction()

beatloft_add_fuzzer(fuzz_fieldreader SOURCES ${PROJECT_SOURCE_DIR}/platform/system/fieldreader.cpp)
beatloft_add_fuzzer(fuzz_versioncheck SOURCES ${PROJECT_SOURCE_DIR}/app/netcheck/versionparser.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/numericvalue.cpp)
beatloft_add_fuzzer(fuzz_songcodec SOURCES ${PROJECT_SOURCE_DIR}/app/docs/songcodec.cpp
                    ${PROJECT_SOURCE_DIR}/app/docs/littleendianreader.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/storedpattern.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/patternstore.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/windowscodepage.cpp)
