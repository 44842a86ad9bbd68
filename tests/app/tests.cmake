beatloft_add_test(tst_form1 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_form1.cpp LIBS beatloft_formfixture)
beatloft_add_test(tst_screenreader SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_screenreader.cpp)
target_compile_definitions(tst_screenreader PRIVATE BEATLOFT_PROGRAM="$<TARGET_FILE:beatloft>")
add_dependencies(tst_screenreader beatloft)
