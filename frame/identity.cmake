# SPDX-License-Identifier: MIT
# Writes the library's identity header from vantrel.json, the one place its identifiers are
# written down: the constants registration uses and the class-info entries of both classes.
#
#   cmake -DJSON=<vantrel.json> -DOUT=<header> -P identity.cmake
file(READ ${JSON} json)

function(get out)
    string(JSON value GET "${json}" ${ARGN})
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

get(library Library)
get(version FileVersion)
get(libid TypeLib LibId)
get(libversion TypeLib Version)
get(liblocale TypeLib Locale)
get(libdescription TypeLib Description)
get(clsid Classes 0 ClassId)
get(progid Classes 0 ProgId)
get(control Classes 0 Control)
get(iid Classes 0 DefaultInterface Id)
get(iname Classes 0 DefaultInterface Name)
get(eid Classes 0 EventInterface Id)
get(ename Classes 0 EventInterface Name)
get(page Classes 0 PropertyPages 0)
get(toolbox Classes 0 ToolboxBitmap Path)
get(pageid Classes 1 ClassId)
get(pageprogid Classes 1 ProgId)
get(pageiid Classes 1 Interface Id)
foreach(kind DefaultInterface EventInterface)
    string(JSON count LENGTH "${json}" Classes 0 ${kind} Flags)
    set(flags)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
        get(flag Classes 0 ${kind} Flags ${i})
        list(APPEND flags ${flag})
    endforeach()
    list(JOIN flags "," ${kind}_flags)
endforeach()
if(control)
    set(control yes)
else()
    set(control no)
endif()

set(text "#pragma once
// Generated from vantrel.json at build time; edit that file instead.

namespace vantrel::identity {

inline constexpr const char* kLibraryName = \"${library}\";
inline constexpr const char* kTypeLibId = \"${libid}\";
inline constexpr const char* kTypeLibVersion = \"${libversion}\";
inline constexpr const char* kTypeLibLocale = \"${liblocale}\";

inline constexpr const char* kClassId = \"${clsid}\";
inline constexpr const char* kProgId = \"${progid}\";
inline constexpr const char* kInterfaceId = \"${iid}\";
inline constexpr const char* kEventsId = \"${eid}\";

inline constexpr const char* kPropertyPageId = \"${pageid}\";
inline constexpr const char* kPropertyPageInterfaceId = \"${pageiid}\";
inline constexpr const char* kPropertyPageProgId = \"${pageprogid}\";

} // namespace vantrel::identity

// The same identity in each class's meta-object, as a Windows build hands it to its server.
#define VANTREL_IDENTITY_CLASSINFO \\
    Q_CLASSINFO(\"ClassID\", \"${clsid}\") \\
    Q_CLASSINFO(\"ProgID\", \"${progid}\") \\
    Q_CLASSINFO(\"InterfaceID\", \"${iid}\") \\
    Q_CLASSINFO(\"InterfaceName\", \"${iname}\") \\
    Q_CLASSINFO(\"InterfaceFlags\", \"${DefaultInterface_flags}\") \\
    Q_CLASSINFO(\"EventsID\", \"${eid}\") \\
    Q_CLASSINFO(\"EventsName\", \"${ename}\") \\
    Q_CLASSINFO(\"EventsFlags\", \"${EventInterface_flags}\") \\
    Q_CLASSINFO(\"TypeLibID\", \"${libid}\") \\
    Q_CLASSINFO(\"TypeLibVersion\", \"${libversion}\") \\
    Q_CLASSINFO(\"TypeLibLocale\", \"${liblocale}\") \\
    Q_CLASSINFO(\"TypeLibDescription\", \"${libdescription}\") \\
    Q_CLASSINFO(\"Control\", \"${control}\") \\
    Q_CLASSINFO(\"PropertyPage\", \"${page}\") \\
    Q_CLASSINFO(\"ToolboxBitmap\", \"${toolbox}\") \\
    Q_CLASSINFO(\"Version\", \"${version}\")

#define VANTREL_PROPERTY_PAGE_CLASSINFO \\
    Q_CLASSINFO(\"ClassID\", \"${pageid}\") \\
    Q_CLASSINFO(\"InterfaceID\", \"${pageiid}\")
")
# Rewritten only when it changes, so an unrelated edit of the JSON rebuilds nothing.
file(CONFIGURE OUTPUT ${OUT} CONTENT "${text}" @ONLY)
