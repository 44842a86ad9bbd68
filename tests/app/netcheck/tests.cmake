beatloft_add_test(tst_versioncheck SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_versioncheck.cpp
                  LIBS beatloft_versioncheck)
beatloft_add_test(tst_inet SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_inet.cpp LIBS beatloft_versioncheck)
