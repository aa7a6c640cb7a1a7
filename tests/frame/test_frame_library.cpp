// SPDX-License-Identifier: MIT
// The library's outward face: its metadata, the four entry points over the per-user class
// store, class objects, the control's meta-data, and unloading.

#include "class_store.h"
#include "vantrel/server.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibrary>
#include <QMetaClassInfo>
#include <QPluginLoader>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace vantrel;

namespace {
const char* kClsid = "{7E8A1A54-670B-11D7-B92A-00E04C3C232C}";
const char* kPageClsid = "{7E8A1A57-670B-11D7-B92A-00E04C3C232C}";

bool mapped(const QString& path) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) &&
           maps.readAll().contains(QFileInfo(path).canonicalFilePath().toUtf8());
}

QString classInfo(const QObject* o, const char* name) {
    const QMetaObject* m = o->metaObject();
    const int i = m->indexOfClassInfo(name);
    return i < 0 ? QString() : QString::fromUtf8(m->classInfo(i).value());
}
} // namespace

class TestFrameLibrary : public QObject {
    Q_OBJECT

    QTemporaryDir m_data;
    QString m_path;
    QLibrary m_library;
    DllRegisterServerFn m_register = nullptr;
    DllUnregisterServerFn m_unregister = nullptr;
    DllGetClassObjectFn m_getClassObject = nullptr;
    DllCanUnloadNowFn m_canUnload = nullptr;

    ClassFactory* factory(const char* clsid) {
        void* out = nullptr;
        const Guid g = *Guid::parse(clsid);
        return m_getClassObject(&g, &IID_IClassFactory, &out) == S_OK ? static_cast<ClassFactory*>(out)
                                                                      : nullptr;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_data.isValid());
        qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
        m_path = QCoreApplication::applicationDirPath() + "/libVantrelLib.so";
        m_library.setFileName(m_path);
        QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
        m_register = reinterpret_cast<DllRegisterServerFn>(m_library.resolve("DllRegisterServer"));
        m_unregister = reinterpret_cast<DllUnregisterServerFn>(m_library.resolve("DllUnregisterServer"));
        m_getClassObject = reinterpret_cast<DllGetClassObjectFn>(m_library.resolve("DllGetClassObject"));
        m_canUnload = reinterpret_cast<DllCanUnloadNowFn>(m_library.resolve("DllCanUnloadNow"));
        QVERIFY(m_register && m_unregister && m_getClassObject && m_canUnload);
    }

    void metadataDescribesTheLibrary() {
        const QJsonObject meta = QPluginLoader(m_path).metaData().value("MetaData").toObject();
        QCOMPARE(meta.value("FileVersion").toString(), QStringLiteral("1.00"));
        QCOMPARE(meta.value("ProductName").toString(), QStringLiteral("VantrelLib"));
        QCOMPARE(meta.value("OriginalFilename").toString(), QStringLiteral("VantrelLib.ocx"));
        QVERIFY(meta.contains("OLESelfRegister"));
        QCOMPARE(meta.value("TypeLib").toObject().value("LibId").toString(),
                 QStringLiteral("{7E8A1A52-670B-11D7-B92A-00E04C3C232C}"));
        const QJsonObject frame = meta.value("Classes").toArray().at(0).toObject();
        QCOMPARE(frame.value("ProgId").toString(), QStringLiteral("VantrelLib.Vantrel"));
        QCOMPARE(frame.value("ClassId").toString(), QString(kClsid));
        QCOMPARE(frame.value("PropertyPages").toArray().at(0).toString(), QString(kPageClsid));
        const QImage toolbox(":/vantrel/bitmap/30000");
        QCOMPARE(toolbox.size(), QSize(16, 15));
    }

    void registerLooksUpAndUnregisters() {
        const quellor::ClassStore store;
        QVERIFY(store.path().startsWith(m_data.path()));
        QVERIFY(!store.clsidFromProgId("VantrelLib.Vantrel"));
        QCOMPARE(m_register(), S_OK);
        QCOMPARE(store.clsidFromProgId("vantrellib.vantrel"), std::optional<QString>(kClsid));
        const auto entry = store.findClass(QString(kClsid).toLower());
        QVERIFY(entry);
        QCOMPARE(entry->libraryPath, QFileInfo(m_path).absoluteFilePath());
        QVERIFY(entry->control);
        QVERIFY(store.findClass(kPageClsid));
        QCOMPARE(store.findTypeLib("{7E8A1A52-670B-11D7-B92A-00E04C3C232C}")->version,
                 QStringLiteral("10.0"));

        QCOMPARE(m_unregister(), S_OK);
        QVERIFY(!store.clsidFromProgId("VantrelLib.Vantrel"));
        QVERIFY(!store.findClass(kClsid));
        QVERIFY(!store.findTypeLib("{7E8A1A52-670B-11D7-B92A-00E04C3C232C}"));
    }

    void classObjects_data() {
        QTest::addColumn<QString>("clsid");
        QTest::addColumn<QString>("iid");
        QTest::addColumn<int>("result");
        QTest::newRow("frame") << kClsid << "{00000001-0000-0000-C000-000000000046}" << S_OK;
        QTest::newRow("property page") << kPageClsid << "{00000001-0000-0000-C000-000000000046}" << S_OK;
        QTest::newRow("unknown class")
            << "{00000000-0000-0000-0000-000000000001}"
            << "{00000001-0000-0000-C000-000000000046}" << CLASS_E_CLASSNOTAVAILABLE;
        QTest::newRow("not a factory") << kClsid << "{835588BD-9769-11D7-B92B-00E04C3C232C}" << E_NOINTERFACE;
    }
    void classObjects() {
        QFETCH(QString, clsid);
        QFETCH(QString, iid);
        QFETCH(int, result);
        const Guid c = *Guid::parse(clsid.toStdString());
        const Guid i = *Guid::parse(iid.toStdString());
        void* out = reinterpret_cast<void*>(1);
        QCOMPARE(m_getClassObject(&c, &i, &out), result);
        QCOMPARE(out != nullptr, result == S_OK);
        QCOMPARE(m_getClassObject(&c, &i, nullptr), E_POINTER);
    }

    void createdFrameDescribesItself() {
        QWidget host;
        QWidget* frame = factory(kClsid)->createInstance(&host);
        QVERIFY(frame);
        QCOMPARE(frame->parentWidget(), &host);
        QCOMPARE(frame->objectName(), QStringLiteral("Vantrel1"));
        QVERIFY(qobject_cast<PersistPropertyBag*>(frame));
        QCOMPARE(classInfo(frame, "ClassID"), QString(kClsid));
        QCOMPARE(classInfo(frame, "ProgID"), QStringLiteral("VantrelLib.Vantrel"));
        QCOMPARE(classInfo(frame, "EventsID"), QStringLiteral("{835588BE-9769-11D7-B92B-00E04C3C232C}"));
        QCOMPARE(classInfo(frame, "DispId:TitleBarHeight"), QStringLiteral("0x68030005"));
        QCOMPARE(classInfo(frame, "DispId:MouseUp"), QStringLiteral("8"));
        QCOMPARE(classInfo(frame, "Description:FontSize"),
                 QStringLiteral("指定给定层的每一行出现的字体大小(以磅为单位)。"));
        QCOMPARE(classInfo(frame, "PropertyName:TitleBarHeight"), QStringLiteral("标题栏高度"));
        for (const char* p : {"ForeColor", "Enabled", "TitleBarHeight", "Icon", "Caption", "FontSize",
                              "BackColor", "SilverStyle"}) {
            QVERIFY2(frame->metaObject()->indexOfProperty(p) >= 0, p);
        }
        for (const char* s :
             {"Click()", "DblClick()", "KeyDown(short&,short&)", "KeyPress(short&)", "KeyUp(short&,short&)",
              "MouseDown(short&,short&,float&,float&)", "MouseMove(short&,short&,float&,float&)",
              "MouseUp(short&,short&,float&,float&)"}) {
            QVERIFY2(frame->metaObject()->indexOfSignal(s) >= 0, s);
        }
        // By name, as a host or designer reaches it, under its persistence name.
        QVERIFY(!frame->setProperty("标题栏高度", 1000));
        QCOMPARE(frame->property("TitleBarHeight").toInt(), 550);
    }

    void unloadsOnlyWhenNothingIsAlive() {
        QCOMPARE(m_canUnload(), S_OK);
        QWidget host;
        QPointer<QWidget> frame = factory(kClsid)->createInstance(&host);
        QPointer<QWidget> page = factory(kPageClsid)->createInstance(nullptr);
        QVERIFY(frame && page);
        QCOMPARE(m_canUnload(), S_FALSE);
        delete frame;
        QCOMPARE(m_canUnload(), S_FALSE); // the page is still alive
        delete page;
        QCOMPARE(m_canUnload(), S_OK);

        ClassFactory* f = factory(kClsid);
        QCOMPARE(f->lockServer(true), S_OK);
        QCOMPARE(m_canUnload(), S_FALSE);
        QCOMPARE(f->lockServer(false), S_OK);
        QCOMPARE(m_canUnload(), S_OK);
        // An unlock too many does not hide a later lock.
        f->lockServer(false);
        f->lockServer(true);
        QCOMPARE(m_canUnload(), S_FALSE);
        f->lockServer(false);
    }

    void lastFrameDyingWithItsHostAllowsUnloading() {
        auto* host = new QWidget;
        factory(kClsid)->createInstance(host);
        QCOMPARE(m_canUnload(), S_FALSE);
        delete host;
        QCOMPARE(m_canUnload(), S_OK);
    }

    // Last: a host that unloads the library once it may must leave Qt holding nothing of it.
    void unloadedLibraryLeavesQtWhole() {
        {
            QWidget host;
            QWidget* frame = factory(kClsid)->createInstance(&host);
            frame->setProperty("标题栏高度", 400);
            host.show();
            QVERIFY(QAccessible::queryAccessibleInterface(frame->findChild<QWidget*>("sminb")));
        }
        QCOMPARE(m_canUnload(), S_OK);
        QVERIFY(m_library.unload());
        QVERIFY2(!mapped(m_path), "the library is still mapped");
        QWidget again;
        again.show();
        QVERIFY(QAccessible::queryAccessibleInterface(&again));
        QVERIFY(!QMetaType::fromName("vantrel::NamedValue").isValid());
    }
};

QTEST_MAIN(TestFrameLibrary)
#include "test_frame_library.moc"
