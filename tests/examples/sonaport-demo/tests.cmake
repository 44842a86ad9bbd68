beatloft_add_test(tst_sonaportdemo
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sonaportdemo.cpp
    LIBS sonaport_demo_window)
