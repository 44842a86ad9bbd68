beatloft_add_test(tst_maincommands SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_maincommands.cpp
                  LIBS beatloft_formfixture)

beatloft_add_test(tst_shellwindows SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_shellwindows.cpp
                  LIBS beatloft_app)

beatloft_add_test(tst_language SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_language.cpp
                  LIBS beatloft_app)

beatloft_add_test(tst_wavexport SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_wavexport.cpp
                  LIBS beatloft_formfixture)
add_dependencies(tst_wavexport beatloft)
target_compile_definitions(tst_wavexport PRIVATE BEATLOFT_BIN="$<TARGET_FILE:beatloft>")

beatloft_add_test(tst_drumchart SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_drumchart.cpp
                  LIBS beatloft_formfixture)

beatloft_add_test(tst_unsavedwork SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_unsavedwork.cpp
                  LIBS beatloft_formfixture)
