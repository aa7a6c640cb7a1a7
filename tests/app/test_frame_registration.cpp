// SPDX-License-Identifier: MIT
// First-run registration of the frame library: whatever the user's class store says about
// "VantrelLib.Vantrel", afterwards it names the library beside the program, and a store that
// already does is left alone.

#include "class_store.h"
#include "file_bytes.h"
#include "frame_registration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace quellor;

namespace {
const QString kClsid = QStringLiteral("{7E8A1A54-670B-11D7-B92A-00E04C3C232C}");
const QString kProgId = QStringLiteral("VantrelLib.Vantrel");

QString servedBy(const ClassStore& store) {
    const auto clsid = store.clsidFromProgId(kProgId);
    const auto entry = clsid ? store.findClass(*clsid) : std::nullopt;
    return entry ? entry->libraryPath : QString();
}
} // namespace

class TestFrameRegistration : public QObject {
    Q_OBJECT

    // One copy of the library for the whole run: a process maps a library only once.
    QTemporaryDir m_root;
    QString m_programDir;
    QString m_library;

    void pointStoreAt(const QString& libraryPath) {
        ClassStore().addClass({kClsid, kProgId, libraryPath, "Vantrel", {}, "10.0", true});
    }

private Q_SLOTS:
    void initTestCase() {
        m_programDir = m_root.filePath("lib/quellor");
        QVERIFY(QDir().mkpath(m_programDir));
        m_library = m_programDir + "/libVantrelLib.so";
        QVERIFY(QFile::copy(QStringLiteral(QUELLOR_PROGRAM_DIR "/libVantrelLib.so"), m_library));
        QVERIFY(QFile::link(m_programDir, m_root.filePath("linked")));
    }

    void bringsTheStoreToOurLibrary_data() {
        QTest::addColumn<QString>("before"); // what the store names: "", "ours", or another path
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<int>("expected");
        const QString other = QStringLiteral(QUELLOR_PROGRAM_DIR "/libVantrelLib.so");
        QTest::newRow("empty store") << ""
                                     << "lib/quellor" << int(FrameRegistration::Registered);
        QTest::newRow("another copy") << other << "lib/quellor" << int(FrameRegistration::Registered);
        QTest::newRow("a library since removed") << "/nowhere/libVantrelLib.so"
                                                 << "lib/quellor" << int(FrameRegistration::Registered);
        QTest::newRow("ours already") << "ours"
                                      << "lib/quellor" << int(FrameRegistration::AlreadyOurs);
        QTest::newRow("ours, reached through a link") << "ours"
                                                      << "linked" << int(FrameRegistration::AlreadyOurs);
    }
    void bringsTheStoreToOurLibrary() {
        QFETCH(QString, before);
        QFETCH(QString, programDir);
        QFETCH(int, expected);
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        if (!before.isEmpty()) {
            pointStoreAt(before == "ours" ? m_library : before);
        }
        const QByteArray storedBefore = fileBytes(ClassStore::defaultPath(), {});

        QCOMPARE(int(registerFrameLibrary(m_root.filePath(programDir))), expected);

        const ClassStore store;
        QCOMPARE(QFileInfo(servedBy(store)).canonicalFilePath(), QFileInfo(m_library).canonicalFilePath());
        if (expected == int(FrameRegistration::AlreadyOurs)) {
            QFile f(ClassStore::defaultPath());
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), storedBefore);
        } else {
            // The type library travels with the class, as a registration by hand would leave it.
            const auto typeLib = store.findTypeLib(QStringLiteral("{7E8A1A52-670B-11D7-B92A-00E04C3C232C}"));
            QVERIFY(typeLib);
            QCOMPARE(QFileInfo(typeLib->path).canonicalFilePath(), QFileInfo(m_library).canonicalFilePath());
        }
    }

    void failsWithoutTouchingTheStore_data() {
        QTest::addColumn<bool>("libraryThere");
        QTest::addColumn<QString>("store"); // what stands in the store's place
        QTest::newRow("no library beside the program") << false << "file";
        QTest::newRow("store cannot be written") << true << "folder";
        QTest::newRow("a FIFO in the store's place") << true << "fifo";
    }
    void failsWithoutTouchingTheStore() {
        QFETCH(bool, libraryThere);
        QFETCH(QString, store);
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        const QString elsewhere = QStringLiteral("/elsewhere/libVantrelLib.so");
        pointStoreAt(elsewhere);
        if (store != "file") {
            // Nothing can be saved over it, and a FIFO must not be waited on.
            QVERIFY(QFile::remove(ClassStore::defaultPath()));
            const QByteArray path = QFile::encodeName(ClassStore::defaultPath());
            QVERIFY(store == "fifo" ? ::mkfifo(path.constData(), 0600) == 0 : QDir().mkpath(path));
        }
        QTemporaryDir empty;
        const QString programDir = libraryThere ? m_programDir : empty.path();

        QCOMPARE(registerFrameLibrary(programDir), FrameRegistration::Failed);

        if (store == "file") {
            QCOMPARE(servedBy(ClassStore()), elsewhere);
        } else {
            QVERIFY(!QFileInfo(ClassStore::defaultPath()).isFile());
        }
    }
};

QTEST_MAIN(TestFrameRegistration)
#include "test_frame_registration.moc"
