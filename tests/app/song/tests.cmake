beatloft_add_test(tst_songstore SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_songstore.cpp
                  LIBS beatloft_app)
beatloft_add_test(tst_songlist SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_songlist.cpp
                  LIBS beatloft_formfixture)
beatloft_add_test(tst_songcodec SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_songcodec.cpp
                  LIBS beatloft_app)
beatloft_add_test(tst_songfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_songfile.cpp
                  LIBS beatloft_formfixture)
beatloft_add_test(tst_songstepper SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_songstepper.cpp
                  LIBS beatloft_app)
