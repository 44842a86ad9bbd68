beatloft_add_bench(playback_timing SOURCES ${CMAKE_CURRENT_LIST_DIR}/playback_timing.cpp
                   LIBS beatloft_app)
beatloft_add_bench(grid_rebuild SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_rebuild.cpp
                   LIBS beatloft_app)
add_dependencies(grid_rebuild beatloft)
beatloft_add_bench(timers SOURCES ${CMAKE_CURRENT_LIST_DIR}/timers.cpp
                   LIBS beatloft_app Qt6::Test)
