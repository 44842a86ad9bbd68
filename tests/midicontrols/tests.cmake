# One test program per control, and the module and the controls as a whole.
foreach(name midioutputctrl midiinputctrl midikeyboardctrl midichannelctrl midisliderctrl
             midispinnerctrl sonaportmodule sonaportcontrols)
    beatloft_add_test(tst_${name}
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_${name}.cpp ${CMAKE_CURRENT_LIST_DIR}/presenteddialogs.h
        LIBS sonaport)
endforeach()
target_compile_definitions(tst_sonaportmodule PRIVATE
    SONAPORT_LIBRARY_FILE="$<TARGET_FILE:sonaport>")
