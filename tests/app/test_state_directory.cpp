// SPDX-License-Identifier: MIT
// Where the state files go: beside a development tree's executable, in the user's data folder
// for an installed copy or a program directory that cannot take files; and the dialogs that
// write them follow that choice.

#include "app_rig.h"
#include "controls.h"
#include "file_bytes.h"
#include "lock_screen.h"
#include "options_dialog.h"
#include "password_dialog.h"
#include "state_directory.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace quellor;

class TestStateDirectory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choosesTheFolder_data() {
        QTest::addColumn<QString>("programDir"); // under the scratch dir; "-" = none there
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("expectProgramDir");
        QTest::newRow("development tree") << "bin" << false << false << true;
        QTest::newRow("installed copy, even when writable") << "lib/quellor" << true << false << false;
        QTest::newRow("read-only program directory") << "bin" << false << true << false;
        QTest::newRow("program directory gone") << "-" << false << false << false;
    }
    void choosesTheFolder() {
        QFETCH(QString, programDir);
        QFETCH(bool, installed);
        QFETCH(bool, readOnly);
        QFETCH(bool, expectProgramDir);
#ifdef Q_OS_UNIX
        if (readOnly && geteuid() == 0) {
            QSKIP("root writes into read-only directories");
        }
#endif
        QTemporaryDir scratch;
        const QString program = scratch.filePath(programDir == "-" ? "missing" : programDir);
        const QString data = scratch.filePath("home/.local/share/quellor");
        if (programDir != "-") {
            QVERIFY(QDir().mkpath(program));
        }
        if (installed) {
            QFile marker(program + "/" + kInstalledMarker);
            QVERIFY(marker.open(QIODevice::WriteOnly));
        }
        if (readOnly) {
            QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        const QStringList before = QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);

        const QString chosen = stateDirectory(program, data);

        if (readOnly) {
            QFile::setPermissions(program,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
        QCOMPARE(chosen, expectProgramDir ? program : data);
        // The data folder is made only when it is the one chosen.
        QCOMPARE(QFileInfo(data).isDir(), !expectProgramDir);
        // Finding out leaves nothing behind in the program directory.
        QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
    }

    void dataFolderThatCannotBeMadeIsStillTheAnswer() {
        QTemporaryDir scratch;
        const QString program = scratch.filePath("lib/quellor");
        QVERIFY(QDir().mkpath(program));
        QFile marker(program + "/" + kInstalledMarker);
        QVERIFY(marker.open(QIODevice::WriteOnly));
        // A file where the folder's parent should be: the writes fail later and are reported
        // there, rather than landing somewhere the user would never look.
        QFile blocker(scratch.filePath("share"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const QString data = scratch.filePath("share/quellor");
        QCOMPARE(stateDirectory(program, data), data);
        QVERIFY(!QFileInfo(data).isDir());
    }

    void userDataDirectoryFollowsXdgDataHome() {
        QTemporaryDir home;
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        const QString dir = userDataDirectory();
        saved.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(dir, home.path() + "/quellor");
    }

    // The dialogs read and write their files in the state folder, never beside the cues.
    void stateFilesLiveInTheStateFolder_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("timer options") << "Diri.dll" << QByteArray(" 2 \r\n");
        QTest::newRow("password") << "pae.dll" << QByteArray("Secret7\r\n");
    }
    void stateFilesLiveInTheStateFolder() {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        AppRig rig;
        QTemporaryDir state;
        rig.services.stateDir = state.path();
        QFile old(state.filePath(file));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(" 3 \r\n");
        old.close();

        if (file == "Diri.dll") {
            Form5& dialog = rig.forms.showOptions();
            QVERIFY(dialog.Op3->isChecked()); // read from there too
            dialog.Op2->setChecked(true);
            QTest::mouseClick(dialog.Command2, Qt::LeftButton);
        } else {
            rig.forms.showMainWindow();
            Form9& dialog = rig.forms.showPasswordDialog();
            QCOMPARE(fileBytes(state.filePath(file)), QByteArray()); // emptied there on opening
            dialog.Text1->setText("Secret7");
            dialog.Text2->setText("Secret7");
            dialog.Command1_Click();
            QVERIFY(rig.forms.lockScreen());
        }

        QCOMPARE(fileBytes(state.filePath(file)), bytes);
        QVERIFY(!QFileInfo::exists(rig.dir.filePath(file)));
        QVERIFY(rig.messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestStateDirectory)
#include "test_state_directory.moc"
