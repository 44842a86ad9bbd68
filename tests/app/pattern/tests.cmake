beatloft_add_test(tst_patternparsing SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_patternparsing.cpp
                  LIBS beatloft_app)
beatloft_add_test(tst_patterncommands SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_patterncommands.cpp
                  LIBS beatloft_formfixture)
beatloft_add_test(tst_checkarray SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_checkarray.cpp
                  LIBS beatloft_app)
beatloft_add_test(tst_gridaccess SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_gridaccess.cpp
                  LIBS beatloft_formfixture)
beatloft_add_test(tst_patternfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_patternfile.cpp
                  LIBS beatloft_formfixture)
beatloft_add_test(tst_standardpatterns SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_standardpatterns.cpp
                  LIBS beatloft_formfixture)
beatloft_add_test(tst_pattern SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_pattern.cpp LIBS beatloft_app)
