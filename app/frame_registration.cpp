// SPDX-License-Identifier: MIT

#include "frame_registration.h"

#include "class_store.h"
#include "frame_host.h"
#include "vantrel/server.h"

#include <QFileInfo>
#include <QLibrary>

namespace quellor {

namespace {

const QString kProgId = QStringLiteral("VantrelLib.Vantrel");

// Paths compare as the files they name: a symlinked prefix or a doubled separator is the same
// library.
bool sameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

bool storeNames(const QString& libraryPath) {
    const ClassStore store;
    const auto clsid = store.clsidFromProgId(kProgId);
    if (!clsid) {
        return false;
    }
    const auto entry = store.findClass(*clsid);
    return entry && sameFile(entry->libraryPath, libraryPath);
}

} // namespace

FrameRegistration registerFrameLibrary(const QString& programDir) {
    QLibrary library(shippedFrameLibrary(programDir));
    if (!library.load()) {
        return FrameRegistration::Failed;
    }
    if (storeNames(library.fileName())) {
        return FrameRegistration::AlreadyOurs;
    }
    const auto registerServer =
        reinterpret_cast<vantrel::DllRegisterServerFn>(library.resolve("DllRegisterServer"));
    if (!registerServer || registerServer() != vantrel::S_OK) {
        return FrameRegistration::Failed;
    }
    // The library records where it was loaded from; check the store now says so.
    return storeNames(library.fileName()) ? FrameRegistration::Registered : FrameRegistration::Failed;
}

} // namespace quellor
