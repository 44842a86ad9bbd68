beatloft_add_test(tst_songstore SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_songstore.cpp
                  LIBS beatloft_app)
beatloft_add_test(tst_songlist SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_songlist.cpp
                  LIBS beatloft_formfixture)
