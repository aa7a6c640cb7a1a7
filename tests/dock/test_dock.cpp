// SPDX-License-Identifier: MIT

#include "controls.h"
#include "fake_platform.h"
#include "form_taskbar.h"
#include "property_bag.h"
#include "recording_messages.h"

#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace quellor;

namespace {

using StoredBag = QList<QPair<QString, QVariant>>;

// Logs the dock's signals by name, in the order they are raised.
class EventLog : public QObject {
    Q_OBJECT
public:
    explicit EventLog(QObject* source) {
        const QMetaObject* mo = source->metaObject();
        const QMetaMethod slot = metaObject()->method(metaObject()->indexOfSlot("record()"));
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
            if (mo->method(i).methodType() == QMetaMethod::Signal) {
                connect(source, mo->method(i), this, slot);
            }
        }
    }
    QStringList take() { return std::exchange(names, {}); }
    QStringList names;

public Q_SLOTS:
    void record() {
        names << QString::fromLatin1(sender()->metaObject()->method(senderSignalIndex()).name());
    }
};

// A frameless top-level host of Form1's size (297 x 241 pixels) with a dock on it, the platform
// answering the host's live geometry.
struct Rig {
    FakePlatform platform;
    RecordingMessages messages;
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
    Form_TaskBar* dock = new Form_TaskBar(host.get(), platform, messages);
    EventLog log{dock};

    explicit Rig(ScreenRect desktop = {0, 0, 1024, 768}, QSize size = {297, 241}) {
        platform.desktop = desktop;
        host->setGeometry(100, 150, size.width(), size.height());
        // Only the host's native window as it is now is known: asking about an old one finds nothing.
        platform.resolveWindow = [this](WindowId window) {
            if (window != id()) {
                return ScreenRect{};
            }
            const QRect r = host->frameGeometry();
            return ScreenRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        };
    }
    WindowId id() const {
        host->winId();
        return static_cast<WindowId>(host->windowHandle()->winId());
    }
    int top() const { return host->frameGeometry().top(); }
    int left() const { return host->frameGeometry().left(); }
    QTimer* timer(const char* name) const { return dock->findChild<QTimer*>(QLatin1String(name)); }
    bool sliding() const { return timer("tmrSliding")->isActive(); }

    void start() { dock->tmrDelayedInit_Timer(); }
    void cursorAt(int x, int y) {
        platform.cursor = {x, y};
        dock->tmrCheckMouseOver_Timer();
    }
    void foreground(bool hostIsForeground) {
        platform.foreground = hostIsForeground ? id() : 0;
        dock->tmrAppFocus_Timer();
    }
    // One slide tick; returns the host's top after it.
    int tick() {
        dock->tmrSliding_Timer();
        return top();
    }
    // Runs the slide to its end; returns the number of ticks it took.
    int finishSlide() {
        int ticks = 0;
        while (sliding() && ticks < 10000) {
            tick();
            ++ticks;
        }
        return ticks;
    }
    void overHost() { cursorAt(left() + 10, top() + host->height() - 1); }
    void awayFromHost() { cursorAt(left() + 10, 700); }
};

} // namespace

class TestDock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        // Every twips figure below assumes 15 twips per pixel, as the offscreen screen reports.
        QCOMPARE(screenTwips().y, 15.0);
    }

    void createdWithOnlyTheStartUpTimerRunning() {
        Rig rig;
        QVERIFY(rig.timer("tmrDelayedInit")->isActive());
        QCOMPARE(rig.timer("tmrDelayedInit")->interval(), 1);
        for (const char* name : {"tmrCheckMouseOver", "tmrAppFocus", "tmrSliding"}) {
            QVERIFY2(!rig.timer(name)->isActive(), name);
            QCOMPARE(rig.timer(name)->interval(), 0);
        }
        const auto* face = rig.dock->findChild<QLabel*>(QStringLiteral("Label1"));
        QVERIFY(face);
        QCOMPARE(face->text(), QStringLiteral("TaskBar"));
        QVERIFY(rig.platform.calls.empty());
    }

    void startUpParksTheHostCentred_data() {
        QTest::addColumn<ScreenRect>("desktop");
        QTest::addColumn<int>("hangDown");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("parked");
        QTest::newRow("defaults leave a 2-pixel strip")
            << ScreenRect{0, 0, 1024, 768} << 2 << QSize(297, 241) << QPoint(364, -239);
        // (3840 * 15 - 297 * 15) / 2 twips = 1771.5 pixels, rounded half to even.
        QTest::newRow("3840-pixel desktop")
            << ScreenRect{0, 0, 3840, 2160} << 2 << QSize(297, 241) << QPoint(1772, -239);
        QTest::newRow("desktop taller than 16 bits of twips")
            << ScreenRect{0, 0, 1024, 4000} << 2 << QSize(297, 2500) << QPoint(364, -2498);
        // -1280 + (3200 - 297) / 2 = 171.5 pixels.
        QTest::newRow("desktop starting left of the primary")
            << ScreenRect{-1280, 0, 1920, 1024} << 2 << QSize(297, 241) << QPoint(172, -239);
        QTest::newRow("desktop starting above the primary")
            << ScreenRect{0, -600, 1024, 768} << 2 << QSize(297, 241) << QPoint(364, -839);
        QTest::newRow("strip of 0 hides the host")
            << ScreenRect{0, 0, 1024, 768} << 0 << QSize(297, 241) << QPoint(364, -241);
        QTest::newRow("negative strip held at 0")
            << ScreenRect{0, 0, 1024, 768} << -50 << QSize(297, 241) << QPoint(364, -241);
        QTest::newRow("strip taller than the host held at its height")
            << ScreenRect{0, 0, 1024, 768} << 500 << QSize(297, 241) << QPoint(364, 0);
    }
    void startUpParksTheHostCentred() {
        QFETCH(ScreenRect, desktop);
        QFETCH(int, hangDown);
        QFETCH(QSize, size);
        QFETCH(QPoint, parked);
        Rig rig(desktop, size);
        rig.dock->setHangDown(static_cast<qint16>(hangDown));
        rig.start();
        QCOMPARE(QPoint(rig.left(), rig.top()), parked);
        QCOMPARE(rig.host->size(), size);
        const std::string id = std::to_string(rig.id());
        QCOMPARE(rig.platform.calls,
                 (std::vector<std::string>{"makeDock(" + id + ")", "setTopmost(" + id + ")"}));
        QVERIFY(!rig.timer("tmrDelayedInit")->isActive());
        QCOMPARE(rig.timer("tmrCheckMouseOver")->interval(), 200);
        QCOMPARE(rig.timer("tmrAppFocus")->interval(), 200);
        QVERIFY(rig.timer("tmrCheckMouseOver")->isActive() && rig.timer("tmrAppFocus")->isActive());
        QVERIFY(!rig.sliding());
        QVERIFY(!rig.dock->IsTaskbarOut());
    }

    void parentNotATopLevelWindowLeavesTheDockInert_data() {
        QTest::addColumn<bool>("nested");
        QTest::newRow("no parent") << false;
        QTest::newRow("child of a child widget") << true;
    }
    void parentNotATopLevelWindowLeavesTheDockInert() {
        QFETCH(bool, nested);
        FakePlatform platform;
        RecordingMessages messages;
        QWidget window;
        window.setGeometry(100, 150, 297, 241);
        auto* panel = new QWidget(&window);
        Form_TaskBar dock(nested ? panel : nullptr, platform, messages);
        // A modal box would run the event loop; the start-up timer must not fire again inside it.
        messages.onShow = [&](const MessageRequest&) {
            QVERIFY(!dock.findChild<QTimer*>(QStringLiteral("tmrDelayedInit"))->isActive());
        };
        dock.tmrDelayedInit_Timer();

        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, QStringLiteral("类型不匹配"));
        QVERIFY(messages.shown[0].title.isEmpty());
        QVERIFY(messages.shown[0].helpButton);
        for (QTimer* timer : dock.findChildren<QTimer*>()) {
            QVERIFY2(!timer->isActive(), qPrintable(timer->objectName()));
        }
        QVERIFY(platform.calls.empty());
        QCOMPARE(window.pos(), QPoint(100, 150));
    }

    void fullSlideRunsInNumStepsTicks() {
        Rig rig;
        rig.start();
        rig.overHost();
        QCOMPARE(rig.log.take(), QStringList({"MouseOver", "StartOpenUp"}));
        QVERIFY(rig.dock->IsTaskbarMoving());
        QList<int> down;
        for (int i = 0; i < 4; ++i) {
            down << rig.tick();
        }
        // Three stops a quarter of the height apart, the fourth exactly at the top.
        QCOMPARE(down, QList<int>({-179, -119, -59, 0}));
        QVERIFY(!rig.sliding());
        QCOMPARE(rig.log.take(), QStringList({"EndOpenUp"}));

        rig.awayFromHost();
        QCOMPARE(rig.log.take(), QStringList({"MouseLeft", "StartCloseUp"}));
        QList<int> up;
        for (int i = 0; i < 4; ++i) {
            up << rig.tick();
        }
        QCOMPARE(up, QList<int>({-60, -120, -180, -239}));
        QVERIFY(!rig.sliding());
        QCOMPARE(rig.log.take(), QStringList({"EndCloseUp"}));
        QCOMPARE(rig.left(), 364);
    }

    void slideLengthFollowsNumSteps_data() {
        QTest::addColumn<int>("numSteps");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("ticks");
        QTest::newRow("one step") << 1 << 241 << 1;
        QTest::newRow("zero acts as one") << 0 << 241 << 1;
        QTest::newRow("negative acts as one") << -3 << 241 << 1;
        QTest::newRow("three steps") << 3 << 240 << 3;
        // A step under a pixel would never move the host; it moves one pixel a tick instead.
        QTest::newRow("more steps than pixels") << 32767 << 241 << 239;
    }
    void slideLengthFollowsNumSteps() {
        QFETCH(int, numSteps);
        QFETCH(int, height);
        QFETCH(int, ticks);
        Rig rig({0, 0, 1024, 768}, QSize(297, height));
        rig.dock->setNumSteps(static_cast<qint16>(numSteps));
        rig.start();
        const int parked = rig.top();
        rig.overHost();
        QCOMPARE(rig.finishSlide(), ticks);
        QCOMPARE(rig.top(), 0);
        rig.awayFromHost();
        QCOMPARE(rig.finishSlide(), ticks);
        QCOMPARE(rig.top(), parked);
    }

    void cursorCountsOverTheHostInclusively_data() {
        QTest::addColumn<QPoint>("cursor");
        QTest::addColumn<bool>("over");
        // Parked at (364, -239) with 297 x 241 pixels: the platform's rectangle is 364..661 x -239..2.
        QTest::newRow("row 0") << QPoint(500, 0) << true;
        QTest::newRow("row 1") << QPoint(500, 1) << true;
        QTest::newRow("row 2, just below the strip") << QPoint(500, 2) << true;
        QTest::newRow("row 3") << QPoint(500, 3) << false;
        QTest::newRow("leftmost column") << QPoint(364, 0) << true;
        QTest::newRow("column left of the host") << QPoint(363, 0) << false;
        QTest::newRow("column just right of the right edge") << QPoint(661, 0) << true;
        QTest::newRow("two columns right") << QPoint(662, 0) << false;
    }
    void cursorCountsOverTheHostInclusively() {
        QFETCH(QPoint, cursor);
        QFETCH(bool, over);
        Rig rig;
        rig.start();
        rig.cursorAt(cursor.x(), cursor.y());
        QCOMPARE(rig.log.take(), over ? QStringList({"MouseOver", "StartOpenUp"}) : QStringList());
        QCOMPARE(rig.sliding(), over);
        // A second poll at the same place changes nothing.
        rig.cursorAt(cursor.x(), cursor.y());
        QCOMPARE(rig.log.take(), QStringList());
    }

    void foregroundOutranksTheCursor() {
        Rig rig;
        rig.start();
        rig.foreground(true);
        QCOMPARE(rig.log.take(), QStringList({"AppGotFocus", "StartOpenUp"}));
        rig.finishSlide();
        QCOMPARE(rig.top(), 0);
        rig.log.take();

        rig.overHost();
        rig.awayFromHost();
        QCOMPARE(rig.log.take(), QStringList({"MouseOver", "MouseLeft"}));
        QVERIFY(!rig.sliding());
        QCOMPARE(rig.top(), 0);
        QVERIFY(rig.dock->IsTaskbarOut());
    }

    void losingTheForegroundUnderTheCursorParks() {
        Rig rig;
        rig.start();
        rig.overHost();
        rig.foreground(true);
        rig.finishSlide();
        rig.overHost();
        rig.log.take();

        rig.foreground(false);
        QCOMPARE(rig.log.take(), QStringList({"AppLostFocus", "StartCloseUp"}));
        rig.finishSlide();
        QCOMPARE(rig.top(), -239);
        // Still over the strip: nothing until the cursor leaves and comes back.
        rig.overHost();
        QVERIFY(!rig.sliding());
        QCOMPARE(rig.log.take(), QStringList({"EndCloseUp"}));
        rig.awayFromHost();
        rig.finishSlide();
        rig.overHost();
        QCOMPARE(rig.log.take(), QStringList({"MouseLeft", "EndCloseUp", "MouseOver", "StartOpenUp"}));
    }

    void reversalContinuesFromWhereTheHostIs_data() {
        QTest::addColumn<bool>("firstDown");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("firstTop");
        QTest::addColumn<int>("newHeight");
        QTest::addColumn<QList<int>>("after");
        // Down two ticks to -119, then up with the step from the new height: 300 * 15 / 4 = 1125 twips.
        QTest::newRow("down reversed up") << true << QStringList({"MouseLeft", "ChangeCloseUp"}) << -119
                                          << 300 << QList<int>({-194, -269, -298});
        // Up two ticks from the top to -120, then down again.
        QTest::newRow("up reversed down")
            << false << QStringList({"AppGotFocus", "ChangeOpenUp"}) << -120 << 241 << QList<int>({-60, 0});
    }
    void reversalContinuesFromWhereTheHostIs() {
        QFETCH(bool, firstDown);
        QFETCH(QStringList, events);
        QFETCH(int, firstTop);
        QFETCH(int, newHeight);
        QFETCH(QList<int>, after);
        Rig rig;
        rig.start();
        if (!firstDown) {
            rig.overHost();
            rig.finishSlide();
            rig.awayFromHost();
        } else {
            rig.overHost();
        }
        rig.tick();
        QCOMPARE(rig.tick(), firstTop);
        rig.log.take();
        rig.host->resize(297, newHeight);

        if (firstDown) {
            rig.awayFromHost();
        } else {
            rig.foreground(true);
        }
        QCOMPARE(rig.log.take(), events);
        QList<int> tops;
        while (rig.sliding()) {
            tops << rig.tick();
        }
        QCOMPARE(tops, after);
    }

    void upSlideOfAHostDraggedDownEndsAtTheTop() {
        Rig rig;
        rig.start();
        rig.overHost();
        rig.finishSlide();
        rig.host->move(500, 300); // dragged down and sideways by the user
        rig.awayFromHost();
        rig.log.take();

        QCOMPARE(rig.tick(), 0);
        QCOMPARE(rig.left(), 500);
        QVERIFY(!rig.sliding());
        QCOMPARE(rig.log.take(), QStringList({"EndOpenUp"}));
        QVERIFY(rig.dock->IsTaskbarOut());
        // Parked only by the next up request.
        rig.overHost();
        rig.awayFromHost();
        rig.finishSlide();
        QCOMPARE(rig.top(), -239);
        QCOMPARE(rig.left(), 500);
    }

    void outAndMovingInEveryState() {
        Rig rig;
        auto state = [&] { return QPair<bool, bool>(rig.dock->IsTaskbarOut(), rig.dock->IsTaskbarMoving()); };
        using S = QPair<bool, bool>;
        QCOMPARE(state(), S(false, false)); // created
        rig.start();
        QCOMPARE(state(), S(false, false)); // parked
        rig.overHost();
        QCOMPARE(state(), S(true, true)); // sliding down
        rig.finishSlide();
        QCOMPARE(state(), S(true, false)); // shown
        rig.awayFromHost();
        QCOMPARE(state(), S(true, true)); // sliding up
        rig.tick();
        QCOMPARE(state(), S(true, true));
        rig.finishSlide();
        QCOMPARE(state(), S(false, false)); // parked again
        // A down request reversed before its first tick snaps back to the parked top.
        rig.foreground(true);
        rig.foreground(false);
        QCOMPARE(state(), S(true, true));
        QCOMPARE(rig.tick(), -239);
        QCOMPARE(state(), S(false, false));
        // An up request while parked (the cursor leaving after the foreground went) still runs one slide.
        rig.foreground(true);
        rig.overHost();
        rig.finishSlide();
        rig.foreground(false);
        rig.finishSlide();
        rig.awayFromHost();
        QCOMPARE(state(), S(true, true));
        rig.log.take();
        QCOMPARE(rig.tick(), -239);
        QCOMPARE(rig.log.take(), QStringList({"EndCloseUp"}));
        QCOMPARE(state(), S(false, false));
    }

    void hangDownChangedWhileParked() {
        Rig rig;
        rig.start();
        QSignalSpy changed(rig.dock, &Form_TaskBar::PropertyChanged);
        rig.dock->setHangDown(10);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toString(), QStringLiteral("HangDown"));
        QCOMPARE(rig.top(), -239);
        rig.overHost();
        rig.finishSlide();
        rig.awayFromHost();
        rig.finishSlide();
        QCOMPARE(rig.top(), 10 - 241);
    }

    void foregroundAtStartUpSlidesDownOnItsOwn() {
        Rig rig;
        rig.platform.foreground = rig.id();
        QTRY_COMPARE(rig.top(), 0);
        QCOMPARE(rig.log.take(), QStringList({"AppGotFocus", "StartOpenUp", "EndOpenUp"}));
    }

    // Where the platform reports crossings, a crossing stands in for the poll; a poll runs only from a
    // crossing out until the cursor is found outside, and what counts as over the host is as before.
    void crossingsStandInForThePoll_data() {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QPoint>("entered");
        QTest::addColumn<QStringList>("onEnter");
        QTest::addColumn<QPoint>("left");
        QTest::addColumn<QStringList>("onLeave");
        QTest::addColumn<bool>("pollingAfterLeave");
        const QStringList down{"MouseOver", "StartOpenUp"};
        const QStringList up{"MouseLeft", "StartCloseUp"};
        const QPoint away(10, 700);
        QTest::newRow("touch and leave") << away << QPoint(500, 0) << down << away << up << false;
        QTest::newRow("left onto the row just below the shown host")
            << away << QPoint(500, 0) << down << QPoint(500, 241) << QStringList() << true;
        QTest::newRow("a crossing in the cursor did not make")
            << away << away << QStringList() << away << QStringList() << false;
        QTest::newRow("over the strip at start-up")
            << QPoint(500, 1) << QPoint(500, 1) << QStringList() << away << up << false;
    }
    void crossingsStandInForThePoll() {
        QFETCH(QPoint, start);
        QFETCH(QPoint, entered);
        QFETCH(QStringList, onEnter);
        QFETCH(QPoint, left);
        QFETCH(QStringList, onLeave);
        QFETCH(bool, pollingAfterLeave);
        Rig rig;
        rig.platform.dockCrossings = true;
        rig.platform.cursor = {start.x(), start.y()};
        rig.start();
        QVERIFY(rig.platform.dockObserver);
        const bool overAtStart = !rig.log.take().isEmpty();
        QCOMPARE(overAtStart, start != QPoint(10, 700));
        QCOMPARE(rig.dock->pollingCursor(), overAtStart);

        rig.platform.cursor = {entered.x(), entered.y()};
        rig.platform.dockObserver->pointerEntered();
        QCOMPARE(rig.log.take(), onEnter);
        rig.finishSlide();
        rig.log.take();
        rig.platform.cursor = {left.x(), left.y()};
        rig.platform.dockObserver->pointerLeft();
        QCOMPARE(rig.log.take(), onLeave);
        QCOMPARE(rig.dock->pollingCursor(), pollingAfterLeave);
        if (pollingAfterLeave) {
            rig.awayFromHost(); // the poll finds it gone and rests
            QCOMPARE(rig.log.take(), QStringList({"MouseLeft", "StartCloseUp"}));
            QVERIFY(!rig.dock->pollingCursor());
        }
    }

    void platformToldOfEveryNativeWindowBeforeItIsShown() {
        Rig rig;
        rig.host->show();
        const std::string first = "makeDock(" + std::to_string(rig.id()) + ")";
        QCOMPARE(rig.platform.calls, std::vector<std::string>{first});
        // Some flag changes re-create the native window; the new one is a dock again, and only it.
        rig.host->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        rig.host->show();
        const std::string second = "makeDock(" + std::to_string(rig.id()) + ")";
        QCOMPARE(rig.platform.calls, (std::vector<std::string>{first, second}));
        QVERIFY(rig.platform.dockObserver);
        rig.start();
        QCOMPARE(rig.platform.calls.back(), "setTopmost(" + std::to_string(rig.id()) + ")");
        QCOMPARE(rig.platform.calls.size(), 3u);
    }

    void propertiesPersist_data() {
        QTest::addColumn<StoredBag>("stored");
        QTest::addColumn<int>("numSteps");
        QTest::addColumn<int>("hangDown");
        using Bag = StoredBag;
        QTest::newRow("nothing stored") << Bag{} << 4 << 2;
        QTest::newRow("both stored, any case")
            << Bag{{"numsteps", QVariant::fromValue<qint16>(8)}, {"HANGDOWN", QVariant::fromValue<qint16>(5)}}
            << 8 << 5;
        QTest::newRow("not a number reads as the default")
            << Bag{{"NumSteps", QStringLiteral("many")}} << 4 << 2;
        QTest::newRow("too large for 16 bits saturates") << Bag{{"HangDown", 70000}} << 4 << 32767;
    }
    void propertiesPersist() {
        QFETCH(StoredBag, stored);
        QFETCH(int, numSteps);
        QFETCH(int, hangDown);
        PropertyBag bag;
        for (const auto& [key, value] : stored) {
            bag.append(key, value);
        }
        Rig rig;
        rig.dock->ReadProperties(bag);
        QCOMPARE(int(rig.dock->NumSteps()), numSteps);
        QCOMPARE(int(rig.dock->HangDown()), hangDown);

        PropertyBag saved;
        rig.dock->WriteProperties(saved);
        QCOMPARE(saved.contains(QStringLiteral("NumSteps")), numSteps != 4);
        QCOMPARE(saved.contains(QStringLiteral("HangDown")), hangDown != 2);
        QCOMPARE(saved.readProperty(QStringLiteral("HangDown"), 2).toInt(), hangDown);

        rig.dock->InitProperties();
        QCOMPARE(int(rig.dock->NumSteps()), 4);
        QCOMPARE(int(rig.dock->HangDown()), 2);
    }
};

QTEST_MAIN(TestDock)
#include "test_dock.moc"
