// SPDX-License-Identifier: MIT

#include "guard_watch.h"
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
        QPointer<LockGuard> guard = new LockGuard(first, 20);
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
        QVERIFY(said(first).startsWith(QLatin1Char(guard_protocol::kBeat))); // beats while it waited
        QCOMPARE(said(first).remove(QLatin1Char(guard_protocol::kBeat)), heard);
        QCOMPARE(said(second), kWaiting);
        delete later;
        QTRY_VERIFY(said(second) != kWaiting);
        QCOMPARE(said(second).remove(QLatin1Char(guard_protocol::kBeat)), QString(""));
    }

    // Steps "<ms> say <bytes>", "<ms> end" (the socket closes), "<ms> quiet" (nothing came) and
    // "<ms> wait" (how long the guard may wait for bytes); each gives its verdict or wait.
    void theGuardTellsAStalledProgramFromADeadOne_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("unlock among the beats") << QStringList{"100 say .unl", "200 say ock.", "300 end"}
                                                << QStringList{"watching", "watching", "unlocked"};
        QTest::newRow("ended without a word")
            << QStringList{"100 say ...", "200 end"} << QStringList{"watching", "ended"};
        QTest::newRow("ended saying something else")
            << QStringList{"100 say unlocked", "200 end"} << QStringList{"watching", "ended"};
        QTest::newRow("stalled once, answering, stalled again")
            << QStringList{"0 wait",     "3999 quiet", "4000 quiet",  "4000 wait",  "9000 quiet",
                           "9500 say .", "10500 wait", "13499 quiet", "13500 quiet"}
            << QStringList{"4000",      "watching", "stalled",  "-1",     "watching",
                           "answering", "3000",     "watching", "stalled"};
        QTest::newRow("a stalled program's end still counts")
            << QStringList{"5000 quiet", "6000 end"} << QStringList{"stalled", "ended"};
    }
    void theGuardTellsAStalledProgramFromADeadOne() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        const QStringList names{"watching", "unlocked", "ended", "stalled", "answering"};
        GuardWatch watch(0);
        QStringList got;
        for (const QString& step : steps) {
            const qint64 at = step.section(QLatin1Char(' '), 0, 0).toLongLong();
            const QString what = step.section(QLatin1Char(' '), 1, 1);
            const QByteArray bytes = step.section(QLatin1Char(' '), 2).toLatin1();
            if (what == "wait") {
                got << QString::number(watch.waitMs(at));
                continue;
            }
            const GuardWatch::Verdict v = what == "quiet" ? watch.silent(at)
                                          : what == "end"
                                              ? watch.heard({}, at)
                                              : watch.heard({bytes.constData(), size_t(bytes.size())}, at);
            got << names.value(int(v));
        }
        QCOMPARE(got, expected);
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
