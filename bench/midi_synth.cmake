beatloft_add_bench(bench_midi_synth SOURCES ${CMAKE_CURRENT_LIST_DIR}/midi_synth.cpp LIBS beatloft_midi)
