beatloft_add_test(tst_checkarray SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_checkarray.cpp
                  LIBS beatloft_app)
