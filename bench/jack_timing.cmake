beatloft_add_bench(jack_timing SOURCES ${CMAKE_CURRENT_LIST_DIR}/jack_timing.cpp
                   LIBS beatloft_midi beatloft_testsupport PkgConfig::JACK)
add_dependencies(jack_timing beatloft)
