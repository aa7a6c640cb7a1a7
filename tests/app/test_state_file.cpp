// SPDX-License-Identifier: MIT
// The two state files in bad states: whatever sits at their paths, nothing but a regular file is
// read, emptied or replaced, nothing blocks, and a full disk leaves the old file and says so.
#include "app_fixture.h"
#include "controls.h"
#include "file_bytes.h"
#include "lock_screen.h"
#include "password_dialog.h"
#include "password_store.h"
#include "settings_file.h"
#include "state_file.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace quellor;

namespace {

// What sits at the path, so a test can tell it was left alone.
QString describe(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        return QStringLiteral("missing");
    }
    return QStringLiteral("mode %1 size %2").arg(st.st_mode, 0, 8).arg(st.st_size);
}

// A small tmpfs filled to the last byte; unmounted on destruction.
struct FullDisk {
    QString dir;
    bool mounted = false;
    explicit FullDisk(const QString& at) : dir(at) {
        QDir().mkpath(dir);
        mounted = ::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullDisk() {
        if (mounted) {
            ::umount2(QFile::encodeName(dir).constData(), MNT_DETACH);
        }
    }
    void fill() const {
        QFile filler(dir + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return;
        }
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
};

} // namespace

class TestStateFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyARegularFileIsTouched_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"symlink", "dangling symlink", "fifo", "directory", "device"}) {
            QTest::newRow(kind) << QString::fromLatin1(kind);
        }
    }
    void onlyARegularFileIsTouched() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString target = dir.filePath("target");
        const QByteArray targetBytes(" 2 \r\nsecret\r\n");
        QVERIFY(writeFileBytes(target, targetBytes));
        ::chmod(QFile::encodeName(target).constData(), 0644);
        for (const QString name : {"Diri.dll", "pae.dll"}) {
            const QString path = dir.filePath(name);
            const QByteArray native = QFile::encodeName(path);
            if (kind == "symlink") {
                QVERIFY(QFile::link(target, path));
            } else if (kind == "dangling symlink") {
                QVERIFY(QFile::link(dir.filePath("nowhere"), path));
            } else if (kind == "fifo") {
                QCOMPARE(::mkfifo(native.constData(), 0600), 0);
            } else if (kind == "directory") {
                QVERIFY(QDir(dir.path()).mkdir(name));
            } else if (::mknod(native.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
                QSKIP("SKIP: creating a device node needs root");
            }
        }
        const QString settingsPath = dir.filePath("Diri.dll");
        const QString passwordPath = dir.filePath("pae.dll");
        const QString settingsBefore = describe(settingsPath), passwordBefore = describe(passwordPath);

        // A FIFO with no writer would hang any of these for good.
        SettingsFile settings(settingsPath);
        QCOMPARE(settings.read(), std::nullopt);
        QCOMPARE(settings.readChoice(), TimerAction::ShutDown);
        QVERIFY(!settings.write(TimerAction::Restart));
        PasswordStore store(passwordPath);
        QCOMPARE(store.read(), std::nullopt);
        QVERIFY(!store.clear());
        QVERIFY(!store.write("pw"));

        QCOMPARE(describe(settingsPath), settingsBefore);
        QCOMPARE(describe(passwordPath), passwordBefore);
        QCOMPARE(fileBytes(target), targetBytes);
        QVERIFY(!QFile::exists(dir.filePath("nowhere")));
        QCOMPARE(QFileInfo(target).permissions() & QFile::ReadOther, QFile::ReadOther); // not chmodded
        QCOMPARE(
            QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot).size(),
            3); // no temporary left behind
    }

    void readsAFewKilobytesAtMost_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("passwordReadable");
        QTest::addColumn<TimerAction>("choice");
        const QByteArray huge(8 * 1024 * 1024, '7');
        QTest::newRow("short line, huge rest") << QByteArray(" 3 \r\n") + huge << true << TimerAction::LogOff;
        QTest::newRow("one huge line") << huge << false << TimerAction::Wait;
    }
    void readsAFewKilobytesAtMost() {
        QFETCH(QByteArray, content);
        QFETCH(bool, passwordReadable);
        QFETCH(TimerAction, choice);
        QTemporaryDir dir;
        const QString path = dir.filePath("state");
        QVERIFY(writeFileBytes(path, content));
        const state_file::ReadResult read = state_file::read(path);
        QCOMPARE(read.status, state_file::ReadStatus::Ok);
        QCOMPARE(read.bytes.size(), state_file::kReadLimit);
        QVERIFY(read.truncated);
        QCOMPARE(PasswordStore(path).read().has_value(), passwordReadable);
        QCOMPARE(SettingsFile(path).readChoice(), choice);
    }

    void aFullDiskKeepsTheOldFileAndReportsFailure() {
        if (::geteuid() != 0) {
            std::puts("SKIP: mounting a small tmpfs needs root");
            QSKIP("mounting a small tmpfs needs root");
        }
        QTemporaryDir dir;
        const FullDisk disk(dir.filePath("disk"));
        if (!disk.mounted) {
            std::puts("SKIP: this system does not let the test mount a tmpfs");
            QSKIP("cannot mount a tmpfs here");
        }
        const QString settingsPath = disk.dir + "/Diri.dll";
        QVERIFY(writeFileBytes(settingsPath, " 3 \r\n"));
        disk.fill();

        QVERIFY(!SettingsFile(settingsPath).write(TimerAction::Restart));
        QCOMPARE(fileBytes(settingsPath), QByteArray(" 3 \r\n"));

        // The password dialog: its warning, and no lock without a stored password.
        AppFixture app;
        app.services.stateDir = disk.dir;
        app.forms.showMainWindow();
        Form9& dialog = app.forms.showPasswordDialog();
        dialog.Text1->setText("a password that does not fit");
        dialog.Text2->setText(dialog.Text1->text());
        dialog.Command1_Click();
        QCOMPARE(app.messages.shown.size(), 1);
        QCOMPARE(app.messages.shown[0].text, Form9::unwritableText(disk.dir + "/pae.dll"));
        QVERIFY(!app.forms.lockScreen());
        QCOMPARE(fileBytes(disk.dir + "/pae.dll"), QByteArray());
        QCOMPARE(QDir(disk.dir).entryList(QDir::Files).size(), 3); // no temporary left behind
    }
};

QTEST_MAIN(TestStateFile)
#include "test_state_file.moc"
