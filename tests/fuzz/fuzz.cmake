# libFuzzer targets, built with `make fuzz` (clang) and run by hand, e.g.
#   build-fuzz/tests/fuzz_fieldreader -max_total_time=300 tests/fuzz/corpus
# The code under test is compiled into the target so the fuzzer sees its branches.
add_executable(fuzz_fieldreader EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/fuzz_fieldreader.cpp
               ${PROJECT_SOURCE_DIR}/platform/system/fieldreader.cpp)
target_include_directories(fuzz_fieldreader PRIVATE ${PROJECT_SOURCE_DIR}/platform)
target_compile_options(fuzz_fieldreader PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_fieldreader PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_fieldreader PRIVATE Qt6::Core)
set_target_properties(fuzz_fieldreader PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BEATLOFT_TEST_DIR})
add_dependencies(fuzzers fuzz_fieldreader)

add_executable(fuzz_songcodec EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/fuzz_songcodec.cpp
               ${PROJECT_SOURCE_DIR}/app/docs/songcodec.cpp
               ${PROJECT_SOURCE_DIR}/app/docs/littleendianreader.cpp
               ${PROJECT_SOURCE_DIR}/app/song/storedpattern.cpp
               ${PROJECT_SOURCE_DIR}/app/song/patternstore.cpp
               ${PROJECT_SOURCE_DIR}/app/shared/windowscodepage.cpp)
target_include_directories(fuzz_songcodec PRIVATE ${PROJECT_SOURCE_DIR}/app)
target_compile_options(fuzz_songcodec PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(fuzz_songcodec PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_songcodec PRIVATE Qt6::Core)
set_target_properties(fuzz_songcodec PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BEATLOFT_TEST_DIR})
add_dependencies(fuzzers fuzz_songcodec)
