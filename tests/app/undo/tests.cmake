beatloft_add_test(tst_undohistory SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_undohistory.cpp
                  LIBS beatloft_formfixture)
