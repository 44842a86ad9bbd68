beatloft_add_test(tst_program SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_program.cpp)
add_dependencies(tst_program beatloft)
target_compile_definitions(tst_program PRIVATE BEATLOFT_BIN="$<TARGET_FILE:beatloft>")
