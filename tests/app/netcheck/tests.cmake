beatloft_add_test(tst_versioncheck SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_versioncheck.cpp
                  LIBS beatloft_app)
beatloft_add_test(tst_inet SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_inet.cpp LIBS beatloft_app)
