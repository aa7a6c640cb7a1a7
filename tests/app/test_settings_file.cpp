// SPDX-License-Identifier: MIT

#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace quellor;

class TestSettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writesTheFiveBytes_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("shut down") << 1 << QByteArray("\x20\x31\x20\x0D\x0A");
        QTest::newRow("restart") << 2 << QByteArray("\x20\x32\x20\x0D\x0A");
        QTest::newRow("log off") << 3 << QByteArray("\x20\x33\x20\x0D\x0A");
        QTest::newRow("wait") << 4 << QByteArray("\x20\x34\x20\x0D\x0A");
    }
    void writesTheFiveBytes() {
        QFETCH(int, action);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Diri.dll"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("a much longer earlier content\r\n9\r\n"); // must be replaced, not overwritten in place
        old.close();

        QVERIFY(SettingsFile(path).write(TimerAction(action)));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
        QCOMPARE(SettingsFile(path).read(), std::optional<double>(action));
    }

    void refusesActionsThatAreNotOneDigit_data() {
        QTest::addColumn<int>("action");
        QTest::newRow("none") << 0;
        QTest::newRow("five") << 5;
        QTest::newRow("two digits") << 12;
        QTest::newRow("negative") << -1;
    }
    void refusesActionsThatAreNotOneDigit() {
        QFETCH(int, action);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Diri.dll"));
        QVERIFY(!SettingsFile(path).write(TimerAction(action)));
        QVERIFY(!QFile::exists(path));
    }

    void readsTheFirstLine_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("as written") << QByteArray(" 3 \r\n") << true << 3.0;
        QTest::newRow("bare") << QByteArray("3") << true << 3.0;
        QTest::newRow("tabs and spaces") << QByteArray("\t 2\t \n") << true << 2.0;
        QTest::newRow("seven") << QByteArray("7") << true << 7.0;
        QTest::newRow("zero") << QByteArray("0") << true << 0.0;
        QTest::newRow("signed") << QByteArray(" -1 ") << true << -1.0;
        QTest::newRow("huge") << QByteArray("99999999999999999999999") << true << 1e23;
        QTest::newRow("beyond a double") << QByteArray(QByteArray(400, '9')) << true << HUGE_VAL;
        QTest::newRow("decimal zeros") << QByteArray(" 3.0 \r\n") << true << 3.0;
        QTest::newRow("trailing point") << QByteArray("2.") << true << 2.0;
        QTest::newRow("fraction") << QByteArray("2.5") << true << 2.5;
        QTest::newRow("leading point") << QByteArray(".5") << true << 0.5;
        QTest::newRow("only the first line") << QByteArray(" 2 \r\n 3 \r\n") << true << 2.0;
        QTest::newRow("bare CR ends the line") << QByteArray("1\r4") << true << 1.0;
        QTest::newRow("empty file") << QByteArray() << false << 0.0;
        QTest::newRow("empty first line") << QByteArray("\r\n3\r\n") << false << 0.0;
        QTest::newRow("only spaces") << QByteArray("   \r\n") << false << 0.0;
        QTest::newRow("letters") << QByteArray("abc") << false << 0.0;
        QTest::newRow("digits then letters") << QByteArray("3abc") << false << 0.0;
        QTest::newRow("two numbers") << QByteArray("3 4") << false << 0.0;
        QTest::newRow("lone sign") << QByteArray(" - ") << false << 0.0;
        QTest::newRow("lone point") << QByteArray(" . ") << false << 0.0;
        QTest::newRow("two points") << QByteArray("1.2.3") << false << 0.0;
        QTest::newRow("exponent") << QByteArray("1e0") << false << 0.0;
        QTest::newRow("binary junk") << QByteArray("\x00\xff\x03", 3) << false << 0.0;
    }
    void readsTheFirstLine() {
        QFETCH(QByteArray, content);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const std::optional<double> parsed = SettingsFile::parseFirstLine(content);
        QCOMPARE(parsed.has_value(), isNumber);
        if (isNumber) {
            QCOMPARE(*parsed, value);
        }

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Diri.dll"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        QCOMPARE(SettingsFile(path).read(), parsed);
    }

    void missingOrUnreadableFileReadsAsMissing() {
        QTemporaryDir dir;
        QVERIFY(!SettingsFile(dir.filePath(QStringLiteral("Diri.dll"))).read());
        // A directory where the file should be.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Diri.dll")));
        QVERIFY(!SettingsFile(dir.filePath(QStringLiteral("Diri.dll"))).read());
    }

    void missingDirectoryFails() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("gone/Diri.dll"));
        QVERIFY(!SettingsFile(path).write(TimerAction::Restart));
        QVERIFY(!SettingsFile(path).read());
    }

    void unwritableDirectoryFailsAndKeepsTheOldFile() {
#ifdef Q_OS_UNIX
        if (geteuid() == 0) {
            QSKIP("root writes into read-only directories");
        }
#else
        QSKIP("directory permissions are POSIX here");
#endif
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Diri.dll"));
        QVERIFY(SettingsFile(path).write(TimerAction::LogOff));
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool written = SettingsFile(path).write(TimerAction::ShutDown);
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(!written);
        QCOMPARE(SettingsFile(path).read(), std::optional<double>(3));
    }
};

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
