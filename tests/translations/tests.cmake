# The texts of the interface: every literal of the interface code is marked for translation
# or listed as never shown, and the English translation source holds exactly the marked
# texts, each translated.
add_test(NAME translations_marked
    COMMAND python3 ${CMAKE_CURRENT_LIST_DIR}/marked_texts.py ${PROJECT_SOURCE_DIR}
            ${PROJECT_SOURCE_DIR}/translations/untranslated.txt app platform/system)
add_test(NAME translations_current
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/translations_current.sh ${PROJECT_SOURCE_DIR})
set_tests_properties(translations_marked translations_current PROPERTIES TIMEOUT 120)
