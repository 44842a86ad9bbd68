beatloft_add_test(tst_smfbuilder SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_smfbuilder.cpp
                  LIBS beatloft_app)
beatloft_add_test(tst_midiexport SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midiexport.cpp
                  LIBS beatloft_formfixture)
add_dependencies(tst_midiexport beatloft)
target_compile_definitions(tst_midiexport PRIVATE BEATLOFT_BIN="$<TARGET_FILE:beatloft>")
