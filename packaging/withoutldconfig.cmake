# Run by CPack once the package is built. CPack calls ldconfig from postinst and postrm
# whenever a library lies anywhere below /usr/lib; this package's libraries are private
# (/usr/lib/beatloft, outside the linker's search path), so those calls do nothing. Scripts
# that hold nothing else are dropped and the package is built again from the same tree.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    set(tree "${deb}.tree")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
    set(dropped FALSE)
    foreach(script postinst postrm)
        set(path "${tree}/DEBIAN/${script}")
        if(NOT EXISTS "${path}")
            continue()
        endif()
        file(STRINGS "${path}" lines)
        list(FILTER lines EXCLUDE REGEX "^(#!/bin/sh|set -e|if \\[ .* \\]; then|[ \t]*ldconfig|fi)?$")
        if(NOT lines)
            file(REMOVE "${path}")
            set(dropped TRUE)
        endif()
    endforeach()
    if(dropped)
        execute_process(COMMAND dpkg-deb --root-owner-group --build "${tree}" "${deb}"
            OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    endif()
    file(REMOVE_RECURSE "${tree}")
endforeach()
