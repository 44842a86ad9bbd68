beatloft_add_test(tst_program SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_program.cpp)
add_dependencies(tst_program beatloft)
target_compile_definitions(tst_program PRIVATE BEATLOFT_BIN="$<TARGET_FILE:beatloft>")

beatloft_add_test(tst_bounce SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_bounce.cpp)
add_dependencies(tst_bounce beatloft)
target_compile_definitions(tst_bounce PRIVATE BEATLOFT_BIN="$<TARGET_FILE:beatloft>"
                           BEATLOFT_DATA="${PROJECT_SOURCE_DIR}/data")

beatloft_add_test(tst_commandline SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_commandline.cpp
                  LIBS beatloft_app)

beatloft_add_test(tst_headless SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_headless.cpp
                  LIBS beatloft_app)
