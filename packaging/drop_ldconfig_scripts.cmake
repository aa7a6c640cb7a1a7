# SPDX-License-Identifier: MIT
# Run by cpack once the packages are made (CPACK_POST_BUILD_SCRIPTS). CPack gives every package
# with a shared object under /usr/lib a postinst and a postrm that only run ldconfig. The
# program's modules lie in its private folder, where ldconfig never looks, and the frame
# library's package activates dpkg's ldconfig trigger instead; so those two scripts go, and the
# package is put together again. Any other maintainer script is kept.
find_program(DPKG_DEB dpkg-deb REQUIRED)
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT deb MATCHES "\\.deb$")
        continue()
    endif()
    set(tree "${deb}.tree")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND ${DPKG_DEB} --raw-extract "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
    set(dropped FALSE)
    foreach(script postinst postrm)
        set(path "${tree}/DEBIAN/${script}")
        if(EXISTS "${path}")
            file(READ "${path}" text)
            if(text MATCHES "^#!/bin/sh\n\nset -e\n\nif \\[ \"\\$1\" = \"[a-z]+\" \\]; then\n\tldconfig\nfi\n$")
                file(REMOVE "${path}")
                set(dropped TRUE)
            endif()
        endif()
    endforeach()
    if(dropped)
        execute_process(COMMAND ${DPKG_DEB} --root-owner-group --build "${tree}" "${deb}"
            OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
        message(STATUS "Dropped the ldconfig scripts from ${deb}")
    endif()
    file(REMOVE_RECURSE "${tree}")
endforeach()
