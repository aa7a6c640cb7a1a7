// SPDX-License-Identifier: MIT
// The program's side of its frames: finding the class, creating each frame from its window's
// stored layout, following the window's size, and working on without a frame.

#include "class_store.h"
#include "frame_host.h"
#include "property_bag.h"
#include "units.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quellor;

namespace {
const QString kClsid = QStringLiteral("{7E8A1A54-670B-11D7-B92A-00E04C3C232C}");
}

class TestFrameHost : public QObject {
    Q_OBJECT
    QTemporaryDir m_data;

private Q_SLOTS:
    void init() {
        // A fresh, empty class store for every case.
        QDir(m_data.path()).removeRecursively();
        QDir().mkpath(m_data.path());
        qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    }

    void storedLayouts_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("bar");
        QTest::newRow("main window") << "Form1"
                                     << "Quellor4.1" << 390;
        QTest::newRow("prompt") << "Form2"
                                << "提示信息" << 380;
        QTest::newRow("about") << "Form4"
                               << "软件说明" << 380;
        QTest::newRow("timer options") << "Form5"
                                       << "系统定时操作" << 380;
        QTest::newRow("password") << "Form9"
                                  << "输入密码" << 380;
    }
    void storedLayouts() {
        QFETCH(QString, form);
        QFETCH(QString, caption);
        QFETCH(int, bar);
        QFile file(":/layouts/" + form + ".bag");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto bag = PropertyBag::deserialize(file.readAll());
        QVERIFY(bag);
        QStringList keys;
        for (const auto& e : bag->entries()) {
            keys << e.key;
        }
        QCOMPARE(keys, (QStringList{"_extentx", "_extenty", "标题栏高度", "icon", "caption", "caption",
                                    "caption", "backcolor"}));
        QCOMPARE(bag->readProperty("标题栏高度").toInt(), bar);
        QCOMPARE(bag->entries().at(6).value.toString(), caption);
        QCOMPARE(bag->readProperty("BackColor").toUInt(), rgb(240, 240, 255));
        QImage icon;
        QVERIFY(icon.loadFromData(PropertyBag::pictureData(bag->readProperty("Icon")), "ICO"));
        QCOMPARE(icon.size(), QSize(32, 32));
    }

    void frameCoversTheWindowBeneathItsControls() {
        QWidget host;
        host.resize(273, 145);
        auto* button = new QPushButton("返回系统", &host);
        QWidget* frame = attachFrame(&host, "Form4", QCoreApplication::applicationDirPath());
        QVERIFY(frame);
        host.show();
        QCOMPARE(frame->objectName(), QStringLiteral("Vantrel1"));
        QCOMPARE(frame->geometry(), host.rect());
        QVERIFY(host.children().indexOf(frame) < host.children().indexOf(button));
        QCOMPARE(frame->property("Caption").toString(), QStringLiteral("软件说明"));
        QCOMPARE(frame->property("TitleBarHeight").toInt(), 380);
        QCOMPARE(frame->property("Icon").value<QPixmap>().size(), QSize(32, 32));
        QVERIFY(frame->property("SilverStyle").toBool());

        host.resize(300, 200);
        QCOMPARE(frame->size(), QSize(300, 200));
    }

    void unknownLayoutGivesANewFrame() {
        QWidget host;
        host.resize(300, 200);
        QWidget* frame = attachFrame(&host, "NoSuchForm", QCoreApplication::applicationDirPath());
        QVERIFY(frame);
        QCOMPARE(frame->property("Caption").toString(), QStringLiteral("Lumacore1.0"));
        QCOMPARE(frame->property("TitleBarHeight").toInt(), 500);
    }

    // Any prefix: the program directory and the library folder keep their places under it.
    void installedLibraryFolder() {
        QCOMPARE(installedFrameLibraryFolder("/opt/q/" QUELLOR_INSTALL_PROGRAM_DIR),
                 QStringLiteral("/opt/q/" QUELLOR_INSTALL_LIBDIR));
    }

    void shippedLibrary_data() {
        QTest::addColumn<QStringList>("present"); // "beside", "plain" (beside, unversioned), "folder"
        QTest::addColumn<QString>("chosen");
        QTest::newRow("build tree") << QStringList{"beside", "plain"} << "beside";
        QTest::newRow("installed") << QStringList{"folder"} << "folder";
        QTest::newRow("a copy beside an installed one") << QStringList{"beside", "folder"} << "beside";
        QTest::newRow("unversioned only") << QStringList{"plain"} << "plain";
        QTest::newRow("none") << QStringList{} << "beside";
    }
    void shippedLibrary() {
        QFETCH(QStringList, present);
        QFETCH(QString, chosen);
        QTemporaryDir root;
        const QString programDir = root.filePath(QUELLOR_INSTALL_PROGRAM_DIR);
        const QString folder = installedFrameLibraryFolder(programDir);
        const QMap<QString, QString> paths{{"beside", programDir + "/libVantrelLib.so.4"},
                                           {"plain", programDir + "/libVantrelLib.so"},
                                           {"folder", folder + "/libVantrelLib.so.4"}};
        QVERIFY(QDir().mkpath(programDir) && QDir().mkpath(folder));
        for (const QString& which : present) {
            QFile file(paths[which]);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(shippedFrameLibrary(programDir), paths[chosen]);
    }

    void classStoreComesFirst() {
        // Beside the program, under its SONAME name.
        const QString beside = QCoreApplication::applicationDirPath() + "/libVantrelLib.so.4";
        QCOMPARE(shippedFrameLibrary(QCoreApplication::applicationDirPath()), beside);
        QCOMPARE(findFrameServer(QCoreApplication::applicationDirPath())->libraryPath, beside);

        QTemporaryDir elsewhere;
        const QString copy = elsewhere.filePath("libVantrelLib.so");
        QVERIFY(QFile::copy(beside, copy));
        ClassStore store;
        QVERIFY(store.addClass({kClsid, "VantrelLib.Vantrel", copy, "Vantrel", {}, {}, true}));
        const auto server = findFrameServer(QCoreApplication::applicationDirPath());
        QCOMPARE(server->libraryPath, copy);
        QCOMPARE(server->clsid, kClsid);

        // A registration whose file has gone is passed over.
        QVERIFY(store.addClass(
            {kClsid, "VantrelLib.Vantrel", "/nonexistent/libVantrelLib.so", "Vantrel", {}, {}, true}));
        QCOMPARE(findFrameServer(QCoreApplication::applicationDirPath())->libraryPath, beside);
    }

    void noLibraryNoFrame() {
        QTemporaryDir empty;
        QVERIFY(!findFrameServer(empty.path()));
        ClassStore store;
        QVERIFY(store.addClass(
            {kClsid, "VantrelLib.Vantrel", "/nonexistent/libVantrelLib.so", "Vantrel", {}, {}, true}));
        QVERIFY(!findFrameServer(empty.path()));
        QVERIFY(!attachFrame(nullptr, "Form1", QCoreApplication::applicationDirPath()));
    }

    void brokenLibraryNoFrame() {
        QTemporaryDir dir;
        QFile fake(dir.filePath("libVantrelLib.so"));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("not a library");
        fake.close();
        QVERIFY(!findFrameServer(dir.path()));
        ClassStore store;
        QVERIFY(store.addClass({kClsid, "VantrelLib.Vantrel", fake.fileName(), "Vantrel", {}, {}, true}));
        QWidget host;
        QVERIFY(!attachFrame(&host, "Form4", QCoreApplication::applicationDirPath()));
        QVERIFY(host.children().isEmpty());
    }
};

QTEST_MAIN(TestFrameHost)
#include "test_frame_host.moc"
