set(midi_test_dir ${CMAKE_CURRENT_LIST_DIR})

beatloft_add_test(tst_midiservices SOURCES ${midi_test_dir}/tst_midiservices.cpp
    ${midi_test_dir}/inputrecorder.h)
beatloft_add_test(tst_runningstatus SOURCES ${midi_test_dir}/tst_runningstatus.cpp)
beatloft_add_test(tst_synthbackend SOURCES ${midi_test_dir}/tst_synthbackend.cpp
    ${midi_test_dir}/stderrcapture.h)
beatloft_add_test(tst_soundfontsubset SOURCES ${midi_test_dir}/tst_soundfontsubset.cpp)
beatloft_add_test(tst_alsabackend SOURCES ${midi_test_dir}/tst_alsabackend.cpp
    ${midi_test_dir}/stderrcapture.h)
add_dependencies(tst_alsabackend beatloft_alsa)
target_compile_definitions(tst_alsabackend PRIVATE
    BEATLOFT_ALSA_MODULE="$<TARGET_FILE_NAME:beatloft_alsa>")

beatloft_add_test(tst_midilisting SOURCES ${midi_test_dir}/tst_midilisting.cpp
    LIBS beatloft_app PkgConfig::JACK)
add_dependencies(tst_midilisting beatloft)
target_compile_definitions(tst_midilisting PRIVATE BEATLOFT_BIN="$<TARGET_FILE:beatloft>")

beatloft_add_test(tst_soundserver SOURCES ${midi_test_dir}/tst_soundserver.cpp)
add_dependencies(tst_soundserver beatloft)
target_compile_definitions(tst_soundserver PRIVATE BEATLOFT_BIN="$<TARGET_FILE:beatloft>")

beatloft_add_test(tst_streamclock SOURCES ${midi_test_dir}/tst_streamclock.cpp)
beatloft_add_test(tst_streamidle SOURCES ${midi_test_dir}/tst_streamidle.cpp)
beatloft_add_test(tst_pulsestream SOURCES ${midi_test_dir}/tst_pulsestream.cpp)
beatloft_add_test(tst_earlyevents SOURCES ${midi_test_dir}/tst_earlyevents.cpp)
beatloft_add_test(tst_controllog SOURCES ${midi_test_dir}/tst_controllog.cpp)
beatloft_add_test(tst_jacktiming SOURCES ${midi_test_dir}/tst_jacktiming.cpp)
beatloft_add_test(tst_jackpresence SOURCES ${midi_test_dir}/tst_jackpresence.cpp)
beatloft_add_test(tst_jackserver SOURCES ${midi_test_dir}/tst_jackserver.cpp
    LIBS PkgConfig::JACK)
