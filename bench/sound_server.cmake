beatloft_add_bench(sound_server SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound_server.cpp
                   LIBS beatloft_app beatloft_testsupport)
add_dependencies(sound_server beatloft)
