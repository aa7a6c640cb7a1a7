#include "fake_clock.h"
#include "file_dialog.h"
#include "image_read.h"
#include "media_player.h"
#include "paint_on_screen.h"
#include "property_bag.h"
#include "recording_sound.h"
#include "second_ticker.h"
#include "shown_gate.h"
#include "units.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>

using namespace quellor;

namespace {
class ScriptedChooser : public FileChooser {
public:
    QStringList answers;
    QString lastFilter, lastDir;
    QString chooseOpenFile(QWidget*, const QString& filter, const QString& dir) override {
        lastFilter = filter;
        lastDir = dir;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

class PaintCount : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};
} // namespace

class TestRuntime : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rounding_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("half to even down") << 2.5 << 2;
        QTest::newRow("half to even up") << 3.5 << 4;
        QTest::newRow("negative half") << -2.5 << -2;
        QTest::newRow("below half") << 7.4999 << 7;
        QTest::newRow("above half") << 7.5001 << 8;
    }
    void rounding() {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(toInt32(value), expected);
        QCOMPARE(int(toInt16(value)), expected);
    }

    void int16SaturatesInsteadOfWrapping() {
        QCOMPARE(int(toInt16(3840 * 15.0)), 32767);
        QCOMPARE(int(toInt16(-40000.0)), -32768);
    }

    void integerDivisionRoundsOperandsThenTruncates() {
        QCOMPARE(intDiv(-25, 2), -12);
        QCOMPARE(intDiv(255, 15), 17);
        QCOMPARE(intDiv(14.5, 2.5), 7); // 14 / 2
        QCOMPARE(intDiv(300, 5), 60);
    }

    void twipsConversion() {
        const Twips t{15, 15};
        QCOMPARE(t.toPixelsX(4455), 297);
        QCOMPARE(t.toPixelsY(3615), 241);
        QCOMPARE(twipsPerPixel(96), 15.0);
        QCOMPARE(twipsPerPixel(120), 12.0);
        QCOMPARE(rgb(240, 240, 255), 0xFFF0F0u);
    }

    void tickerArmsForTheNextBoundary_data() {
        QTest::addColumn<int>("msec");
        QTest::addColumn<int>("wait");
        QTest::newRow("on the boundary") << 0 << 1002;
        QTest::newRow("mid second") << 300 << 702;
        QTest::newRow("just before") << 999 << 3;
    }
    void tickerArmsForTheNextBoundary() {
        QFETCH(int, msec);
        QFETCH(int, wait);
        QCOMPARE(SecondTicker::msUntilNextSecond(QDateTime(QDate(2026, 1, 1), QTime(7, 5, 9, msec))), wait);
    }

    void tickerTicksOncePerSecondOfTheClock() {
        FakeClock clock(QDateTime(QDate(2026, 1, 1), QTime(7, 5, 9, 990)));
        SecondTicker ticker(clock);
        QSignalSpy spy(&ticker, &SecondTicker::tick);
        ticker.start();
        QVERIFY(spy.wait(500)); // armed for ~12 ms, not a full second
        QCOMPARE(spy.count(), 1);
        ticker.stop();
        QVERIFY(!ticker.isActive());
    }

    void fileDialogReportsTheLastNameAfterACancel() {
        ScriptedChooser chooser;
        FileDialog dialog(chooser);
        dialog.filter = QStringLiteral("MP3 Files (*.mp3)");
        dialog.initialDir = QStringLiteral("/home/u/Desktop");
        dialog.showOpen(nullptr);
        QCOMPARE(dialog.fileName(), QString()); // cancelled, nothing ever chosen
        chooser.answers = {QStringLiteral("/music/a.mp3")};
        dialog.showOpen(nullptr);
        QCOMPARE(dialog.fileName(), QStringLiteral("/music/a.mp3"));
        dialog.showOpen(nullptr); // cancelled again
        QCOMPARE(dialog.fileName(), QStringLiteral("/music/a.mp3"));
        QCOMPARE(chooser.lastDir, QStringLiteral("/home/u/Desktop"));
    }

    void playerStartsOnOpenOnlyWhenSoConfigured() {
        RecordingSound sound;
        MediaPlayer cue(sound, QStringLiteral("Player2"), true, nullptr);
        MediaPlayer alarm(sound, QStringLiteral("Player1"), false, nullptr);
        cue.open(QStringLiteral("/p/2.wav"));
        alarm.open(QStringLiteral("/m/song.mp3"));
        QCOMPARE(sound.log,
                 QStringList({QStringLiteral("Player2 open /p/2.wav"), QStringLiteral("Player2 play"),
                              QStringLiteral("Player1 open /m/song.mp3")}));
        QCOMPARE(alarm.fileName(), QStringLiteral("/m/song.mp3"));
    }

    void propertyBagRules() {
        PropertyBag bag;
        bag.writeProperty(QStringLiteral("ForeColor"), 0, 0); // default: not stored
        bag.writeProperty(QStringLiteral("Caption"), QStringLiteral("A"), QStringLiteral("Lumacore1.0"));
        bag.writeProperty(QStringLiteral("Caption"), QStringLiteral("B"), QStringLiteral("Lumacore1.0"));
        bag.writeProperty(QStringLiteral("标题栏高度"), short(500), 500); // equal across types
        QVERIFY(!bag.contains(QStringLiteral("forecolor")));
        QCOMPARE(bag.entries().size(), 2);
        QCOMPARE(bag.entries().at(0).key, QStringLiteral("caption"));
        QCOMPARE(bag.readProperty(QStringLiteral("CAPTION"), QString()).toString(), QStringLiteral("A"));
        QCOMPARE(bag.readProperty(QStringLiteral("HangDown"), 2).toInt(), 2);

        const auto copy = PropertyBag::deserialize(bag.serialize());
        QVERIFY(copy.has_value());
        QCOMPARE(copy->entries().size(), 2);
        QCOMPARE(copy->readProperty(QStringLiteral("caption")).toString(), QStringLiteral("A"));
        QVERIFY(!PropertyBag::deserialize(QByteArray("garbage")).has_value());
        QVERIFY(!PropertyBag::deserialize(bag.serialize().left(9)).has_value());
    }

    void realPlayerIsSilentForMissingFiles() {
        QtSoundOutput output;
        MediaPlayer player(output, QStringLiteral("Player"), true, nullptr);
        player.open(QStringLiteral("/nonexistent/3.wav")); // must neither block nor crash
        player.open(QString());
        player.play();
        player.halt();
        QCOMPARE(player.fileName(), QString());
    }

    void soundRoute_data() {
        QTest::addColumn<QString>("name"); // empty: no file is made
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("expected");
        const int silent = int(QtSoundOutput::Route::Silent);
        const int effect = int(QtSoundOutput::Route::Effect);
        const int player = int(QtSoundOutput::Route::Player);
        QTest::newRow("cue") << "2.wav" << qint64(20000) << effect;
        QTest::newRow("upper-case suffix") << "ALARM.WAV" << qint64(20000) << effect;
        QTest::newRow("wave at the limit") << "long.wav" << QtSoundOutput::kLongestEffectBytes << effect;
        QTest::newRow("long wave") << "long.wav" << QtSoundOutput::kLongestEffectBytes + 1 << player;
        QTest::newRow("music") << "song.MP3" << qint64(20000) << player;
        QTest::newRow("no suffix") << "song" << qint64(20000) << player;
        QTest::newRow("missing file") << "" << qint64(0) << silent;
    }
    void soundRoute() {
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(int, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString path = dir.filePath(QStringLiteral("absent.wav"));
        if (!name.isEmpty()) {
            path = dir.filePath(name);
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(size));
        }
        QCOMPARE(int(QtSoundOutput::routeFor(path)), expected);
    }

    void soundRouteIsSilentForWhatIsNoFile() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.wav")));
        QCOMPARE(QtSoundOutput::routeFor(dir.filePath(QStringLiteral("folder.wav"))),
                 QtSoundOutput::Route::Silent);
        QCOMPARE(QtSoundOutput::routeFor(QString()), QtSoundOutput::Route::Silent);
    }

    // The multimedia half is a module found beside the program; without it the program is silent.
    void soundModuleLoadsFromTheProgramDirectoryOnly() {
        QtSoundOutput beside;
        QVERIFY(beside.createBackendChannel() != nullptr);
        QVERIFY(beside.createBackendChannel() != nullptr); // one module, any number of channels

        QTemporaryDir empty;
        QtSoundOutput elsewhere(empty.path());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^No sound: ")));
        QVERIFY(elsewhere.createBackendChannel() == nullptr);
        QVERIFY(elsewhere.createBackendChannel() == nullptr); // tried once, not again
        MediaPlayer player(elsewhere, QStringLiteral("Player2"), true, nullptr);
        player.open(QCoreApplication::applicationFilePath()); // a file, so the module is asked for
        player.halt();
        QCoreApplication::sendPostedEvents();
    }

    // The real player works from the event loop; a player that goes (the splash closing) with
    // work still queued must drop it rather than run it on a dead channel.
    void realPlayerDropsQueuedWorkWhenDestroyed() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString wav = dir.filePath(QStringLiteral("3.wav"));
        QFile f(wav);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("RIFF", 4)); // unreadable as sound, but a file: the backend is asked
        f.close();
        {
            QtSoundOutput output;
            MediaPlayer player(output, QStringLiteral("Player"), true, nullptr);
            player.open(wav);
            player.halt();
            QCOMPARE(player.fileName(), wav);
        }
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
    }

    // Work asked for while a window is on its way to the screen waits for it; with nothing on its
    // way it runs at once.
    void shownGate_data() {
        QTest::addColumn<bool>("windowShown");
        QTest::newRow("nothing shown") << false;
        QTest::newRow("window on its way") << true;
    }
    void shownGate() {
        QFETCH(bool, windowShown);
        QWidget window;
        window.resize(100, 100);
        if (windowShown) {
            window.show(); // exposed once the platform's events are handled
        }
        ShownGate gate;
        QObject context;
        int ran = 0;
        bool exposedWhenRun = false;
        gate.run(&context, [&] {
            ++ran;
            exposedWhenRun = window.windowHandle() && window.windowHandle()->isExposed();
        });
        QCOMPARE(ran, windowShown ? 0 : 1);
        QTRY_COMPARE(ran, 1);
        QCOMPARE(exposedWhenRun, windowShown);
        QVERIFY(gate.isOpen());
        gate.run(&context, [&] { ++ran; }); // open for good
        QCOMPARE(ran, 2);
    }

    void shownGateKeepsOrderAndDropsWorkWhoseContextWent() {
        QWidget window;
        window.resize(100, 100);
        window.show();
        ShownGate gate;
        QObject kept;
        auto gone = std::make_unique<QObject>();
        QStringList ran;
        gate.run(&kept, [&] { ran << QStringLiteral("first"); });
        gate.run(gone.get(), [&] { ran << QStringLiteral("dropped"); });
        gate.run(&kept, [&] { ran << QStringLiteral("third"); });
        gone.reset();
        QVERIFY(ran.isEmpty());
        QTRY_VERIFY(gate.isOpen());
        QCOMPARE(ran, (QStringList{QStringLiteral("first"), QStringLiteral("third")}));
    }

    // Pictures are read in the format named, never in one guessed from their bytes.
    void readImageInTheNamedFormat_data() {
        QTest::addColumn<QByteArray>("savedAs");
        QTest::addColumn<QByteArray>("readAs");
        QTest::addColumn<bool>("readable");
        QTest::newRow("png as png") << QByteArray("PNG") << QByteArray("PNG") << true;
        QTest::newRow("bmp as bmp") << QByteArray("BMP") << QByteArray("BMP") << true;
        QTest::newRow("png as bmp") << QByteArray("PNG") << QByteArray("BMP") << false;
        QTest::newRow("bmp as png") << QByteArray("BMP") << QByteArray("PNG") << false;
    }
    void readImageInTheNamedFormat() {
        QFETCH(QByteArray, savedAs);
        QFETCH(QByteArray, readAs);
        QFETCH(bool, readable);
        QImage picture(5, 3, QImage::Format_RGB32);
        picture.fill(QColor(10, 200, 30));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(picture.save(&buffer, savedAs.constData()));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("picture.img"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        for (const QImage& read :
             {readImageData(bytes, readAs.constData()), readImage(path, readAs.constData())}) {
            QCOMPARE(!read.isNull(), readable);
            if (readable) {
                QCOMPARE(read.size(), QSize(5, 3));
                QCOMPARE(read.pixelColor(4, 2), QColor(10, 200, 30));
            }
        }
        QCOMPARE(readIcon(path, readAs.constData()).isNull(), !readable);
        QVERIFY(readImage(dir.filePath(QStringLiteral("missing.png")), "PNG").isNull());
    }
    // A field whose window has carried it off every screen does not repaint; once any of it is
    // back on a screen it repaints, with the text it got meanwhile.
    void paintOnScreen_data() {
        QTest::addColumn<QPoint>("windowAt");
        QTest::addColumn<bool>("painting");
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        // The window's inside is 200 x 100, with the field at (10, 50), 100 x 30.
        QTest::newRow("on screen") << QPoint(10, 10) << true;
        QTest::newRow("parked, two rows showing") << QPoint(10, screen.top() - 98) << false;
        QTest::newRow("field's last row showing") << QPoint(10, screen.top() - 79) << true;
        QTest::newRow("field just above the edge") << QPoint(10, screen.top() - 80) << false;
        QTest::newRow("off the right edge") << QPoint(screen.right() + 1, 10) << false;
    }
    void paintOnScreen() {
        QFETCH(QPoint, windowAt);
        QFETCH(bool, painting);
        QWidget window;
        window.setGeometry(10, 10, 200, 100);
        auto* field = new QLineEdit(&window);
        field->setGeometry(10, 50, 100, 30);
        new PaintOnScreen(field);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(field->updatesEnabled());

        window.setGeometry(QRect(windowAt, window.size())); // the inside, whatever the frame
        QTRY_COMPARE(window.geometry().topLeft(), windowAt);
        QTRY_COMPARE(field->updatesEnabled(), painting);

        // What the platform exposes when a window moves is its own affair; the field's own
        // requests are what stop, and coming back repaints it with the text it got meanwhile.
        PaintCount paints;
        field->installEventFilter(&paints);
        field->setText(QStringLiteral("12:00:01"));
        if (painting) {
            QTRY_VERIFY(paints.count > 0);
            return;
        }
        QTest::qWait(50);
        paints.count = 0;
        window.setGeometry(10, 10, 200, 100);
        QTRY_VERIFY(field->updatesEnabled());
        QTRY_VERIFY(paints.count > 0); // the text it got while away
    }
};

QTEST_MAIN(TestRuntime)
#include "test_runtime.moc"
