// SPDX-License-Identifier: MIT

#include "frame_host.h"

#include "class_store.h"
#include "dialog_window.h"
#include "property_bag.h"
#include "vantrel/server.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <QWidget>

namespace quellor {

namespace {

const QString kProgId = QStringLiteral("VantrelLib.Vantrel");

std::optional<QString> clsidFromMetadata(const QString& libraryPath) {
    const QJsonObject meta = QPluginLoader(libraryPath).metaData().value("MetaData").toObject();
    for (const auto& c : meta.value("Classes").toArray()) {
        const QJsonObject cls = c.toObject();
        if (cls.value("ProgId").toString().compare(kProgId, Qt::CaseInsensitive) == 0) {
            return cls.value("ClassId").toString();
        }
    }
    return std::nullopt;
}

// The stored layout keeps the caption as written; the frame shows it in the user's language.
PropertyBag withCaptionTranslated(const PropertyBag& stored) {
    PropertyBag shown;
    for (const PropertyBag::Entry& e : stored.entries()) {
        const bool caption = e.key == QLatin1String("caption") && e.value.typeId() == QMetaType::QString;
        shown.append(e.key,
                     caption ? QVariant(windowCaption(e.value.toString().toUtf8().constData())) : e.value);
    }
    return shown;
}

// Keeps the frame at the host's client size; dies with the frame.
class FrameSizer : public QObject {
public:
    FrameSizer(QWidget* host, QWidget* frame) : QObject(frame), m_frame(frame) {
        host->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            m_frame->resize(static_cast<QWidget*>(watched)->size());
        }
        return false;
    }

private:
    QWidget* m_frame;
};

} // namespace

QString installedFrameLibraryFolder(const QString& programDir) {
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(QUELLOR_FRAME_LIBDIR)));
}

QString shippedFrameLibrary(const QString& programDir) {
    const QString soname = QStringLiteral(QUELLOR_FRAME_SONAME);
    // A build tree has the plain name as well, for hosts that link the library.
    const QStringList candidates{programDir + u'/' + soname,
                                 installedFrameLibraryFolder(programDir) + u'/' + soname,
                                 programDir + QStringLiteral("/libVantrelLib.so")};
    for (const QString& path : candidates) {
        if (QFileInfo::exists(path)) {
            return path;
        }
    }
    return candidates.front();
}

std::optional<FrameServer> findFrameServer(const QString& programDir) {
    const ClassStore store;
    if (const auto clsid = store.clsidFromProgId(kProgId)) {
        if (const auto entry = store.findClass(*clsid); entry && QFileInfo::exists(entry->libraryPath)) {
            return FrameServer{entry->libraryPath, *clsid};
        }
    }
    const QString shipped = shippedFrameLibrary(programDir);
    if (!QFileInfo::exists(shipped)) {
        return std::nullopt;
    }
    if (const auto clsid = clsidFromMetadata(shipped)) {
        return FrameServer{shipped, *clsid};
    }
    return std::nullopt;
}

QWidget* attachFrame(QWidget* host, const QString& layoutName, const QString& programDir) {
    if (!host) {
        return nullptr;
    }
    const auto server = findFrameServer(programDir);
    if (!server) {
        return nullptr;
    }
    // The library stays loaded for the rest of the run: frames may be made from it at any time.
    QLibrary library(server->libraryPath);
    auto getClassObject =
        reinterpret_cast<vantrel::DllGetClassObjectFn>(library.resolve("DllGetClassObject"));
    const auto clsid = vantrel::Guid::parse(server->clsid.toStdString());
    if (!getClassObject || !clsid) {
        return nullptr;
    }
    void* object = nullptr;
    if (getClassObject(&*clsid, &vantrel::IID_IClassFactory, &object) != vantrel::S_OK || !object) {
        return nullptr;
    }
    QWidget* frame = static_cast<vantrel::ClassFactory*>(object)->createInstance(host);
    if (!frame) {
        return nullptr;
    }

    auto* persist = qobject_cast<vantrel::PersistPropertyBag*>(frame);
    QFile stored(QStringLiteral(":/layouts/%1.bag").arg(layoutName));
    std::optional<PropertyBag> bag;
    if (stored.open(QIODevice::ReadOnly)) {
        if (const auto read = PropertyBag::deserialize(stored.readAll())) {
            bag = withCaptionTranslated(*read);
        }
    }
    if (persist) {
        bag ? persist->ReadProperties(*bag) : persist->InitProperties();
    }

    frame->setGeometry(host->rect());
    frame->lower(); // beneath the window's own controls
    new FrameSizer(host, frame);
    frame->show();
    return frame;
}

} // namespace quellor
