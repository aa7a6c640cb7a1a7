# SPDX-License-Identifier: MIT
# Run by cpack before it makes the packages (CPACK_PRE_BUILD_SCRIPTS): dpkg-gensymbols checks the
# frame library just installed for the package against the symbols it is known to export
# (libvantrellib4/symbols, demangled) and writes the package's symbols file. Any symbol gained or
# lost stops the packaging: the ABI of libVantrelLib.so.4 changes only on purpose, with that
# file and the version script frame/VantrelLib.map.
find_program(DPKG_GENSYMBOLS dpkg-gensymbols REQUIRED)
set(staged "${CPACK_TEMPORARY_DIRECTORY}/library")
file(GLOB library "${staged}/usr/lib/*/libVantrelLib.so.${CPACK_PACKAGE_VERSION}")
if(NOT library)
    message(FATAL_ERROR "no libVantrelLib.so.${CPACK_PACKAGE_VERSION} staged under ${staged}")
endif()
execute_process(
    COMMAND ${DPKG_GENSYMBOLS} -c4 -plibvantrellib4 -v${CPACK_PACKAGE_VERSION} -P${staged}
            -I${CPACK_QUELLOR_SYMBOLS} -O${CPACK_QUELLOR_PACKAGE_SYMBOLS} -e${library}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE report
    ERROR_VARIABLE report)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "libVantrelLib's exports differ from ${CPACK_QUELLOR_SYMBOLS}:\n${report}")
endif()
