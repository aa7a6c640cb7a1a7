// SPDX-License-Identifier: MIT

#include "class_cursors.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace quellor;

namespace {

// A cursor of `count` plain-coloured frames, each distinct, shown `ms` each.
std::shared_ptr<LoadedCursor> synthetic(int count, int ms, int hue) {
    auto cursor = std::make_shared<LoadedCursor>();
    for (int i = 0; i < count; ++i) {
        QPixmap pixmap(16, 16);
        pixmap.fill(QColor::fromHsv(hue, 200, 100 + 40 * i));
        cursor->frames.emplace_back(pixmap, 1, 1);
        cursor->durationsMs.push_back(ms);
    }
    return cursor;
}

bool shows(const QWidget* widget, const QCursor& cursor) {
    return widget->cursor() == cursor;
}

// Counts the cursor changes a widget is told of.
class CursorChanges : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::CursorChange;
        return false;
    }
};

// The crossings the display reports as the pointer goes in and out of a window.
void pointerInto(QWidget* window) {
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), window->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(window, &enter);
}
void pointerOutOf(QWidget* window) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(window, &leave);
}

// A window with one child of each kind the cursors distinguish.
struct Window {
    QWidget window;
    QPushButton* push = new QPushButton("push", &window);
    QToolButton* tool = new QToolButton(&window);
    QCheckBox* check = new QCheckBox("check", &window);
    QLabel* label = new QLabel("label", &window);
    QFrame* frame = new QFrame(&window);
    QLineEdit* edit = new QLineEdit(&window);

    Window() {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*>{push, tool, check, label, frame, edit}) {
            layout->addWidget(w);
        }
    }
    QWidget* child(const QString& kind) {
        const QHash<QString, QWidget*> kinds{{"window", &window}, {"push", push},   {"tool", tool},
                                             {"check", check},    {"label", label}, {"frame", frame},
                                             {"edit", edit}};
        return kinds.value(kind);
    }
    // Shown with the pointer over it, where the cursors can be seen.
    void show() {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        pointerInto(&window);
    }
};

} // namespace

class TestClassCursors : public QObject {
    Q_OBJECT
private:
    QString m_startDir;

private Q_SLOTS:
    void init() { m_startDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_startDir); }

    void eachKindOfWidgetGetsItsClassCursor_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("window") << "window"
                                << "form";
        QTest::newRow("label shows its window's") << "label"
                                                  << "form";
        QTest::newRow("frame shows its window's") << "frame"
                                                  << "form";
        QTest::newRow("push button") << "push"
                                     << "button";
        QTest::newRow("tool button") << "tool"
                                     << "button";
        QTest::newRow("check box") << "check"
                                   << "button";
        QTest::newRow("text field keeps its I-beam") << "edit"
                                                     << "ibeam";
    }
    void eachKindOfWidgetGetsItsClassCursor() {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        const auto form = synthetic(1, 100, 0), button = synthetic(1, 100, 120);
        ClassCursors cursors;
        cursors.installFormCursor(form);
        cursors.installButtonCursor(button);
        Window w;
        w.show();
        QWidget* widget = w.child(kind);
        if (expected == "form") {
            QVERIFY(shows(widget, form->frames[0]));
        } else if (expected == "button") {
            QVERIFY(shows(widget, button->frames[0]));
        } else {
            QCOMPARE(widget->cursor().shape(), Qt::IBeamCursor);
        }
    }

    void bareNamesLoadFromTheWorkingDirectory() {
        QTemporaryDir dir;
        QVERIFY(
            QFile::copy(QStringLiteral(QUELLOR_ASSETS_DIR "/cursors/hand.ani"), dir.filePath("hand.ani")));
        QVERIFY(
            QFile::copy(QStringLiteral(QUELLOR_ASSETS_DIR "/cursors/hand1.cur"), dir.filePath("hand1.cur")));
        QVERIFY(QDir::setCurrent(dir.path()));
        ClassCursors cursors;
        loadClassCursors(cursors);
        const auto& form = cursors.formCursor();
        const auto& button = cursors.buttonCursor();
        QVERIFY(form && button);
        QCOMPARE(form->frames.size(), size_t(6));
        QVERIFY(form->animated());
        QVERIFY(!button->animated());
        QCOMPARE(form->frames[0].hotSpot(), QPoint(10, 1));
        QCOMPARE(button->frames[0].hotSpot(), QPoint(10, 1));
        // The sequence 0 1 2 3 2 1: steps showing one image share its pixmap.
        QCOMPARE(form->frames[5].pixmap().cacheKey(), form->frames[1].pixmap().cacheKey());
        QVERIFY(form->frames[2].pixmap().cacheKey() != form->frames[1].pixmap().cacheKey());
        Window w;
        w.show();
        QVERIFY(shows(&w.window, form->frames[0]));
        QVERIFY(shows(w.push, button->frames[0]));
        QVERIFY(cursors.animating());
    }

    void missingFilesLeaveTheSystemCursors() {
        QTemporaryDir dir;
        QVERIFY(QDir::setCurrent(dir.path()));
        ClassCursors cursors;
        loadClassCursors(cursors);
        QVERIFY(!cursors.formCursor() && !cursors.buttonCursor());
        Window w;
        w.show();
        for (QWidget* widget : {&w.window, static_cast<QWidget*>(w.push), static_cast<QWidget*>(w.label)}) {
            QVERIFY(!widget->testAttribute(Qt::WA_SetCursor));
            QCOMPARE(widget->cursor().shape(), Qt::ArrowCursor);
        }
        QVERIFY(!cursors.animating());
    }

    void invalidFileCountsAsMissing() {
        QTemporaryDir dir;
        QFile junk(dir.filePath("hand1.cur"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("this is not a cursor");
        junk.close();
        QVERIFY(QDir::setCurrent(dir.path()));
        QVERIFY(!loadCursorFromFile("hand1.cur"));
    }

    // Without its own class cursor a button shows the arrow, not the window's hand.
    void buttonWithoutCursorShowsArrowInsideHandWindow() {
        const auto form = synthetic(1, 100, 0);
        ClassCursors cursors;
        cursors.installFormCursor(form);
        cursors.installButtonCursor(nullptr);
        Window w;
        w.show();
        QVERIFY(shows(&w.window, form->frames[0]));
        QCOMPARE(w.push->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(w.push->testAttribute(Qt::WA_SetCursor));
    }

    void replacingUpdatesWidgetsAlreadyShown() {
        ClassCursors cursors;
        cursors.installFormCursor(synthetic(1, 100, 0));
        cursors.installButtonCursor(synthetic(1, 100, 60));
        Window w;
        w.show();
        const auto form = synthetic(1, 100, 200), button = synthetic(1, 100, 300);
        cursors.installFormCursor(form);
        cursors.installButtonCursor(button);
        QVERIFY(shows(&w.window, form->frames[0]));
        QVERIFY(shows(w.push, button->frames[0]));

        cursors.installFormCursor(nullptr);
        cursors.installButtonCursor(nullptr);
        QCOMPARE(w.window.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(w.label->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!w.push->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(w.edit->cursor().shape(), Qt::IBeamCursor);

        // And back again, as when the main window loads the files anew.
        cursors.installFormCursor(form);
        QVERIFY(shows(&w.window, form->frames[0]));
    }

    void windowsOpenedLaterAreStyled() {
        const auto form = synthetic(1, 100, 0), button = synthetic(1, 100, 120);
        ClassCursors cursors;
        cursors.installFormCursor(form);
        cursors.installButtonCursor(button);
        for (int i = 0; i < 2; ++i) {
            Window w;
            w.show();
            QVERIFY(shows(&w.window, form->frames[0]));
            QVERIFY(shows(w.tool, button->frames[0]));
        }
    }

    void ownCursorsAreLeftAlone() {
        const auto form = synthetic(2, 20, 0);
        ClassCursors cursors;
        cursors.installFormCursor(form);
        QLabel crosshair("x");
        crosshair.setCursor(Qt::CrossCursor);
        crosshair.show();
        QVERIFY(QTest::qWaitForWindowExposed(&crosshair));
        QCOMPARE(crosshair.cursor().shape(), Qt::CrossCursor);

        // A window that picks its own cursor later keeps it while the animation runs on.
        Window w;
        w.show();
        QVERIFY(shows(&w.window, form->frames[0]) || shows(&w.window, form->frames[1]));
        w.window.setCursor(Qt::WaitCursor);
        QTest::qWait(80);
        QCOMPARE(w.window.cursor().shape(), Qt::WaitCursor);
    }

    // Hand-made cursors with missing or zero durations neither crash nor spin the timer.
    void malformedCursorsAreHarmless() {
        ClassCursors cursors;
        auto short_ = synthetic(3, 20, 0);
        short_->durationsMs.resize(1);
        cursors.installFormCursor(short_);
        QVERIFY(!cursors.animating());
        Window w;
        w.show();
        QCOMPARE(w.window.cursor().shape(), Qt::ArrowCursor);

        // Frames of no length neither stall nor spin the animation. Which of two 1 ms frames
        // shows depends on whether the timer came back after an odd or an even number of
        // milliseconds, so it is judged by the updates going on and by a frame that lasts.
        const auto zero = synthetic(2, 0, 0);
        CursorChanges changes;
        w.window.installEventFilter(&changes);
        cursors.installFormCursor(zero);
        QVERIFY(cursors.animating());
        QTRY_VERIFY(changes.count > 3);
        const auto blink = synthetic(2, 0, 0);
        blink->durationsMs[1] = 300;
        cursors.installFormCursor(blink);
        QTRY_VERIFY(shows(&w.window, blink->frames[1]));
        cursors.installFormCursor(std::make_shared<LoadedCursor>());
        QVERIFY(!cursors.animating());
    }

    void popupsKeepTheSystemCursor() {
        ClassCursors cursors;
        cursors.installFormCursor(synthetic(1, 100, 0));
        QMenu menu;
        menu.addAction("item");
        menu.popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QVERIFY(!menu.testAttribute(Qt::WA_SetCursor));
    }

    void animationStepsThroughFramesAndWraps() {
        const auto form = synthetic(3, 150, 0); // frames outlast the polling of QTRY_VERIFY
        ClassCursors cursors;
        cursors.installFormCursor(form);
        QVERIFY(cursors.animating());
        Window w;
        w.show();
        QTRY_VERIFY(shows(&w.window, form->frames[1]));
        QVERIFY(shows(w.label, form->frames[1]));
        QTRY_VERIFY(shows(&w.window, form->frames[2]));
        QTRY_VERIFY(shows(&w.window, form->frames[0]));
        // A still cursor stops the timer.
        cursors.installFormCursor(synthetic(1, 40, 90));
        QVERIFY(!cursors.animating());
    }

    // Both cursors animated at different rates share the one timer.
    void bothCursorsAnimateTogether() {
        const auto form = synthetic(2, 150, 0), button = synthetic(2, 250, 120);
        ClassCursors cursors;
        cursors.installFormCursor(form);
        cursors.installButtonCursor(button);
        Window w;
        w.show();
        QTRY_VERIFY(shows(w.push, button->frames[1]));
        QTRY_VERIFY(shows(w.push, button->frames[0]));
        QTRY_VERIFY(shows(&w.window, form->frames[1]));
        QTRY_VERIFY(shows(&w.window, form->frames[0]));
    }
    // Nobody sees the frames while the pointer is over none of the program's windows: they rest,
    // and run on from where the time that passed puts them once it comes back.
    void framesRestWhileThePointerIsElsewhere_data() {
        QTest::addColumn<bool>("byHiding");
        QTest::newRow("pointer leaves") << false;
        QTest::newRow("window hidden under it") << true;
    }
    void framesRestWhileThePointerIsElsewhere() {
        QFETCH(bool, byHiding);
        const auto form = synthetic(3, 150, 0); // frames outlast the polling of QTRY_VERIFY
        ClassCursors cursors;
        cursors.installFormCursor(form);
        Window w;
        w.show();
        QVERIFY(cursors.framesRunning());
        if (byHiding) {
            w.window.hide();
        } else {
            pointerOutOf(&w.window);
        }
        QVERIFY(!cursors.framesRunning());
        QVERIFY(cursors.animating());
        CursorChanges changes;
        w.window.installEventFilter(&changes);
        QTest::qWait(500); // three frame changes, had it run
        QCOMPARE(changes.count, 0);

        if (byHiding) {
            w.show();
        } else {
            pointerInto(&w.window);
        }
        QVERIFY(cursors.framesRunning());
        for (const QCursor& frame : form->frames) {
            QTRY_VERIFY(shows(&w.window, frame));
        }
    }

    // Moving straight from one of the program's windows to another keeps the frames running,
    // whichever crossing the display reports first.
    void framesRunFromWindowToWindow_data() {
        QTest::addColumn<bool>("enterFirst");
        QTest::newRow("leave, then enter") << false;
        QTest::newRow("enter, then leave") << true;
    }
    void framesRunFromWindowToWindow() {
        QFETCH(bool, enterFirst);
        const auto form = synthetic(2, 150, 0);
        ClassCursors cursors;
        cursors.installFormCursor(form);
        Window a, b;
        a.show();
        b.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        if (enterFirst) {
            pointerInto(&b.window);
            pointerOutOf(&a.window);
        } else {
            pointerOutOf(&a.window);
            pointerInto(&b.window);
        }
        QVERIFY(cursors.framesRunning());
        QTRY_VERIFY(shows(&b.window, form->frames[1]));
        QTRY_VERIFY(shows(&b.window, form->frames[0]));
        pointerOutOf(&b.window);
        QVERIFY(!cursors.framesRunning());
    }
};

QTEST_MAIN(TestClassCursors)
#include "test_class_cursors.moc"
