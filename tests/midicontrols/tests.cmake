beatloft_add_test(tst_midioutputctrl
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_midioutputctrl.cpp
            ${CMAKE_CURRENT_LIST_DIR}/presenteddialogs.h
    LIBS sonaport)
beatloft_add_test(tst_sonaportmodule
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sonaportmodule.cpp
            ${CMAKE_CURRENT_LIST_DIR}/presenteddialogs.h
    LIBS sonaport)
target_compile_definitions(tst_sonaportmodule PRIVATE
    SONAPORT_LIBRARY_FILE="$<TARGET_FILE:sonaport>")
