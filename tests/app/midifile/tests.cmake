beatloft_add_test(tst_smfbuilder SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_smfbuilder.cpp
                  LIBS beatloft_app)
beatloft_add_test(tst_midiexport SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midiexport.cpp
                  LIBS beatloft_formfixture)
add_dependencies(tst_midiexport beatloft)
target_compile_definitions(tst_midiexport PRIVATE BEATLOFT_BIN="$<TARGET_FILE:beatloft>")
beatloft_add_test(tst_midiimport SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midiimport.cpp
                  LIBS beatloft_app)
target_compile_definitions(tst_midiimport PRIVATE BEATLOFT_DATA="${PROJECT_SOURCE_DIR}/data"
                           BEATLOFT_SEEDS="${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/fuzz_patternreader")
