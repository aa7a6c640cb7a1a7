// SPDX-License-Identifier: MIT

#include "app_fixture.h"
#include "controls.h"
#include "file_bytes.h"
#include "lock_screen.h"
#include "main_window.h"
#include "password_dialog.h"
#include "password_store.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

using namespace quellor;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QVERIFY(writeFileBytes(path, bytes));
}

constexpr QFile::Permissions kOwnerOnly =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;

Form9& openDialog(AppFixture& app) {
    app.forms.showMainWindow();
    return app.forms.showPasswordDialog();
}

} // namespace

class TestPassword : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void okStoresExactlyOneLine_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("a password") << QByteArray() << "Secret7" << QByteArray("Secret7\r\n");
        QTest::newRow("empty: the line end alone") << QByteArray() << "" << QByteArray("\r\n");
        QTest::newRow("shorter than before: nothing of the old one")
            << QByteArray("a much longer password\r\n") << "ab" << QByteArray("ab\r\n");
        QTest::newRow("spaces kept") << QByteArray() << " a b " << QByteArray(" a b \r\n");
        QTest::newRow("local 8-bit text") << QByteArray() << "密码" << QString("密码").toLocal8Bit() + "\r\n";
    }
    void okStoresExactlyOneLine() {
        QFETCH(QByteArray, before);
        QFETCH(QString, password);
        QFETCH(QByteArray, bytes);
        AppFixture app;
        const QString path = app.services.statePath("pae.dll");
        if (!before.isEmpty()) {
            writeBytes(path, before);
        }
        Form9& dialog = openDialog(app);
        QCOMPARE(fileBytes(path), QByteArray()); // emptied as the dialog loads
        dialog.Text1->setText(password);
        dialog.Text2->setText(password);
        dialog.Command1_Click();
        QCOMPARE(fileBytes(path), bytes);
        QCOMPARE(QFile::permissions(path), kOwnerOnly);
        QCOMPARE(app.messages.shown.size(), 0);
        QCOMPARE(app.forms.passwordStore().read(), std::optional<QString>(password));
    }

    void okLocksHidesTheMainWindowAndUnloadsTheDialog() {
        AppFixture app;
        Form9& dialog = openDialog(app);
        QPointer<Form9> guard(&dialog);
        dialog.Text1->setText("pw");
        dialog.Text2->setText("pw");
        dialog.Command1_Click();
        QVERIFY(app.forms.lockScreen());
        QVERIFY(app.forms.lockScreen()->isVisible());
        QVERIFY(app.forms.mainWindowLoaded());
        QVERIFY(!app.forms.mainWindow().isVisible());
        QTRY_VERIFY(guard.isNull());
        // Hidden, not unloaded: the clock and the schedule keep running under the lock.
        QVERIFY(app.forms.mainWindow().Timer1->isActive());
    }

    void differingEntriesAreReportedAndKept_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("letter case") << "Secret"
                                     << "secret";
        QTest::newRow("trailing space") << "abc"
                                        << "abc ";
        QTest::newRow("second empty") << "abc"
                                      << "";
        QTest::newRow("first empty") << ""
                                     << "abc";
    }
    void differingEntriesAreReportedAndKept() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        AppFixture app;
        Form9& dialog = openDialog(app);
        dialog.Text1->setText(first);
        dialog.Text2->setText(second);
        dialog.Command1_Click();
        QCOMPARE(app.messages.shown.size(), 1);
        QCOMPARE(app.messages.shown[0].text, QString("上下密码不一致?"));
        QCOMPARE(app.messages.shown[0].title, QString("消息"));
        QCOMPARE(app.messages.shown[0].icon, MessageIcon::Information);
        QCOMPARE(dialog.Text1->text(), first);
        QCOMPARE(dialog.Text2->text(), second);
        QVERIFY(dialog.isVisible());
        QVERIFY(!app.forms.lockScreen());
        QVERIFY(app.forms.mainWindow().isVisible());
        QCOMPARE(fileBytes(app.services.statePath("pae.dll")), QByteArray());
    }

    void cancelLeavesAnEmptyOwnerOnlyFile() {
        AppFixture app;
        const QString path = app.services.statePath("pae.dll");
        writeBytes(path, "old\r\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        Form9& dialog = openDialog(app);
        QPointer<Form9> guard(&dialog);
        dialog.Text1->setText("typed");
        dialog.Text2->setText("typed");
        dialog.Command2_Click();
        QTRY_VERIFY(guard.isNull());
        QCOMPARE(fileBytes(path), QByteArray());
        QCOMPARE(QFile::permissions(path), kOwnerOnly);
        QVERIFY(!app.forms.lockScreen());
        QVERIFY(app.forms.mainWindow().isVisible());
    }

    void reopeningLoadsAFreshDialog() {
        AppFixture app;
        Form9& first = openDialog(app);
        QPointer<Form9> guard(&first);
        first.Text1->setText("x");
        first.Command2_Click();
        QTRY_VERIFY(guard.isNull());
        Form9& second = app.forms.showPasswordDialog();
        QCOMPARE(second.Text1->text(), QString());
        QCOMPARE(second.Text1->echoMode(), QLineEdit::Password);
    }

    void aFileThatCannotBeWrittenIsReportedAndDoesNotLock() {
        AppFixture app;
        // A directory in the file's place cannot be written, whoever runs the test.
        QVERIFY(QDir(app.dir.path()).mkdir("pae.dll"));
        Form9& dialog = openDialog(app);
        dialog.Text1->setText("pw");
        dialog.Text2->setText("pw");
        dialog.Command1_Click();
        QCOMPARE(app.messages.shown.size(), 1);
        QCOMPARE(app.messages.shown[0].title, QString("警告"));
        QCOMPARE(app.messages.shown[0].icon, MessageIcon::Warning);
        QVERIFY(
            app.messages.shown[0].text.contains(QDir::toNativeSeparators(app.services.statePath("pae.dll"))));
        QVERIFY(!app.forms.lockScreen());
        QVERIFY(app.forms.mainWindow().isVisible());
        QVERIFY(dialog.isVisible());
        QCOMPARE(app.platform.powerActions(), 0);
    }

    void pastedLineBreaksNeverReachThePassword_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("kept");
        QTest::newRow("LF inside") << "Pw\n4"
                                   << "Pw4";
        QTest::newRow("CR LF at the end") << "secret\r\n"
                                          << "secret";
        QTest::newRow("lone CR") << "a\rb"
                                 << "ab";
        QTest::newRow("Unicode line separators") << "a\u2028b\u2029c\u0085d"
                                                 << "abcd";
        QTest::newRow("a line break alone") << "\n"
                                            << "";
    }
    void pastedLineBreaksNeverReachThePassword() {
        QFETCH(QString, clipboard);
        QFETCH(QString, kept);
        AppFixture app;
        QGuiApplication::clipboard()->setText(clipboard);
        Form9& dialog = openDialog(app);
        dialog.Text1->paste();
        dialog.Text2->paste();
        QCOMPARE(dialog.Text1->text(), kept);
        QCOMPARE(dialog.Text2->text(), kept);
        dialog.Command1_Click();
        QCOMPARE(fileBytes(app.services.statePath("pae.dll")), kept.toLocal8Bit() + "\r\n");
        // Pasted the same way on the lock, it unlocks.
        Form10& lock = *app.forms.lockScreen();
        for (int i = 0; i < Form10::kMovesToShowBox; ++i) {
            lock.Form_MouseMove();
        }
        lock.Text1->paste();
        QCOMPARE(lock.Text1->text(), kept);
        lock.Command1_Click();
        QVERIFY(app.forms.mainWindow().isVisible());
        QCOMPARE(app.messages.shown.size(), 0);
    }

    void storeReadsTheFirstLineOnly_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("line");
        QTest::newRow("one line") << QByteArray("pw\r\n") << true << "pw";
        QTest::newRow("line end alone") << QByteArray("\r\n") << true << "";
        QTest::newRow("no line end") << QByteArray("pw") << true << "pw";
        QTest::newRow("no CR LF: a bare LF ends it") << QByteArray("pw\nmore") << true << "pw";
        // What an earlier version stored for a pasted line break: the same paste now gives "abcd".
        QTest::newRow("lone LF before the CR LF") << QByteArray("ab\ncd\r\n") << true << "abcd";
        QTest::newRow("lone CR before the CR LF") << QByteArray("ab\rcd\r\n") << true << "abcd";
        QTest::newRow("second line ignored") << QByteArray("one\r\ntwo\r\n") << true << "one";
        QTest::newRow("0 bytes: no line") << QByteArray() << false << "";
    }
    void storeReadsTheFirstLineOnly() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readable);
        QFETCH(QString, line);
        QTemporaryDir dir;
        PasswordStore store(dir.filePath("pae.dll"));
        writeBytes(store.path(), bytes);
        const std::optional<QString> got = store.read();
        QCOMPARE(got.has_value(), readable);
        if (readable) {
            QCOMPARE(*got, line);
        }
    }

    void checkFallsBackToWhatThisRunStored() {
        QTemporaryDir dir;
        PasswordStore store(dir.filePath("pae.dll"));
        QCOMPARE(store.readForCheck(), std::nullopt); // missing, nothing stored
        QVERIFY(store.write("mine"));
        writeBytes(store.path(), "edited\r\n");
        QCOMPARE(store.readForCheck(), std::optional<QString>("edited")); // the file wins
        QVERIFY(QFile::remove(store.path()));
        QCOMPARE(store.readForCheck(), std::optional<QString>("mine"));
        QVERIFY(store.clear());
        QCOMPARE(store.readForCheck(), std::nullopt); // emptied, and nothing stored since
    }
};

QTEST_MAIN(TestPassword)
#include "test_password.moc"
