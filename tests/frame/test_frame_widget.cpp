// SPDX-License-Identifier: MIT
// The frame widget: its elements, styles, properties, caption buttons, dragging and events.

#include "property_bag.h"
#include "styles.h"
#include "vantrel_p.h"

#include <QAccessible>
#include <QBuffer>
#include <QCloseEvent>
#include <QLabel>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace vantrel;
using quellor::rgb;

namespace {

// A host form with the members the frame calls by name.
class Host : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int WindowState READ windowStateValue WRITE setWindowStateValue)
public:
    QList<QPair<double, double>> moves;
    QList<int> windowStates;
    bool refuseClose = false;
    int closeRequests = 0;

    int windowStateValue() const { return windowStates.isEmpty() ? 0 : windowStates.last(); }
    void setWindowStateValue(int v) { windowStates.append(v); }

public Q_SLOTS:
    void Move(double left, double top) { moves.append({left, top}); }

protected:
    void closeEvent(QCloseEvent* e) override {
        ++closeRequests;
        refuseClose ? e->ignore() : e->accept();
    }
};

struct Fixture {
    QPoint cursor{0, 0};
    Host* host = nullptr;
    Vantrel* frame = nullptr;
    QWidget* container = nullptr;
    QPointer<QWidget> root;

    // A nested frame lies in a container inside its window rather than on the window itself, the
    // container `margin` pixels in from the window's corner.
    explicit Fixture(QWidget* h = nullptr, bool nested = false, int margin = 0) {
        QWidget* hostWidget = h;
        if (!hostWidget) {
            host = new Host;
            hostWidget = host;
        }
        root = hostWidget;
        hostWidget->setWindowFlag(Qt::FramelessWindowHint);
        hostWidget->resize(400 + 2 * margin, 266 + 2 * margin);
        QWidget* parent = hostWidget;
        if (nested) {
            container = new QWidget(hostWidget);
            container->setGeometry(margin, margin, 400, 266);
            parent = container;
        }
        frame = new Vantrel(parent);
        VantrelPrivate::get(frame)->setTwipsSource([] { return quellor::Twips{15, 15}; });
        VantrelPrivate::get(frame)->setCursorSource([this] { return cursor; });
        frame->InitProperties();
        frame->setGeometry(0, 0, 400, 266); // 6000 x 3990 twips
        hostWidget->show();
    }
    ~Fixture() { delete root; }

    template <typename T = QWidget> T* child(const QString& name) const { return frame->findChild<T*>(name); }
    ImageElement* image(const QString& name) const { return child<ImageElement>(name); }
};

QMouseEvent mouse(QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return QMouseEvent(type, pos, pos, button, buttons, modifiers);
}

void send(QWidget* w, QMouseEvent ev) {
    QApplication::sendEvent(w, &ev);
}

bool samePicture(const QPixmap& a, const QPixmap& b) {
    return !a.isNull() && a.toImage() == b.toImage();
}

QList<QString> keys(const quellor::PropertyBag& bag) {
    QList<QString> out;
    for (const auto& e : bag.entries()) {
        out << e.key;
    }
    return out;
}

} // namespace

class TestFrameWidget : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void elementsAreNamedAndStackedFrontToBack() {
        Fixture f;
        const QStringList frontToBack{"closeb", "minb",   "mover",     "Label1(0)", "ico",
                                      "Image8", "Image7", "Image6",    "Image5",    "Image4",
                                      "Image3", "Image1", "Label1(1)", "Image2"};
        const QObjectList order = f.frame->children();
        qsizetype previous = order.size();
        for (const QString& name : frontToBack) {
            QWidget* w = f.child(name);
            QVERIFY2(w, qPrintable(name));
            QVERIFY2(w->isVisible(), qPrintable(name));
            const qsizetype at = order.indexOf(w);
            QVERIFY2(at < previous, qPrintable(name + " is not behind the element before it"));
            previous = at;
        }
        QCOMPARE(f.image("sminb")->parentWidget(), f.child("minb"));
        QCOMPARE(f.image("scloseb")->parentWidget(), f.child("closeb"));
        QCOMPARE(f.child("minb")->toolTip(), QStringLiteral("最小化"));
        QCOMPARE(f.image("scloseb")->toolTip(), QStringLiteral("关闭"));
        // The drag strip shows nothing yet takes the mouse.
        QVERIFY(f.image("mover")->picture().isNull());
        QVERIFY(f.image("mover")->hasMouseTracking());
        for (const char* timer : {"Timer1", "Timer2", "Timer3"}) {
            QVERIFY(f.frame->findChild<QTimer*>(timer));
            QVERIFY(!f.frame->findChild<QTimer*>(timer)->isActive());
        }
    }

    void hiddenArraysHoldTheirPictures() {
        Fixture f;
        const QSize frameSizes[] = {{},      {32, 29}, {38, 29}, {36, 29}, {5, 31},
                                    {5, 31}, {6, 5},   {6, 5},   {6, 5}};
        for (int i = 1; i <= 8; ++i) {
            ImageElement* white = f.image(QStringLiteral("white(%1)").arg(i));
            ImageElement* green = f.image(QStringLiteral("green(%1)").arg(i));
            QVERIFY(white && green && !white->isVisible() && !green->isVisible());
            QVERIFY(samePicture(white->picture(), artwork::framePiece(true, i)));
            QCOMPARE(green->picture().size(), frameSizes[i]);
        }
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(f.image(QStringLiteral("tops(%1)").arg(i))->picture().size(), QSize(21, 21));
            QCOMPARE(f.image(QStringLiteral("top1(%1)").arg(i))->picture().size(), QSize(19, 19));
        }
        QVERIFY(samePicture(f.image("scloseb")->picture(), f.image("tops(3)")->picture()));
        QVERIFY(samePicture(f.image("sminb")->picture(), f.image("tops(0)")->picture()));
    }

    void shownFrameIsLaidOutInPixels() {
        Fixture f;
        QCOMPARE(VantrelPrivate::get(f.frame)->layoutTwips().width, 6000.0);
        QCOMPARE(f.child("closeb")->geometry(), QRect(370, 7, 20, 20)); // 5550, 100, 300 twips
        QCOMPARE(f.child("minb")->geometry(), QRect(345, 7, 20, 20));   // 5170 rounds to 345
        QCOMPARE(f.child("ico")->geometry(), QRect(8, 7, 20, 20));
        QCOMPARE(f.child("mover")->geometry(), QRect(32, 0, 331, 33)); // 480..5445, 500 high
        QCOMPARE(f.child("Image8")->geometry().bottomRight(), QPoint(399, 265));

        // 1000 x 1000 twips grows to the minimum and is laid out there.
        f.frame->resize(67, 67);
        QCOMPARE(f.frame->size(), QSize(120, 120));
        QCOMPARE(VantrelPrivate::get(f.frame)->layoutTwips().width, 1800.0);
        QCOMPARE(f.child("closeb")->x(), 90); // 1800 - 450
    }

    void titleBarHeightSetterClampsAndRelays_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stored");
        QTest::newRow("100") << 100 << 300;
        QTest::newRow("1000") << 1000 << 550;
        QTest::newRow("400") << 400 << 400;
    }
    void titleBarHeightSetterClampsAndRelays() {
        QFETCH(int, value);
        QFETCH(int, stored);
        Fixture f;
        QSignalSpy changed(f.frame, &Vantrel::PropertyChanged);
        f.frame->setTitleBarHeight(static_cast<qint16>(value));
        QCOMPARE(int(f.frame->TitleBarHeight()), stored);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("标题栏高度"));
        QCOMPARE(VantrelPrivate::get(f.frame)->layoutTwips().image[2].height, double(stored));
        QCOMPARE(VantrelPrivate::get(f.frame)->layoutTwips().ico.height, double((stored / 5) * 3));
    }

    void chineseNamesAnswerByName() {
        Fixture f;
        QSignalSpy changed(f.frame, &Vantrel::PropertyChanged);
        f.frame->setProperty("标题栏高度", 100);
        QCOMPARE(int(f.frame->TitleBarHeight()), 300);
        QCOMPARE(f.frame->property("标题栏高度").toInt(), 300);
        f.frame->setProperty("银白色风格", false);
        QVERIFY(!f.frame->SilverStyle());
        QCOMPARE(f.frame->property("银白色风格").toBool(), false);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(1).at(0).toString(), QStringLiteral("银白色风格"));
        // The setters keep the by-name view current too.
        f.frame->setTitleBarHeight(420);
        QCOMPARE(f.frame->property("标题栏高度").toInt(), 420);
    }

    // Every write, by C++ name or persistence name, reaches the setter and tells the container;
    // the property's NOTIFY signal fires when the value changes.
    void settersNotifyTheirKey_data() {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value"); // invalid: write back what reading gives
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("member");
        QTest::addColumn<bool>("changes");
        QTest::newRow("ForeColor") << QByteArray("ForeColor") << QVariant(255) << "ForeColor"
                                   << QByteArray("ForeColor") << true;
        QTest::newRow("Enabled") << QByteArray("Enabled") << QVariant(true) << "Enabled"
                                 << QByteArray("Enabled") << true;
        QTest::newRow("Caption") << QByteArray("Caption") << QVariant("x") << "Caption"
                                 << QByteArray("Caption") << true;
        QTest::newRow("FontSize") << QByteArray("FontSize") << QVariant(20.0f) << "FontSize"
                                  << QByteArray("FontSize") << true;
        QTest::newRow("BackColor") << QByteArray("BackColor") << QVariant(quint32(255)) << "BackColor"
                                   << QByteArray("BackColor") << true;
        QTest::newRow("SilverStyle") << QByteArray("SilverStyle") << QVariant(false) << "银白色风格"
                                     << QByteArray("SilverStyle") << true;
        QTest::newRow("Icon") << QByteArray("Icon") << QVariant(QPixmap(32, 32)) << "Icon"
                              << QByteArray("Icon") << true;
        QTest::newRow("SilverStyle unchanged") << QByteArray("SilverStyle") << QVariant(true) << "银白色风格"
                                               << QByteArray("SilverStyle") << false;
        QTest::newRow("by name, bar height") << QByteArray("标题栏高度") << QVariant(400) << "标题栏高度"
                                             << QByteArray("TitleBarHeight") << true;
        QTest::newRow("by name, bar height unchanged")
            << QByteArray("标题栏高度") << QVariant(500) << "标题栏高度" << QByteArray("TitleBarHeight")
            << false;
        QTest::newRow("by name, silver unchanged") << QByteArray("银白色风格") << QVariant(true)
                                                   << "银白色风格" << QByteArray("SilverStyle") << false;
        QTest::newRow("by name, bar height read back")
            << QByteArray("标题栏高度") << QVariant() << "标题栏高度" << QByteArray("TitleBarHeight")
            << false;
        QTest::newRow("by name, silver read back")
            << QByteArray("银白色风格") << QVariant() << "银白色风格" << QByteArray("SilverStyle") << false;
    }
    void settersNotifyTheirKey() {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        QFETCH(QString, key);
        QFETCH(QByteArray, member);
        QFETCH(bool, changes);
        Fixture f;
        const QMetaProperty meta =
            f.frame->metaObject()->property(f.frame->metaObject()->indexOfProperty(member));
        QVERIFY(meta.hasNotifySignal());
        QSignalSpy notified(f.frame, QByteArray("2" + meta.notifySignal().methodSignature()).constData());
        QSignalSpy changed(f.frame, &Vantrel::PropertyChanged);
        if (!value.isValid()) {
            value = f.frame->property(property.constData());
        }
        f.frame->setProperty(property.constData(), value);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), key);
        QCOMPARE(notified.count(), changes ? 1 : 0);
    }

    void enabledAndRefreshChangeNothingOnScreen() {
        Fixture f;
        const QImage before = f.frame->grab().toImage();
        f.frame->setProperty("Enabled", false);
        QVERIFY(QMetaObject::invokeMethod(f.frame, "Refresh"));
        QCOMPARE(f.frame->property("Enabled").toBool(), false);
        QCOMPARE(f.frame->grab().toImage(), before);
    }

    void captionAndFontSize() {
        Fixture f;
        f.frame->setCaption(QString());
        QCOMPARE(f.frame->Caption(), QString());
        QCOMPARE(f.child<QLabel>("Label1(1)")->text(), QString());

        f.frame->setFontSize(20);
        const FrameLayout& l = VantrelPrivate::get(f.frame)->layoutTwips();
        for (int i = 0; i < 2; ++i) {
            QLabel* label = f.child<QLabel>(QStringLiteral("Label1(%1)").arg(i));
            QCOMPARE(label->font().pointSizeF(), 20.0);
            QCOMPARE(l.label[i].top, quellor::intDiv(l.image[2].height - l.label[i].height, 2) + 30.0 * i);
        }
        f.frame->setTitleBarHeight(300);
        f.frame->setFontSize(48); // taller than the bar
        QVERIFY(VantrelPrivate::get(f.frame)->layoutTwips().label[0].top < 0);
        // A size no label can take is refused without a notification.
        QSignalSpy changed(f.frame, &Vantrel::PropertyChanged);
        f.frame->setFontSize(-3);
        QCOMPARE(f.frame->FontSize(), 48.0f);
        QCOMPARE(changed.count(), 0);
    }

    void greenThenSilverRestoresTheInitialLook() {
        Fixture f;
        QPixmap initial[9];
        for (int i = 1; i <= 8; ++i) {
            initial[i] = f.image(QStringLiteral("Image%1").arg(i))->picture();
        }
        auto labelColour = [&](int i) {
            return f.child<QLabel>(QStringLiteral("Label1(%1)").arg(i))
                ->palette()
                .color(QPalette::WindowText);
        };

        f.frame->setSilverStyle(false);
        for (int i = 1; i <= 8; ++i) {
            QVERIFY(samePicture(f.image(QStringLiteral("Image%1").arg(i))->picture(),
                                f.image(QStringLiteral("green(%1)").arg(i))->picture()));
        }
        QCOMPARE(f.frame->BackColor(), rgb(239, 238, 218));
        QCOMPARE(labelColour(0), QColor(105, 112, 29));
        QCOMPARE(labelColour(1), QColor(152, 172, 104));
        QVERIFY(samePicture(f.image("sminb")->picture(), f.image("top1(0)")->picture()));
        QVERIFY(samePicture(f.image("scloseb")->picture(), f.image("top1(3)")->picture()));

        f.frame->setSilverStyle(true);
        for (int i = 1; i <= 8; ++i) {
            QVERIFY(samePicture(f.image(QStringLiteral("Image%1").arg(i))->picture(), initial[i]));
        }
        QCOMPARE(f.frame->BackColor(), rgb(240, 240, 255));
        QCOMPARE(labelColour(0), QColor(128, 128, 255));
        QCOMPARE(labelColour(1), QColor(192, 192, 255));
        QVERIFY(samePicture(f.image("sminb")->picture(), f.image("tops(0)")->picture()));
        QVERIFY(samePicture(f.image("scloseb")->picture(), f.image("tops(3)")->picture()));
    }

    // ---- caption buttons -------------------------------------------------------------------

    void buttonMoveShowsFaceByButtonMask_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QPointF>("pos");
        QTest::addColumn<int>("face"); // index into tops
        QTest::addColumn<bool>("raised");
        // The close button rests on face 3; a minimise row checks the other box.
        QTest::newRow("left") << "closeb" << 1 << 0 << QPointF(5, 5) << 5 << true;
        QTest::newRow("right") << "closeb" << 2 << 0 << QPointF(5, 5) << 4 << true;
        QTest::newRow("left and right") << "closeb" << 3 << 0 << QPointF(5, 5) << 4 << true;
        QTest::newRow("left with shift")
            << "closeb" << 1 << int(Qt::ShiftModifier) << QPointF(5, 5) << 5 << true;
        QTest::newRow("no button") << "closeb" << 0 << 0 << QPointF(5, 5) << 4 << true;
        QTest::newRow("far edge inclusive") << "closeb" << 0 << 0 << QPointF(20, 20) << 4 << true;
        QTest::newRow("beyond the box") << "closeb" << 1 << 0 << QPointF(21, 5) << 3 << false;
        QTest::newRow("left of the box") << "closeb" << 1 << 0 << QPointF(-1, 5) << 3 << false;
        QTest::newRow("minimise hover") << "minb" << 0 << 0 << QPointF(5, 5) << 1 << true;
        QTest::newRow("minimise pressed") << "minb" << 1 << 0 << QPointF(5, 5) << 2 << true;
    }
    void buttonMoveShowsFaceByButtonMask() {
        QFETCH(QString, button);
        QFETCH(int, buttons);
        QFETCH(int, modifiers);
        QFETCH(QPointF, pos);
        QFETCH(int, face);
        QFETCH(bool, raised);
        Fixture f;
        ImageElement* picture = f.image(button == "closeb" ? "scloseb" : "sminb");
        QTimer* watch = f.frame->findChild<QTimer*>(button == "closeb" ? "Timer2" : "Timer3");
        QList<MouseArgs> moves;
        connect(f.frame, &Vantrel::MouseMove, f.frame, [&](short& b, short& s, float& x, float& y) {
            moves.append({b, s, x, y});
        });
        send(picture, mouse(QEvent::MouseMove, pos, Qt::NoButton, Qt::MouseButtons(buttons),
                            Qt::KeyboardModifiers(modifiers)));
        QVERIFY(samePicture(picture->picture(), f.image(QStringLiteral("tops(%1)").arg(face))->picture()));
        QCOMPARE(moves.count(), raised ? 1 : 0);
        QVERIFY(watch->isActive()); // every move starts the watch, inside or not
        if (raised) {
            // Coordinates relative to the button's box, twips.
            QCOMPARE(moves.at(0).x, float(pos.x() * 15));
            QCOMPARE(moves.at(0).y, float(pos.y() * 15));
            QCOMPARE(moves.at(0).button, short(buttons));
            QCOMPARE(moves.at(0).shift, short(modifiers ? 1 : 0));
        }
    }

    void handlerChangingButtonChangesTheFace() {
        Fixture f;
        connect(f.frame, &Vantrel::MouseMove, f.frame,
                [](short& button, short&, float&, float&) { button = 1; });
        send(f.image("scloseb"), mouse(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::RightButton));
        QVERIFY(samePicture(f.image("scloseb")->picture(), f.image("tops(5)")->picture()));
    }

    void facesFollowTheStyleAtTheNextChange() {
        Fixture f;
        f.frame->setSilverStyle(false);
        send(f.image("sminb"), mouse(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton));
        QVERIFY(samePicture(f.image("sminb")->picture(), f.image("top1(1)")->picture()));
    }

    void watchTickRestoresRestFaceWhenCursorLeaves() {
        Fixture f;
        QWidget* box = f.child("closeb");
        ImageElement* picture = f.image("scloseb");
        QTimer* watch = f.frame->findChild<QTimer*>("Timer2");
        // On the box's last pixel column and row the cursor still counts as inside.
        f.cursor = box->mapToGlobal(QPoint(20, 20));
        send(picture, mouse(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton));
        QTest::qWait(40);
        QVERIFY(watch->isActive());
        QVERIFY(samePicture(picture->picture(), f.image("tops(4)")->picture()));
        f.cursor = box->mapToGlobal(QPoint(21, 5));
        QTRY_VERIFY(!watch->isActive());
        QVERIFY(samePicture(picture->picture(), f.image("tops(3)")->picture()));
    }

    void cursorOutsideBox_data() {
        QTest::addColumn<QPoint>("client");
        QTest::addColumn<double>("scale"); // inner size, twips, square
        QTest::addColumn<bool>("outside");
        QTest::newRow("inside") << QPoint(3, 3) << 300.0 << false;
        QTest::newRow("last column") << QPoint(20, 0) << 300.0 << false;
        QTest::newRow("past last column") << QPoint(21, 0) << 300.0 << true;
        QTest::newRow("above") << QPoint(3, -1) << 300.0 << true;
        QTest::newRow("228 twips is 15 pixels") << QPoint(15, 15) << 228.0 << false;
        QTest::newRow("and not 16") << QPoint(16, 15) << 228.0 << true;
    }
    void cursorOutsideBox() {
        QFETCH(QPoint, client);
        QFETCH(double, scale);
        QFETCH(bool, outside);
        QCOMPARE(vantrel::cursorOutsideBox(client, scale, scale, {15, 15}), outside);
    }

    void pressReleaseMinimisesTheHost() {
        Fixture f;
        ImageElement* picture = f.image("sminb");
        send(picture, mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton));
        QVERIFY(samePicture(picture->picture(), f.image("tops(2)")->picture()));
        send(picture, mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton));
        QVERIFY(samePicture(picture->picture(), f.image("tops(0)")->picture()));
        QCOMPARE(f.host->windowStates, QList<int>{1});
    }

    void minimiseWithoutWindowStateMinimisesTheWindow() {
        QWidget* plain = new QWidget;
        Fixture f(plain);
        send(f.image("sminb"), mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton));
        send(f.image("sminb"), mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton));
        QVERIFY(plain->windowState() & Qt::WindowMinimized);
    }

    void assistivePressClicksTheButton() {
        Fixture f;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(f.image("sminb"));
        QVERIFY(face && face->actionInterface());
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("最小化"));
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.host->windowStates, QList<int>{1});
        QVERIFY(samePicture(f.image("sminb")->picture(), f.image("tops(0)")->picture()));
        // Other pieces are no buttons.
        QCOMPARE(QAccessible::queryAccessibleInterface(f.image("Image1"))->role(), QAccessible::Client);
    }

    // The second press of a double click is no press: one action per double click.
    void doubleClickActsOnce_data() {
        QTest::addColumn<QString>("face");
        QTest::newRow("minimise") << "sminb";
        QTest::newRow("close, refused") << "scloseb";
    }
    void doubleClickActsOnce() {
        QFETCH(QString, face);
        Fixture f;
        f.host->refuseClose = true;
        ImageElement* picture = f.image(face);
        send(picture, mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton));
        send(picture, mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton));
        send(picture, mouse(QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton));
        send(picture, mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton));
        QTest::qWait(20);
        QCOMPARE(f.host->windowStates.size() + f.host->closeRequests, 1);
        // The next single click acts again.
        send(picture, mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton));
        send(picture, mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton));
        QTRY_COMPARE(f.host->windowStates.size() + f.host->closeRequests, 2);
    }

    // The host is the window that holds the frame, however deep the frame lies in it.
    void nestedFrameActsOnItsWindow_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("drag") << "drag";
        QTest::newRow("minimise") << "minimise";
        QTest::newRow("close") << "close";
    }
    void nestedFrameActsOnItsWindow() {
        QFETCH(QString, action);
        Fixture f(nullptr, true);
        if (action == "drag") {
            f.cursor = {500, 300};
            send(f.image("mover"), mouse(QEvent::MouseButtonPress, {9, 3}, Qt::LeftButton, Qt::LeftButton));
            QTRY_VERIFY(!f.host->moves.isEmpty());
            send(f.image("mover"), mouse(QEvent::MouseButtonRelease, {9, 3}, Qt::LeftButton, Qt::NoButton));
            QCOMPARE(f.container->pos(), QPoint(0, 0));
        } else {
            ImageElement* picture = f.image(action == "close" ? "scloseb" : "sminb");
            send(picture, mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton));
            send(picture, mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton));
            if (action == "close") {
                QTRY_COMPARE(f.host->closeRequests, 1);
            } else {
                QCOMPARE(f.host->windowStates, QList<int>{1});
            }
        }
    }

    void watchStopsWhileTheWindowIsMinimised() {
        QWidget* plain = new QWidget;
        Fixture f(plain);
        ImageElement* picture = f.image("sminb");
        QTimer* watch = f.frame->findChild<QTimer*>("Timer3");
        // The cursor stays where the button was: only the window's state says it is gone.
        f.cursor = f.child("minb")->mapToGlobal(QPoint(5, 5));
        send(picture, mouse(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton));
        send(picture, mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton));
        send(picture, mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton));
        QVERIFY(plain->isMinimized());
        QTRY_VERIFY(!watch->isActive());
        QVERIFY(samePicture(picture->picture(), f.image("tops(0)")->picture()));
    }

    void releaseOffTheButtonDoesNothing() {
        Fixture f;
        send(f.image("scloseb"), mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton));
        send(f.image("scloseb"), mouse(QEvent::MouseButtonRelease, {40, 5}, Qt::LeftButton, Qt::NoButton));
        QVERIFY(samePicture(f.image("scloseb")->picture(), f.image("tops(3)")->picture()));
        QCoreApplication::processEvents();
        QCOMPARE(f.host->closeRequests, 0);
        QVERIFY(f.host->isVisible());
    }

    void closeMayBeRefusedByTheHost() {
        Fixture f;
        f.host->refuseClose = true;
        send(f.image("scloseb"), mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton));
        send(f.image("scloseb"), mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton));
        QTRY_COMPARE(f.host->closeRequests, 1);
        QVERIFY(f.host->isVisible());
        QVERIFY(samePicture(f.image("scloseb")->picture(), f.image("tops(3)")->picture()));
    }

    void closeThatDestroysTheHostLeavesNothingBehind() {
        auto* host = new Host;
        host->setAttribute(Qt::WA_DeleteOnClose);
        Fixture f(host);
        QPointer<Vantrel> frame = f.frame;
        QPointer<Host> guard = host;
        send(f.image("scloseb"), mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton));
        send(f.image("scloseb"), mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton));
        QVERIFY(frame); // alive until its handler has returned
        QTRY_VERIFY(!guard);
        QVERIFY(!frame);
        f.frame = nullptr;
    }

    // ---- dragging ----------------------------------------------------------------------------

    void dragMovesTheHostUnderTheCursor_data() {
        QTest::addColumn<bool>("movedBefore");
        QTest::addColumn<QPointF>("grab"); // pixels within the strip
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<int>("margin"); // -1: the frame on the window itself; else nested that far in
        QTest::newRow("no move since creation") << false << QPointF() << 500 * 15.0 - 480 << 300 * 15.0 << -1;
        QTest::newRow("grab offset") << true << QPointF(10, 7) << 500 * 15.0 - 150 - 480 << 300 * 15.0 - 105
                                     << -1;
        QTest::newRow("half rounds to even, down")
            << true << QPointF(0, 7.5) << 7500.0 - 480 << 4500.0 - 112 << -1;
        QTest::newRow("half rounds to even, up")
            << true << QPointF(0, 8.5) << 7500.0 - 480 << 4500.0 - 128 << -1;
        QTest::newRow("nested at the corner")
            << true << QPointF(10, 7) << 7500.0 - 150 - 480 << 4500.0 - 105 << 0;
        QTest::newRow("nested 20 px in")
            << true << QPointF(10, 7) << 7500.0 - 150 - 480 - 300 << 4500.0 - 105 - 300 << 20;
    }
    void dragMovesTheHostUnderTheCursor() {
        QFETCH(bool, movedBefore);
        QFETCH(QPointF, grab);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(int, margin);
        Fixture f(nullptr, margin >= 0, std::max(margin, 0));
        ImageElement* mover = f.image("mover");
        QTimer* timer = f.frame->findChild<QTimer*>("Timer1");
        if (movedBefore) {
            send(mover, mouse(QEvent::MouseMove, grab, Qt::NoButton, Qt::NoButton));
        }
        f.cursor = {500, 300};
        // Any mouse button drags; the press's own coordinates are not used.
        send(mover, mouse(QEvent::MouseButtonPress, {99, 3}, Qt::RightButton, Qt::RightButton));
        QVERIFY(timer->isActive());
        QCOMPARE(mover->cursor().shape(), Qt::SizeAllCursor);
        QTRY_VERIFY(!f.host->moves.isEmpty());
        QCOMPARE(f.host->moves.first().first, left);
        QCOMPARE(f.host->moves.first().second, top);
        send(mover, mouse(QEvent::MouseButtonRelease, {99, 3}, Qt::RightButton, Qt::NoButton));
        QVERIFY(!timer->isActive());
        QVERIFY(!mover->testAttribute(Qt::WA_SetCursor));
    }

    void hostWithoutMoveIsMovedInPixels() {
        QWidget* plain = new QWidget;
        Fixture f(plain);
        send(f.image("mover"), mouse(QEvent::MouseMove, {10, 7}, Qt::NoButton, Qt::NoButton));
        f.cursor = {300, 200};
        send(f.image("mover"), mouse(QEvent::MouseButtonPress, {10, 7}, Qt::LeftButton, Qt::LeftButton));
        QTRY_COMPARE(plain->pos(), QPoint(300 - 10 - 32, 200 - 7));
        send(f.image("mover"), mouse(QEvent::MouseButtonRelease, {10, 7}, Qt::LeftButton, Qt::NoButton));
    }

    // ---- events --------------------------------------------------------------------------------

    void surfaceRaisesMouseEventsAndClick() {
        Fixture f;
        QStringList log;
        connect(f.frame, &Vantrel::MouseDown, f.frame, [&](short& b, short& s, float& x, float& y) {
            log << QStringLiteral("down %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
        });
        connect(f.frame, &Vantrel::MouseUp, f.frame, [&](short& b, short&, float& x, float& y) {
            log << QStringLiteral("up %1 %2 %3").arg(b).arg(x).arg(y);
        });
        connect(f.frame, &Vantrel::Click, f.frame, [&] { log << "click"; });
        connect(f.frame, &Vantrel::DblClick, f.frame, [&] { log << "dblclick"; });
        QWindow* window = f.host->windowHandle();
        QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 100));
        QCOMPARE(log, (QStringList{"down 1 1 1500 1500", "up 1 1500 1500", "click"}));

        // The pieces, the caption and the strip raise nothing.
        log.clear();
        for (QPoint p : {QPoint(2, 100), QPoint(10, 2), QPoint(100, 10), QPoint(200, 264), QPoint(15, 15)}) {
            QTest::mouseClick(window, Qt::LeftButton, {}, p);
        }
        QCOMPARE(log, QStringList());

        QTest::mouseDClick(window, Qt::LeftButton, {}, QPoint(100, 100));
        QVERIFY(log.contains("dblclick"));
    }

    void keysRaiseDownPressUp() {
        Fixture f;
        QStringList log;
        connect(f.frame, &Vantrel::KeyDown, f.frame,
                [&](short& k, short& s) { log << QStringLiteral("down %1 %2").arg(k).arg(s); });
        connect(f.frame, &Vantrel::KeyPress, f.frame,
                [&](short& a) { log << QStringLiteral("press %1").arg(a); });
        connect(f.frame, &Vantrel::KeyUp, f.frame,
                [&](short& k, short& s) { log << QStringLiteral("up %1 %2").arg(k).arg(s); });
        QTest::keyClick(f.frame, Qt::Key_A);
        QTest::keyClick(f.frame, Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(log, (QStringList{"down 65 0", "press 97", "up 65 0", "down 17 2", "down 116 2", "up 116 2",
                                   "up 17 0"}));
    }

    // Virtual-key codes of a PC keyboard's keys, as KeyDown reports them.
    void keyCodes_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        const int keypad = Qt::KeypadModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("letter") << int(Qt::Key_Q) << 0 << 0x51;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0 << 0x7B;
        QTest::newRow(";") << int(Qt::Key_Semicolon) << 0 << 0xBA;
        QTest::newRow(": is the ; key") << int(Qt::Key_Colon) << shift << 0xBA;
        QTest::newRow("=") << int(Qt::Key_Equal) << 0 << 0xBB;
        QTest::newRow(",") << int(Qt::Key_Comma) << 0 << 0xBC;
        QTest::newRow("-") << int(Qt::Key_Minus) << 0 << 0xBD;
        QTest::newRow(".") << int(Qt::Key_Period) << 0 << 0xBE;
        QTest::newRow("/") << int(Qt::Key_Slash) << 0 << 0xBF;
        QTest::newRow("`") << int(Qt::Key_QuoteLeft) << 0 << 0xC0;
        QTest::newRow("[") << int(Qt::Key_BracketLeft) << 0 << 0xDB;
        QTest::newRow("\\") << int(Qt::Key_Backslash) << 0 << 0xDC;
        QTest::newRow("]") << int(Qt::Key_BracketRight) << 0 << 0xDD;
        QTest::newRow("'") << int(Qt::Key_Apostrophe) << 0 << 0xDE;
        QTest::newRow("! is the 1 key") << int(Qt::Key_Exclam) << shift << 0x31;
        QTest::newRow("NumLock") << int(Qt::Key_NumLock) << 0 << 0x90;
        QTest::newRow("ScrollLock") << int(Qt::Key_ScrollLock) << 0 << 0x91;
        QTest::newRow("PrintScreen") << int(Qt::Key_Print) << 0 << 0x2C;
        QTest::newRow("Windows key") << int(Qt::Key_Super_L) << 0 << 0x5B;
        QTest::newRow("right Windows key") << int(Qt::Key_Super_R) << 0 << 0x5C;
        QTest::newRow("menu key") << int(Qt::Key_Menu) << 0 << 0x5D;
        QTest::newRow("keypad 5") << int(Qt::Key_5) << keypad << 101;
        QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 0x60;
        QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << keypad << 0x6A;
        QTest::newRow("keypad +") << int(Qt::Key_Plus) << keypad << 0x6B;
        QTest::newRow("keypad -") << int(Qt::Key_Minus) << keypad << 0x6D;
        QTest::newRow("keypad .") << int(Qt::Key_Period) << keypad << 0x6E;
        QTest::newRow("keypad /") << int(Qt::Key_Slash) << keypad << 0x6F;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 0x0D;
        QTest::newRow("keypad 5 without NumLock") << int(Qt::Key_Clear) << keypad << 0x0C;
        QTest::newRow("keypad Home without NumLock") << int(Qt::Key_Home) << keypad << 0x24;
        QTest::newRow("volume up") << int(Qt::Key_VolumeUp) << 0 << 0xAF;
    }
    void keyCodes() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        Fixture f;
        short reported = -1;
        connect(f.frame, &Vantrel::KeyDown, f.frame, [&](short& k, short&) { reported = k; });
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QApplication::sendEvent(f.frame, &press);
        QCOMPARE(int(reported), code);
    }

    // ---- persistence -----------------------------------------------------------------------------

    void storedFrameOfTheProgramLoads() {
        Fixture f;
        quellor::PropertyBag bag;
        bag.append("_extentx", 7223);
        bag.append("_extenty", 6376);
        bag.writeProperty("标题栏高度", 380, 500);
        QImage icon(32, 32, QImage::Format_Indexed8);
        icon.setColorCount(16);
        icon.fill(3);
        QByteArray ico;
        {
            QBuffer b(&ico);
            b.open(QIODevice::WriteOnly);
            QVERIFY(icon.save(&b, "ICO"));
        }
        bag.writeProperty("Icon", quellor::PropertyBag::pictureValue(ico), QVariant());
        for (int i = 0; i < 3; ++i) {
            bag.writeProperty("Caption", QStringLiteral("软件说明"), QString());
        }
        bag.writeProperty("BackColor", qint32(rgb(240, 240, 255)), qint32(0x8000000F));

        Vantrel* frame = new Vantrel(f.host);
        frame->ReadProperties(bag);
        QCOMPARE(int(frame->TitleBarHeight()), 380);
        QCOMPARE(frame->Caption(), QStringLiteral("软件说明"));
        QCOMPARE(VantrelPrivate::get(frame)->storedCaption(), QStringLiteral("软件说明"));
        QCOMPARE(frame->BackColor(), rgb(240, 240, 255));
        QVERIFY(frame->SilverStyle());
        QCOMPARE(frame->FontSize(), 12.0f);
        QCOMPARE(frame->ForeColor(), 0);
        QVERIFY(!frame->Enabled());
        QCOMPARE(VantrelPrivate::get(frame)->iconPicture()->data, ico);
        QCOMPARE(frame->Icon().size(), QSize(32, 32));
        frame->setGeometry(0, 0, 273, 145);
        frame->show();
        QCOMPARE(VantrelPrivate::get(frame)->layoutTwips().image[1].height, 380.0);
        QVERIFY(samePicture(frame->findChild<ImageElement*>("ico")->picture(), frame->Icon()));
    }

    void readConversions_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("bar 250 as stored")
            << "标题栏高度" << QVariant(250) << QByteArray("TitleBarHeight") << QVariant(250);
        QTest::newRow("bar 600 as stored")
            << "标题栏高度" << QVariant(600) << QByteArray("TitleBarHeight") << QVariant(600);
        QTest::newRow("bar as text") << "标题栏高度" << QVariant("tall") << QByteArray("TitleBarHeight")
                                     << QVariant(500);
        // Beyond 16 bits is no height (it once saturated to 32767 and was saved back).
        QTest::newRow("bar beyond 16 bits")
            << "标题栏高度" << QVariant(99999) << QByteArray("TitleBarHeight") << QVariant(500);
        QTest::newRow("bar below 16 bits")
            << "标题栏高度" << QVariant(-40000) << QByteArray("TitleBarHeight") << QVariant(500);
        QTest::newRow("bar at 16-bit edge")
            << "标题栏高度" << QVariant(32767.4) << QByteArray("TitleBarHeight") << QVariant(32767);
        QTest::newRow("silver false")
            << "银白色风格" << QVariant(0) << QByteArray("SilverStyle") << QVariant(false);
        QTest::newRow("silver as 1") << "银白色风格" << QVariant(1) << QByteArray("SilverStyle")
                                     << QVariant(true);
        QTest::newRow("enabled -1") << "Enabled" << QVariant(-1) << QByteArray("Enabled") << QVariant(true);
        QTest::newRow("font size 9.5")
            << "FontSize" << QVariant(9.5f) << QByteArray("FontSize") << QVariant(9.5f);
        QTest::newRow("font size 0") << "FontSize" << QVariant(0) << QByteArray("FontSize")
                                     << QVariant(12.0f);
        QTest::newRow("fore colour rounds")
            << "ForeColor" << QVariant(2.5) << QByteArray("ForeColor") << QVariant(2);
        QTest::newRow("not a picture")
            << "Icon" << QVariant("x") << QByteArray("Icon") << QVariant(QPixmap());
    }
    void readConversions() {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, expected);
        Fixture f;
        quellor::PropertyBag bag;
        bag.append(key, stored);
        f.frame->ReadProperties(bag);
        const QVariant actual = f.frame->property(property.constData());
        if (expected.typeId() == QMetaType::QPixmap) {
            QVERIFY(actual.value<QPixmap>().isNull());
        } else {
            QCOMPARE(actual.toDouble(), expected.toDouble());
        }
    }

    void readingIntoAShownFrameFitsItsLabels() {
        Fixture f;
        auto* label = f.child<QLabel>("Label1(0)");
        const int before = label->width();
        quellor::PropertyBag bag;
        bag.writeProperty("Caption", QStringLiteral("一个长得多的标题 Lumacore"), QString());
        f.frame->ReadProperties(bag);
        QVERIFY(label->width() > before);
        QCOMPARE(label->width(), QFontMetrics(label->font()).horizontalAdvance(label->text()) + 1);
        QCOMPARE(f.child<QLabel>("Label1(1)")->width(), label->width());
    }

    void missingEntriesReadAsDefaults() {
        Fixture f;
        auto* frame = new Vantrel(f.host);
        frame->ReadProperties(quellor::PropertyBag());
        QCOMPARE(frame->Caption(), QStringLiteral("Lumacore1.0"));
        QCOMPARE(VantrelPrivate::get(frame)->storedCaption(), QString());
        QVERIFY(frame->SilverStyle());
        QCOMPARE(frame->BackColor(), 0x8000000Fu); // button face until shown
        QCOMPARE(oleColor(frame->BackColor()), QApplication::palette().color(QPalette::Button));
        frame->show();
        QCOMPARE(frame->BackColor(), rgb(240, 240, 255));
    }

    void persistedBackColorGivesWayAtShow_data() {
        QTest::addColumn<bool>("silver");
        QTest::addColumn<quint32>("shown");
        QTest::newRow("silver") << true << rgb(240, 240, 255);
        QTest::newRow("green") << false << rgb(239, 238, 218);
    }
    void persistedBackColorGivesWayAtShow() {
        QFETCH(bool, silver);
        QFETCH(quint32, shown);
        Fixture f;
        auto* frame = new Vantrel(f.host);
        quellor::PropertyBag bag;
        bag.writeProperty("BackColor", qint32(rgb(1, 2, 3)), qint32(0x8000000F));
        bag.writeProperty("银白色风格", silver ? -1 : 0, -1);
        frame->ReadProperties(bag);
        QCOMPARE(frame->BackColor(), rgb(1, 2, 3));
        frame->show();
        QCOMPARE(frame->BackColor(), shown);
        // Set while visible, it stays until the style is next applied.
        frame->setBackColor(rgb(9, 9, 9));
        QCOMPARE(frame->grab().toImage().pixelColor(100, 100), QColor(9, 9, 9));
    }

    void newFrameStoresOnlyItsBackColor() {
        Fixture f;
        auto* frame = new Vantrel(f.host);
        frame->InitProperties();
        quellor::PropertyBag bag;
        frame->WriteProperties(bag);
        QCOMPARE(keys(bag), QList<QString>{"backcolor"});
        QCOMPARE(bag.readProperty("BackColor").toUInt(), rgb(240, 240, 255));
    }

    void everythingChangedIsWrittenInOrderAndReadBack() {
        Fixture f;
        f.frame->setForeColor(rgb(1, 2, 3));
        f.frame->setEnabledFlag(true);
        f.frame->setTitleBarHeight(420);
        f.frame->setIcon(QPixmap(16, 16));
        f.frame->setCaption("新标题");
        f.frame->setFontSize(9);
        f.frame->setSilverStyle(false);
        f.frame->setBackColor(rgb(7, 8, 9));
        quellor::PropertyBag bag;
        f.frame->WriteProperties(bag);
        QCOMPARE(keys(bag), (QList<QString>{"forecolor", "enabled", "标题栏高度", "icon", "caption",
                                            "caption", "fontsize", "backcolor", "银白色风格"}));
        QCOMPARE(bag.readProperty("Enabled").toInt(), -1);
        QCOMPARE(bag.readProperty("银白色风格").toInt(), 0);

        const auto copy = quellor::PropertyBag::deserialize(bag.serialize());
        QVERIFY(copy);
        Fixture g;
        g.frame->ReadProperties(*copy);
        for (const char* p :
             {"ForeColor", "Enabled", "TitleBarHeight", "Caption", "FontSize", "BackColor", "SilverStyle"}) {
            QCOMPARE(g.frame->property(p), f.frame->property(p));
        }
        QCOMPARE(g.frame->Icon().size(), QSize(16, 16));
    }

    void captionChangedAfterLoadSurvivesSaveAndLoad() {
        Fixture f;
        quellor::PropertyBag stored;
        for (int i = 0; i < 3; ++i) {
            stored.writeProperty("Caption", QStringLiteral("提示信息"), QString());
        }
        f.frame->ReadProperties(stored);
        f.frame->setCaption(QStringLiteral("新的标题"));
        quellor::PropertyBag saved;
        f.frame->WriteProperties(saved);
        QStringList captions;
        for (const auto& e : saved.entries()) {
            if (e.key == "caption") {
                captions << e.value.toString();
            }
        }
        QCOMPARE(captions, (QStringList{"新的标题", "新的标题", "提示信息"}));
        Fixture g;
        g.frame->ReadProperties(saved);
        QCOMPARE(g.frame->Caption(), QStringLiteral("新的标题"));
        QCOMPARE(VantrelPrivate::get(g.frame)->storedCaption(), QStringLiteral("新的标题"));
    }
};

QTEST_MAIN(TestFrameWidget)
#include "test_frame_widget.moc"
