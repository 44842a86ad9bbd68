beatloft_add_bench(sound_server SOURCES ${CMAKE_CURRENT_LIST_DIR}/sound_server.cpp
                   LIBS beatloft_app beatloft_testsupport)
# The start-up baseline lives beside the benchmarks, not among them.
add_executable(label_window EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/label_window.cpp)
target_link_libraries(label_window PRIVATE Qt6::Widgets)
set_target_properties(label_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                              ${CMAKE_BINARY_DIR}/bench/helpers)
add_dependencies(sound_server beatloft label_window)
