# The layering of the tree, checked on its includes. Widget headers are the files of Qt's
# QtWidgets and QtPrintSupport include folders.
get_target_property(widgets_dirs Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
get_target_property(printsupport_dirs Qt6::PrintSupport INTERFACE_INCLUDE_DIRECTORIES)
list(FILTER widgets_dirs INCLUDE REGEX "/QtWidgets$")
list(FILTER printsupport_dirs INCLUDE REGEX "/QtPrintSupport$")

beatloft_add_test(tst_architecture SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_architecture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/includegraph.cpp ${CMAKE_CURRENT_LIST_DIR}/includegraph.h)
target_compile_definitions(tst_architecture PRIVATE
    BEATLOFT_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QT_WIDGETS_INCLUDE_DIR="${widgets_dirs}"
    QT_PRINTSUPPORT_INCLUDE_DIR="${printsupport_dirs}")
