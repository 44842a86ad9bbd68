add_executable(probe_unanswered_dialog ${CMAKE_CURRENT_LIST_DIR}/probe_unanswered_dialog.cpp)
target_link_libraries(probe_unanswered_dialog PRIVATE beatloft_testsupport)
set_target_properties(probe_unanswered_dialog PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BEATLOFT_TEST_DIR})

beatloft_add_test(tst_dialogs SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_dialogs.cpp)
add_dependencies(tst_dialogs probe_unanswered_dialog)
target_compile_definitions(tst_dialogs PRIVATE PROBE_PATH="$<TARGET_FILE:probe_unanswered_dialog>")

beatloft_add_test(tst_system SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_system.cpp)
add_dependencies(tst_system beatloft)
target_compile_definitions(tst_system PRIVATE BEATLOFT_PROGRAM="$<TARGET_FILE:beatloft>")

beatloft_add_test(tst_documenttypes SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_documenttypes.cpp)
add_dependencies(tst_documenttypes beatloft)
target_compile_definitions(tst_documenttypes PRIVATE BEATLOFT_PROGRAM="$<TARGET_FILE:beatloft>")
