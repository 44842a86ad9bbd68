# libFuzzer targets, built with `make fuzz` (clang, ASan, UBSan) and run by hand, each over
# the seeds in corpus/<target>, new inputs kept in the build, e.g.
#   build-fuzz/tests/fuzz_songcodec -runs=10000000 build-fuzz/fuzz-corpus/fuzz_songcodec \
#       tests/fuzz/corpus/fuzz_songcodec
# The code under test is compiled into the target so the fuzzer sees its branches; a target
# that needs the main window links the rest of the program uninstrumented. ctest in the fuzz
# build runs every target briefly over its seeds (<target>_short).
function(beatloft_add_fuzzer name)
    cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp ${F_SOURCES})
    target_include_directories(${name} PRIVATE
        $<TARGET_PROPERTY:beatloft_system,INTERFACE_INCLUDE_DIRECTORIES>
        $<TARGET_PROPERTY:beatloft_app,INTERFACE_INCLUDE_DIRECTORIES>)
    # Optimised even in the Debug tree: the runs per second decide how deep a run gets.
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -O2
                           -fno-omit-frame-pointer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE Qt6::Core ${F_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BEATLOFT_TEST_DIR})
    add_dependencies(fuzzers ${name})
    set(found ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
    file(MAKE_DIRECTORY ${found})
    add_test(NAME ${name}_short COMMAND ${name} -runs=20000 -max_total_time=10 ${found}
             ${CMAKE_CURRENT_LIST_DIR}/corpus/${name})
endfunction()

beatloft_add_fuzzer(fuzz_fieldreader SOURCES ${PROJECT_SOURCE_DIR}/platform/system/fieldreader.cpp)
beatloft_add_fuzzer(fuzz_patternreader SOURCES ${PROJECT_SOURCE_DIR}/app/pattern/patternreader.cpp
                    ${PROJECT_SOURCE_DIR}/app/pattern/pattern.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/stepnotes.cpp
                    ${PROJECT_SOURCE_DIR}/platform/system/fieldreader.cpp
                    ${PROJECT_SOURCE_DIR}/platform/system/boundedread.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/numericvalue.cpp)
beatloft_add_fuzzer(fuzz_versioncheck SOURCES ${PROJECT_SOURCE_DIR}/app/netcheck/versionparser.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/numericvalue.cpp)
beatloft_add_fuzzer(fuzz_replydatagram SOURCES ${PROJECT_SOURCE_DIR}/app/netcheck/versionparser.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/numericvalue.cpp)
beatloft_add_fuzzer(fuzz_songcodec SOURCES ${PROJECT_SOURCE_DIR}/app/song/songcodec.cpp
                    ${PROJECT_SOURCE_DIR}/platform/system/boundedread.cpp
                    ${PROJECT_SOURCE_DIR}/app/song/littleendianreader.cpp
                    ${PROJECT_SOURCE_DIR}/app/song/storedpattern.cpp
                    ${PROJECT_SOURCE_DIR}/app/song/patternstore.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/stepnotes.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/windowscodepage.cpp)
beatloft_add_fuzzer(fuzz_midiimport SOURCES ${PROJECT_SOURCE_DIR}/app/midifile/midiimport.cpp
                    ${PROJECT_SOURCE_DIR}/app/midifile/smfreader.cpp
                    ${PROJECT_SOURCE_DIR}/app/midifile/smfbuilder.cpp
                    ${PROJECT_SOURCE_DIR}/app/song/patternstore.cpp
                    ${PROJECT_SOURCE_DIR}/app/song/storedpattern.cpp
                    ${PROJECT_SOURCE_DIR}/app/song/songschedule.cpp
                    ${PROJECT_SOURCE_DIR}/app/pattern/pattern.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/stepnotes.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/numericvalue.cpp
                    ${PROJECT_SOURCE_DIR}/app/shared/windowscodepage.cpp)
beatloft_add_fuzzer(fuzz_soundfontsubset
                    SOURCES ${PROJECT_SOURCE_DIR}/platform/midi/soundfontsubset.cpp
                    ${PROJECT_SOURCE_DIR}/platform/midi/hydralevel.cpp
                    ${PROJECT_SOURCE_DIR}/platform/midi/presetselection.cpp
                    ${PROJECT_SOURCE_DIR}/platform/midi/runningstatus.cpp)
