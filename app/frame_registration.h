#pragma once
// SPDX-License-Identifier: MIT
// First-run registration of the frame library. A development tree, an installed copy and a
// fresh user account all start with a class store that may not name the library this program
// ships; the program then registers it through the library's own DllRegisterServer, as an
// installer would, so its frames are made by class identity from its own library.

#include <QString>

namespace quellor {

enum class FrameRegistration {
    AlreadyOurs, // the store's "VantrelLib.Vantrel" is served by the library the program ships with
    Registered,  // it was missing or served from elsewhere, and now names ours
    Failed,      // no library shipped with the program, or the store could not be written
};

// Checks the class store of the current user against `programDir`'s library and registers it
// when they differ. The frames still come from the shipped library when this fails.
FrameRegistration registerFrameLibrary(const QString& programDir);

} // namespace quellor
