beatloft_add_bench(render_peer SOURCES ${CMAKE_CURRENT_LIST_DIR}/render_peer.cpp LIBS Qt6::Core)
add_dependencies(render_peer beatloft)
target_compile_definitions(render_peer PRIVATE
                           RENDER_PEER_SONG="${CMAKE_CURRENT_LIST_DIR}/rock.h2song")
