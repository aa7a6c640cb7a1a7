# SPDX-License-Identifier: MIT
# The hardening flags Debian builds its packages with, taken from dpkg-buildflags so they follow
# the release: stack protector, fortified functions, format checks, read-only relocations bound
# at start. Optimisation and debug information stay the build type's, and paths are left alone.
function(quellor_debian_build_flags)
    find_program(QUELLOR_DPKG_BUILDFLAGS dpkg-buildflags)
    if(NOT QUELLOR_DPKG_BUILDFLAGS)
        message(STATUS "dpkg-buildflags not found: building without Debian's hardening flags")
        return()
    endif()
    foreach(kind CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${QUELLOR_DPKG_BUILDFLAGS} --get ${kind}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed (${result})")
        endif()
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags EXCLUDE REGEX "^-(g|O)|^-f(file|debug|macro)-prefix-map=")
        set(${kind} ${flags})
    endforeach()

    # Fortified functions need optimisation, and hide faults from the sanitizers.
    set(fortify_wanted "$<AND:$<NOT:$<CONFIG:Debug>>,$<NOT:$<BOOL:${QUELLOR_SANITIZE}>>>")
    foreach(flag IN LISTS CPPFLAGS)
        if(flag MATCHES "^-D_FORTIFY_SOURCE")
            add_compile_options("$<${fortify_wanted}:${flag}>")
        else()
            add_compile_options(${flag})
        endif()
    endforeach()
    foreach(flag IN LISTS CFLAGS)
        add_compile_options("$<$<COMPILE_LANGUAGE:C>:${flag}>")
    endforeach()
    foreach(flag IN LISTS CXXFLAGS)
        add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:${flag}>")
    endforeach()
    add_link_options(${LDFLAGS})
    message(STATUS "Hardening flags from dpkg-buildflags: ${CPPFLAGS} ${CXXFLAGS} ${LDFLAGS}")
endfunction()
