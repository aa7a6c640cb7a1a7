// SPDX-License-Identifier: MIT

#include "about_dialog.h"
#include "app_fixture.h"
#include "controls.h"
#include "file_bytes.h"
#include "font_faces.h"
#include "main_window.h"
#include "single_instance.h"
#include "splash_screen.h"
#include "startup.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <sys/stat.h>

using namespace quellor;

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFaceSubstitutions(); }

    // The Windows faces the forms name resolve to the closest faces the program's packages install.
    void windowsFacesResolveToInstalledOnes_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("resolved"); // the start of the installed face's name
        QTest::newRow("宋体, a Song serif") << "宋体"
                                            << "AR PL UMing";
        QTest::newRow("幼圆, a CJK sans") << "幼圆"
                                          << "WenQuanYi";
        QTest::newRow("Tahoma, a sans") << "Tahoma"
                                        << "DejaVu Sans";
        QTest::newRow("MS Sans Serif, a sans") << "MS Sans Serif"
                                               << "DejaVu Sans";
    }
    void windowsFacesResolveToInstalledOnes() {
        QFETCH(QString, face);
        QFETCH(QString, resolved);
        const QString family = QFontInfo(makeFont(face, 10.5, true)).family();
        QVERIFY2(family.startsWith(resolved), qPrintable(family));
    }

    void secondInstanceIsWarnedAndEnds() {
        AppFixture app;
        const QString lock = app.dir.path() + QStringLiteral("/instance.lock");
        SingleInstance first(lock);
        Startup firstStart(app.forms, first);
        QVERIFY(firstStart.run());
        QVERIFY(app.forms.splash());

        AppFixture other;
        SingleInstance second(lock);
        Startup secondStart(other.forms, second);
        QVERIFY(!secondStart.run());
        QCOMPARE(other.messages.shown.size(), 1);
        QCOMPARE(other.messages.shown[0].text, QStringLiteral("程序已在运行,不能重复运行!"));
        QCOMPARE(other.messages.shown[0].title, QStringLiteral("警告"));
        QCOMPARE(other.messages.shown[0].icon, MessageIcon::Warning);
        QVERIFY(!other.forms.splash());
        QVERIFY(!other.forms.mainWindowLoaded());
        QVERIFY(app.messages.shown.isEmpty()); // the first is untouched
    }

    // Only a lock held by a live copy stops the start, with a box unless that copy's lock screen
    // stands above where the box would be; anything else in the lock's way is said on the standard
    // error stream, and the program starts without reading or waiting on it.
    void lockFileInTheWay_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<bool>("said");
        QTest::addColumn<int>("boxes");
        QTest::newRow("held by a live copy") << "held" << false << false << 1;
        QTest::newRow("held by a copy whose lock stands") << "held locked" << false << false << 0;
        QTest::newRow("held by a copy unlocked again") << "held unlocked" << false << false << 1;
        QTest::newRow("left by a dead copy") << "dead" << true << false << 0;
        QTest::newRow("a stray file") << "stray" << true << false << 0;
        QTest::newRow("a 1 GB sparse file") << "sparse" << true << false << 0;
        QTest::newRow("a folder in its place") << "folder" << true << true << 0;
        QTest::newRow("a FIFO in its place") << "fifo" << true << true << 0;
        QTest::newRow("a symlink to /dev/zero") << "zero" << true << true << 0;
        QTest::newRow("its folder missing") << "nofolder" << true << true << 0;
    }
    void lockFileInTheWay() {
        QFETCH(QString, setup);
        QFETCH(bool, starts);
        QFETCH(bool, said);
        QFETCH(int, boxes);
        AppFixture app;
        QString lock = app.dir.filePath("instance.lock");
        const QByteArray native = QFile::encodeName(lock);
        SingleInstance holder(lock);
        if (setup.startsWith("held")) {
            QCOMPARE(holder.acquire(), SingleInstance::Result::Acquired);
            holder.setLocked(setup != "held");
            if (setup == "held unlocked") {
                holder.setLocked(false);
            }
        } else if (setup == "dead") {
            // A lock file naming a process that has ended, as a crashed copy leaves it.
            QProcess gone;
            gone.start("true", {});
            QVERIFY(gone.waitForStarted());
            const qint64 pid = gone.processId();
            QVERIFY(gone.waitForFinished());
            QVERIFY(writeFileBytes(lock, QByteArray::number(pid) + "\nlocked\n"));
        } else if (setup == "stray") {
            QVERIFY(writeFileBytes(lock, "not a lock\n"));
        } else if (setup == "sparse") {
            QFile f(lock);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(qint64(1) << 30));
        } else if (setup == "folder") {
            QVERIFY(QDir(app.dir.path()).mkdir("instance.lock"));
        } else if (setup == "fifo") {
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        } else if (setup == "zero") {
            QVERIFY(QFile::link("/dev/zero", lock));
        } else {
            lock = app.dir.filePath("missing/instance.lock");
        }
        SingleInstance instance(lock);
        Startup start(app.forms, instance);
        QCOMPARE(start.run(), starts);
        QCOMPARE(bool(app.forms.splash()), starts);
        QCOMPARE(app.messages.shown.size(), boxes);
        QCOMPARE(!instance.why().isEmpty(), said);
        if (starts && !said) {
            QCOMPARE(QFileInfo(lock).size(),
                     QByteArray::number(QCoreApplication::applicationPid()).size() + 1);
        }
    }

    void splashTickTable() {
        AppFixture app;
        app.forms.showSplash();
        Form3* s = app.forms.splash();
        QVERIFY(s);
        QCOMPARE(app.sound.log.first(),
                 QStringLiteral("Player open ") + app.dir.path() + QStringLiteral("/3.wav"));
        QCOMPARE(s->Timer1->interval(), 500);
        const QList<double> tops{2500, 2400, 2500, 2400, 2500, 2400};
        for (int tick = 1; tick <= 6; ++tick) {
            s->Timer1_Timer();
            QCOMPARE(s->picture2Top(), tops[tick - 1]);
            QVERIFY(s->Picture2->isVisibleTo(s));
        }
        s->Timer1_Timer(); // 7
        QVERIFY(!s->Picture2->isVisibleTo(s));
        const QImage before = s->Picture1->surface();
        s->Timer1_Timer(); // 8: the first paint burst
        const QImage after = s->Picture1->surface();
        QVERIFY(before != after);
        // The burst ends with the tallest strip: 3660 x 890 twips at (1800, 2400) = 244 x 59 px at (120,
        // 160).
        const QRect changed(120, 160, 244, 59);
        QVERIFY(after.pixel(changed.bottomLeft() + QPoint(1, 0)) !=
                    before.pixel(changed.bottomLeft() + QPoint(1, 0)) ||
                after.copy(changed) != before.copy(changed));
        QCOMPARE(after.copy(QRect(0, 0, 100, 100)), before.copy(QRect(0, 0, 100, 100)));
        for (int tick = 9; tick <= 13; ++tick) {
            s->Timer1_Timer();
            QVERIFY(!app.forms.mainWindowLoaded());
        }
        QPointer<Form3> guard(s);
        s->Timer1_Timer(); // 14
        QVERIFY(app.sound.log.contains(QStringLiteral("Player halt")));
        QVERIFY(app.forms.mainWindowLoaded());
        QVERIFY(app.forms.mainWindow().isVisible());
        QTRY_VERIFY(guard.isNull()); // unloaded
    }

    void aboutTextAndReuse() {
        AppFixture app;
        Form4& about = app.forms.showAbout();
        const QStringList lines = about.Text1->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("软件名称：Quellor4.0"));
        QCOMPARE(lines[1], QString(29, QLatin1Char('*')));
        QCOMPARE(Form4::aboutText().count(QStringLiteral("\r\n")), 4);
        // Each line on one line of the box, all of them within it: no scroll bar.
        QPlainTextEdit* box = about.Text1;
        const int needed = int(lines.size() * QFontMetricsF(box->font()).lineSpacing() +
                               2 * box->document()->documentMargin() + 0.999);
        const int room = box->height() - 2 * box->frameWidth();
        QVERIFY2(needed <= room, qPrintable(QString("%1 px needed, %2 there").arg(needed).arg(room)));
        QTRY_VERIFY(!box->verticalScrollBar()->isVisible() && !box->horizontalScrollBar()->isVisible());
        for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next()) {
            QCOMPARE(b.layout()->lineCount(), 1);
        }
        QCOMPARE(about.windowTitle(), QStringLiteral("软件说明"));
        QVERIFY((about.geometry().center() - QGuiApplication::primaryScreen()->geometry().center())
                    .manhattanLength() <= 1);

        about.Text1->setPlainText(QStringLiteral("changed")); // a reload would restore the text
        QTest::mouseClick(about.Command2, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(app.sound.log.last(), QStringLiteral("Player play"));
        QVERIFY(app.sound.log.contains(QStringLiteral("Player open ") + app.dir.path() +
                                       QStringLiteral("/6.wav")));
        Form4& again = app.forms.showAbout();
        QCOMPARE(&again, &about);
        QCOMPARE(again.Text1->toPlainText(), QStringLiteral("changed"));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
