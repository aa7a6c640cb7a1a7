// SPDX-License-Identifier: MIT

#include "lock_screen.h"

#include "controls.h"
#include "forms.h"
#include "line_breaks.h"
#include "password_store.h"
#include "screen_cover.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoopLocker>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QSessionManager>
#include <QShortcut>
#include <QWindow>

#include <algorithm>
#include <limits>

namespace quellor {

namespace {
constexpr int kTurnMs = 10;    // one batch of frames per event-loop turn
constexpr int kRepaintMs = 15; // the picture reaches the screen at most this often
} // namespace

Form10::Form10(Services& services, Forms& forms, PasswordStore& store)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_Stars(m_random), m_services(services), m_forms(forms), m_store(store), m_canvas(screenTwips()) {
    setObjectName(QStringLiteral("Form10"));
    // No text in the title bar. An empty title would be replaced by the program's name.
    setWindowTitle(QStringLiteral(" "));
    setAttribute(Qt::WA_DeleteOnClose);
    // Every pixel comes from the canvas: nothing is erased before painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setMouseTracking(true);
    createControls();

    m_animation.setTimerType(Qt::PreciseTimer);
    m_animation.setInterval(kTurnMs);
    connect(&m_animation, &QTimer::timeout, this, &Form10::animationTurn);
    connect(Command1, &QPushButton::clicked, this, &Form10::Command1_Click);
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) { sessionEnding(&manager); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { sessionEnding(nullptr); });
    connect(qApp, &QGuiApplication::screenAdded, this, &Form10::updateCovers);
    connect(qApp, &QGuiApplication::screenRemoved, this, &Form10::updateCovers);
    Form_Load();
    // The lock itself moves when its screen goes; the screen it leaves then needs a cover.
    connect(windowHandle(), &QWindow::screenChanged, this, &Form10::updateCovers);
}

Form10::~Form10() {
    m_services.platform.setLockWindow(0);
}

void Form10::createControls() {
    const Twips& t = m_canvas.twips();
    Text1 = new TextBox(QStringLiteral("Text1"), this);
    Text1->setAccessibleName(tr("密码"));
    Text1->setFont(makeFont(QStringLiteral("宋体"), 12, true));
    showAsStars(Text1);
    refuseLineBreaks(Text1);
    // A context menu is a popup that would take the lock's grab away.
    Text1->setContextMenuPolicy(Qt::NoContextMenu);
    placeTwips(Text1, 240, 120, 1095, 255, t);
    Text1->hide();

    Command1 = new PlainButton(QStringLiteral("Command1"), tr("确定(&Y)"), this);
    placeTwips(Command1, 1440, 120, 855, 255, t);
    Command1->hide();

    // The system's close key; under the lock's keyboard grab the window manager never sees it.
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    // Nor its title bar's close button or system menu: the lock answers those itself.
    m_titleBar = new TitleBarInput(this);
}

void Form10::present() {
    // Not seen before it holds the input: typing meant for the lock would reach another program.
    // Meanwhile no window of the program may be showing; that must not end it.
    m_waitingForInput = std::make_unique<QEventLoopLocker>();
    m_services.platform.whenLockHoldsInput([lock = QPointer<Form10>(this)](bool held) {
        if (lock) {
            lock->showOverScreens(held);
        }
    });
}

void Form10::showOverScreens(bool inputHeld) {
    showMaximized();
    m_waitingForInput.reset();
    updateCovers();
    updateStrips();
    raise();
    activateWindow();
    QString warning;
    if (!inputHeld) {
        warning = inputTakenText();
    } else if (m_services.platform.lockNeedsWarning()) {
        warning = lockWarningText();
    }
    if (!warning.isEmpty()) {
        // Once the lock stands: the box is modal.
        QTimer::singleShot(0, this, [this, warning] { m_services.messages.warning(this, warning); });
    }
}

void Form10::Form_Load() {
    const auto window = static_cast<WindowId>(winId());
    m_services.platform.setTopmost(window);
    m_services.platform.setLockWindow(window);
    m_services.platform.setScreenSaverRunning(true);
    m_Locked = true;
    m_WrongCount = 0;
    m_MoveCount = 0;

    m_random.seed(static_cast<std::uint64_t>(m_services.clock.now().toMSecsSinceEpoch()));
    m_Scheme = m_Stars.pickScheme();

    // The primary screen's size before the first showing, so the points start spread over it.
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        setGeometry(primary->availableGeometry());
    }
    m_canvas.resize(size());
    m_Stars.scatter(fieldWidth(), fieldHeight());

    m_sinceStart.start();
    m_sinceRepaint.start();
    m_pacer.restart(0);
    m_animation.start();
}

// The window's own outer size bounds the field, title bar and borders included: the field's last
// twips lie below the client area, where a point is drawn nowhere.
int Form10::fieldWidth() const {
    return toInt32(frameGeometry().width() * m_canvas.twips().x);
}

int Form10::fieldHeight() const {
    return toInt32(frameGeometry().height() * m_canvas.twips().y);
}

void Form10::animationTurn() {
    runFrames(m_pacer.framesDue(m_sinceStart.nsecsElapsed()));
    if (m_sinceRepaint.hasExpired(kRepaintMs)) {
        m_sinceRepaint.restart();
        const QRegion dirty = m_canvas.takeDirty();
        if (!dirty.isEmpty()) {
            update(dirty);
        }
    }
}

void Form10::runFrames(int count) {
    const std::uint32_t colour = StarField::schemeColour(m_Scheme);
    for (int i = 0; i < count; ++i) {
        m_Stars.frame(fieldWidth(), fieldHeight(), colour, m_canvas);
    }
}

void Form10::Form_MouseMove() {
    // Counting stops at the fortieth move: nothing later depends on the count.
    if (m_MoveCount >= kMovesToShowBox) {
        return;
    }
    if (++m_MoveCount == kMovesToShowBox) {
        Text1->show();
        Command1->show();
        Text1->setEnabled(true);
        Text1->setFocus();
    }
}

void Form10::Command1_Click() {
    // An unreadable password file falls back to what this run stored; with neither, nothing matches.
    const std::optional<QString> stored = m_store.readForCheck();
    if (stored) {
        m_Password = *stored;
    }
    if (stored && Text1->text() == m_Password) {
        m_Locked = false;
        m_services.platform.setScreenSaverRunning(false);
        m_forms.showMainWindow();
        close();
        return;
    }
    if (m_WrongCount < std::numeric_limits<std::int16_t>::max()) {
        ++m_WrongCount;
    }
    Text1->clear();
    if (m_WrongCount == 1) {
        m_services.messages.information(this, tr("密码错误"));
    } else {
        m_services.messages.warning(this, tr("密码错误,如果密码错误超过三次,计算机将关闭!"));
    }
    // Only a wrong entry can power off: after a power-off that did not take effect, the right
    // password unlocks without another attempt.
    if (m_WrongCount == kWrongToPowerOff) {
        powerOff();
    }
}

bool Form10::Form_QueryUnload() {
    // Any request to close without the password in the box powers off; it never cancels.
    if (Text1->text() != m_Password) {
        powerOff();
    }
    // The lock never lets go while locked.
    return !m_Locked;
}

void Form10::powerOff() {
    m_services.platform.requestPower(PowerAction::PowerOff);
}

void Form10::sessionEnding(QSessionManager* manager) {
    if (manager) {
        m_sessionCloseSeen = true;
        if (!Form_QueryUnload()) {
            manager->cancel();
        }
        return;
    }
    // Quitting cannot be refused; it is a close request unless the session end just made one.
    if (!m_sessionCloseSeen) {
        Form_QueryUnload();
    }
}

void Form10::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region()) {
        painter.drawImage(r.topLeft(), m_canvas.image(), r);
    }
}

void Form10::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    QTimer::singleShot(0, this, &Form10::updateStrips);
}

void Form10::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    QTimer::singleShot(0, this, &Form10::updateStrips);
    if (m_canvas.image().size() != size()) {
        m_canvas.resize(size());
        update();
    }
}

void Form10::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    Form_MouseMove();
}

void Form10::closeEvent(QCloseEvent* event) {
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    m_animation.stop();
    for (ScreenCover* cover : m_covers) {
        delete cover;
    }
    m_covers.clear();
    for (ScreenCover* strip : m_strips) {
        delete strip;
    }
    m_strips.clear();
    event->accept();
}

void Form10::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Minimised or restored to a smaller size, it goes back over the whole screen.
    if (event->type() == QEvent::WindowStateChange && m_Locked && !isMaximized()) {
        QTimer::singleShot(0, this, &Form10::putBack);
    }
}

void Form10::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (m_Locked) {
        QTimer::singleShot(0, this, &Form10::putBack);
    }
}

void Form10::putBack() {
    if (m_Locked && (!isVisible() || isMinimized() || !isMaximized())) {
        present();
    }
}

void Form10::updateCovers() {
    if (!isVisible()) {
        return;
    }
    const QList<QScreen*> screens = QGuiApplication::screens();
    // A screen being removed still holds the lock for a moment; it lands on the primary one.
    QScreen* own = screens.contains(screen()) ? screen() : QGuiApplication::primaryScreen();
    std::erase_if(m_covers, [&](ScreenCover* cover) {
        QScreen* covered = cover->coveredScreen();
        if (covered && covered != own && screens.contains(covered)) {
            return false;
        }
        delete cover;
        return true;
    });
    for (QScreen* s : screens) {
        if (s == own || std::any_of(m_covers.begin(), m_covers.end(),
                                    [s](ScreenCover* c) { return c->coveredScreen() == s; })) {
            continue;
        }
        auto* cover = new ScreenCover(s, this);
        // Before its showing: where the window system decides stacking then, it must know.
        m_services.platform.setTopmost(static_cast<WindowId>(cover->winId()));
        connect(cover, &ScreenCover::mouseMoved, this, &Form10::Form_MouseMove);
        cover->show();
        m_covers.push_back(cover);
    }
}

void Form10::updateStrips() {
    // Window managers keep a maximised window off the strips desktop panels reserve; those are
    // covered apart.
    QScreen* own = screen();
    const QRegion bare =
        isVisible() && m_Locked && own ? QRegion(own->geometry()) - QRegion(frameGeometry()) : QRegion();
    if (bare == m_bare) {
        return;
    }
    m_bare = bare;
    for (ScreenCover* strip : m_strips) {
        delete strip;
    }
    m_strips.clear();
    for (const QRect& area : bare) {
        auto* strip = new ScreenCover(own, this, area);
        connect(strip, &ScreenCover::mouseMoved, this, &Form10::Form_MouseMove);
        strip->show();
        m_strips.push_back(strip);
    }
}

} // namespace quellor
