beatloft_add_test(tst_propertybag SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_propertybag.cpp
    LIBS beatloft_hosting)
beatloft_add_test(tst_controlwidget SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_controlwidget.cpp
    LIBS beatloft_hosting)
beatloft_add_test(tst_controlmodule SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_controlmodule.cpp
    LIBS beatloft_hosting)
