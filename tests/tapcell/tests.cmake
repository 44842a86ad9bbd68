beatloft_add_test(tst_tapcell SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tapcell.cpp LIBS tapcell)
# The module is reached only through the library's own exports, as a container would.
beatloft_add_test(tst_tapcellmodule SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tapcellmodule.cpp
    LIBS beatloft_hosting)
target_include_directories(tst_tapcellmodule PRIVATE
    $<TARGET_PROPERTY:tapcell,INTERFACE_INCLUDE_DIRECTORIES>)
target_compile_definitions(tst_tapcellmodule PRIVATE TAPCELL_LIBRARY="$<TARGET_FILE:tapcell>")
add_dependencies(tst_tapcellmodule tapcell)
