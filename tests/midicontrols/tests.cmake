beatloft_add_test(tst_midioutputctrl
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midioutputctrl.cpp
            ${CMAKE_CURRENT_LIST_DIR}/presenteddialogs.h
    LIBS sonaport)
beatloft_add_test(tst_sonaportmodule
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sonaportmodule.cpp
            ${CMAKE_CURRENT_LIST_DIR}/presenteddialogs.h
    LIBS sonaport)
beatloft_add_test(tst_midiinputctrl
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midiinputctrl.cpp
    LIBS sonaport)
beatloft_add_test(tst_midikeyboardctrl
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midikeyboardctrl.cpp
    LIBS sonaport)
beatloft_add_test(tst_midichannelctrl
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midichannelctrl.cpp
    LIBS sonaport)
beatloft_add_test(tst_midisliderctrl
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midisliderctrl.cpp
    LIBS sonaport)
beatloft_add_test(tst_midispinnerctrl
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midispinnerctrl.cpp
    LIBS sonaport)
beatloft_add_test(tst_sonaportcontrols
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sonaportcontrols.cpp
            ${CMAKE_CURRENT_LIST_DIR}/presenteddialogs.h
    LIBS sonaport)
target_compile_definitions(tst_sonaportmodule PRIVATE
    SONAPORT_LIBRARY_FILE="$<TARGET_FILE:sonaport>")
