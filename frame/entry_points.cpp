// SPDX-License-Identifier: MIT
// The library's exported entry points, the standard four of an in-process server, over the
// per-user class store.

#include "class_store.h"
#include "module.h"
#include "property_page.h"
#include "vantrel/server.h"
#include "vantrel/vantrel.h"
#include "vantrel/vantrel_identity.h"

#include <QFileInfo>
#include <QObject>

#include <dlfcn.h>

namespace vantrel {

namespace {

template <typename T> class Factory final : public ClassFactory {
public:
    QWidget* createInstance(QWidget* parent) override { return new T(parent); }
    HRESULT lockServer(bool lock) override {
        lock ? module::lock() : module::unlock();
        return S_OK;
    }
};

QString libraryPath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&libraryPath), &info) == 0 || !info.dli_fname) {
        return {};
    }
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

} // namespace

// Hosts read the library's identity and version data from this metadata without loading it.
class ServerInfo : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "VantrelLib.Server/1.0" FILE "vantrel.json")
};

} // namespace vantrel

using namespace vantrel;

extern "C" {

Q_DECL_EXPORT HRESULT DllRegisterServer() {
    const QString path = libraryPath();
    if (path.isEmpty()) {
        return SELFREG_E_CLASS;
    }
    quellor::ClassStore store;
    const bool ok = store.addTypeLib({identity::kTypeLibId, identity::kTypeLibVersion,
                                      identity::kTypeLibLocale, path, identity::kLibraryName}) &&
                    store.addClass({identity::kClassId, identity::kProgId, path, QStringLiteral("Vantrel"),
                                    identity::kTypeLibId, identity::kTypeLibVersion, true}) &&
                    store.addClass({identity::kPropertyPageId, identity::kPropertyPageProgId, path,
                                    QStringLiteral("PropertyPage1"), identity::kTypeLibId,
                                    identity::kTypeLibVersion, false});
    return ok ? S_OK : SELFREG_E_CLASS;
}

Q_DECL_EXPORT HRESULT DllUnregisterServer() {
    quellor::ClassStore store;
    const bool ok = store.removeClass(identity::kClassId) && store.removeClass(identity::kPropertyPageId) &&
                    store.removeTypeLib(identity::kTypeLibId);
    return ok ? S_OK : SELFREG_E_CLASS;
}

Q_DECL_EXPORT HRESULT DllGetClassObject(const Guid* clsid, const Guid* iid, void** out) {
    if (!out) {
        return E_POINTER;
    }
    *out = nullptr;
    if (!clsid || !iid) {
        return E_POINTER;
    }
    static Factory<Vantrel> frameFactory;
    static Factory<PropertyPage> pageFactory;
    ClassFactory* factory = nullptr;
    if (*clsid == *Guid::parse(identity::kClassId)) {
        factory = &frameFactory;
    } else if (*clsid == *Guid::parse(identity::kPropertyPageId)) {
        factory = &pageFactory;
    } else {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    if (!(*iid == IID_IClassFactory)) {
        return E_NOINTERFACE;
    }
    *out = factory;
    return S_OK;
}

Q_DECL_EXPORT HRESULT DllCanUnloadNow() {
    return module::inUse() ? S_FALSE : S_OK;
}

} // extern "C"

#include "entry_points.moc"
