beatloft_add_bench(grid_columns SOURCES ${CMAKE_CURRENT_LIST_DIR}/grid_columns.cpp
    LIBS beatloft_app)
