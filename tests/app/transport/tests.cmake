beatloft_add_test(tst_patternplayback SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_patternplayback.cpp
                  LIBS beatloft_formfixture)
beatloft_add_test(tst_songplayback SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_songplayback.cpp
                  LIBS beatloft_formfixture)
beatloft_add_test(tst_midiclock SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midiclock.cpp
                  LIBS beatloft_formfixture)
