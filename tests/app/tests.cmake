beatloft_add_test(tst_form1 SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_form1.cpp LIBS beatloft_formfixture)
