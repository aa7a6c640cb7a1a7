#include "lock_guard.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

using namespace quellor;

namespace {

// A stand-in guard: records what it read up to the end of its input, then ends.
QString fakeGuard(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly)) {
        return {};
    }
    script.write("#!/bin/sh\ncat > \"$0.part\" && mv \"$0.part\" \"$0.said\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

const QString kWaiting = QStringLiteral("(still waiting)");

// What the guard read, once its input has ended.
QString said(const QString& guard) {
    QFile f(guard + QStringLiteral(".said"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : kWaiting;
}

} // namespace

class TestLockGuard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theGuardHearsHowTheLockEnded_data() {
        QTest::addColumn<bool>("unlocked");
        QTest::addColumn<QString>("heard");
        QTest::newRow("normal unlock") << true << "unlock";
        QTest::newRow("the program went without unlocking") << false << "";
    }
    void theGuardHearsHowTheLockEnded() {
        QFETCH(bool, unlocked);
        QFETCH(QString, heard);
        QTemporaryDir dir;
        const QString first = fakeGuard(dir, "first");
        const QString second = fakeGuard(dir, "second");
        QPointer<LockGuard> guard = new LockGuard(first);
        QVERIFY(guard->started());
        // A guard started later (the next lock) must not keep the first one's input open.
        auto* later = new LockGuard(second);
        QTest::qWait(100);
        QCOMPARE(said(first), kWaiting);
        if (unlocked) {
            guard->finish();
            QTRY_VERIFY(guard.isNull()); // reaped once it ended
        } else {
            delete guard;
        }
        QTRY_VERIFY(said(first) != kWaiting);
        QCOMPARE(said(first), heard);
        QCOMPARE(said(second), kWaiting);
        delete later;
        QTRY_COMPARE(said(second), QString(""));
    }

    void aMissingGuardIsNoFailure() {
        QPointer<LockGuard> guard = new LockGuard(QStringLiteral("/nonexistent/quellor-guard"));
        QVERIFY(!guard->started());
        guard->finish();
        QTRY_VERIFY(guard.isNull());
    }
};

QTEST_GUILESS_MAIN(TestLockGuard)
#include "test_lock_guard.moc"
