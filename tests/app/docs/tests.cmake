beatloft_add_test(tst_patternfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_patternfile.cpp
                  LIBS beatloft_formfixture)
beatloft_add_test(tst_standardpatterns SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_standardpatterns.cpp
                  LIBS beatloft_formfixture)
