# libFuzzer targets, built with `make fuzz` (clang) and run by hand, e.g.
#   build-fuzz/tests/fuzz_fieldreader -max_total_time=300 tests/fuzz/corpus
add_executable(fuzz_fieldreader EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/fuzz_fieldreader.cpp)
target_compile_options(fuzz_fieldreader PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_fieldreader PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_fieldreader PRIVATE beatloft_system)
set_target_properties(fuzz_fieldreader PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BEATLOFT_TEST_DIR})
add_dependencies(fuzzers fuzz_fieldreader)
