# The install tree and the Debian package, checked by scripts.
foreach(check install_tree debian_package)
    add_test(NAME ${check}
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/${check}.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
    set_tests_properties(${check} PROPERTIES TIMEOUT 300)
endforeach()
