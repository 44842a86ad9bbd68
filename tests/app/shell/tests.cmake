beatloft_add_test(tst_maincommands SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_maincommands.cpp
                  LIBS beatloft_formfixture)

beatloft_add_test(tst_shellwindows SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_shellwindows.cpp
                  LIBS beatloft_app)

beatloft_add_test(tst_unsavedwork SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_unsavedwork.cpp
                  LIBS beatloft_formfixture)
