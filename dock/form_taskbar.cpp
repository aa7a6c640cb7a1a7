// SPDX-License-Identifier: MIT

#include "form_taskbar.h"

#include "controls.h"

#include <QEvent>

namespace quellor {

namespace {

qint16 readInt16(const PropertyBag& bag, const QString& key, qint16 defaultValue) {
    bool ok = false;
    const double value = bag.readProperty(key, defaultValue).toDouble(&ok);
    return ok ? toInt16(value) : defaultValue;
}

} // namespace

Form_TaskBar::Form_TaskBar(QWidget* parent, Platform& platform, MessageBoxes& messages)
    : QWidget(parent), m_platform(platform), m_messages(messages) {
    setObjectName(QStringLiteral("Form_TaskBar"));
    Label1.setObjectName(QStringLiteral("Label1"));
    Label1.setText(QStringLiteral("TaskBar"));
    Label1.setAttribute(Qt::WA_TransparentForMouseEvents);
    Label1.adjustSize();
    resize(Label1.size());

    tmrDelayedInit.setObjectName(QStringLiteral("tmrDelayedInit"));
    tmrCheckMouseOver.setObjectName(QStringLiteral("tmrCheckMouseOver"));
    tmrAppFocus.setObjectName(QStringLiteral("tmrAppFocus"));
    tmrSliding.setObjectName(QStringLiteral("tmrSliding"));
    connect(&tmrDelayedInit, &QTimer::timeout, this, &Form_TaskBar::tmrDelayedInit_Timer);
    connect(&tmrCheckMouseOver, &QTimer::timeout, this, &Form_TaskBar::tmrCheckMouseOver_Timer);
    connect(&tmrAppFocus, &QTimer::timeout, this, &Form_TaskBar::tmrAppFocus_Timer);
    connect(&tmrSliding, &QTimer::timeout, this, &Form_TaskBar::tmrSliding_Timer);

    // The host is set up once its window exists, on the first tick; the platform is told of its
    // window as soon as it exists, before it is first shown.
    if (parent && parent->isWindow()) {
        parent->installEventFilter(this);
        attachHost();
    }
    tmrDelayedInit.setInterval(1);
    tmrDelayedInit.start();
}

bool Form_TaskBar::eventFilter(QObject* watched, QEvent* event) {
    // The widget makes itself a new Qt window when some of its flags change.
    if (watched == parentWidget() && event->type() == QEvent::WinIdChange) {
        attachHost();
    }
    return QWidget::eventFilter(watched, event);
}

void Form_TaskBar::attachHost() {
    QWidget* host = parentWidget();
    QWindow* window = host && host->internalWinId() ? host->windowHandle() : nullptr;
    if (window && window == m_dockedWindow) {
        return;
    }
    m_dockWindow.reset();
    m_dockedWindow = window;
    if (!window) {
        return; // no native window now; the next one is attached when it is created
    }
    m_dockWindow = m_platform.makeDock(static_cast<WindowId>(window->winId()), *this);
    if (m_HostForm.isValid() && !crossingsReported()) {
        tmrCheckMouseOver.start(200);
    }
}

void Form_TaskBar::setNumSteps(qint16 numSteps) {
    m_NumSteps = numSteps;
    Q_EMIT PropertyChanged(QStringLiteral("NumSteps"));
}

void Form_TaskBar::setHangDown(qint16 hangDown) {
    m_HangDown = hangDown;
    Q_EMIT PropertyChanged(QStringLiteral("HangDown"));
}

void Form_TaskBar::InitProperties() {
    m_NumSteps = kDefaultNumSteps;
    m_HangDown = kDefaultHangDown;
}

void Form_TaskBar::ReadProperties(const PropertyBag& bag) {
    m_NumSteps = readInt16(bag, QStringLiteral("NumSteps"), kDefaultNumSteps);
    m_HangDown = readInt16(bag, QStringLiteral("HangDown"), kDefaultHangDown);
}

void Form_TaskBar::WriteProperties(PropertyBag& bag) const {
    bag.writeProperty(QStringLiteral("NumSteps"), QVariant::fromValue(m_NumSteps),
                      QVariant::fromValue(kDefaultNumSteps));
    bag.writeProperty(QStringLiteral("HangDown"), QVariant::fromValue(m_HangDown),
                      QVariant::fromValue(kDefaultHangDown));
}

void Form_TaskBar::tmrDelayedInit_Timer() {
    // Stopped before anything else: the failure box below runs a modal loop in which this timer
    // would otherwise fire again and stack up boxes.
    tmrDelayedInit.stop();

    QWidget* host = parentWidget();
    if (!host || !host->isWindow()) {
        // The runtime's description of the error raised when the parent is not a form.
        m_messages.show(host, {tr("类型不匹配"), QString(), MessageIcon::None, true});
        return;
    }
    m_HostForm = HostWindow(host, screenTwips());
    m_HostForm.windowId(); // the native window, made now if it was not yet
    attachHost();

    ReadScreenSize();
    m_HostForm.move(m_screen.centredLeft(m_HostForm.width()), parkedTop());
    SetTopmost(m_HostForm.windowId());
    // With crossings reported, one look finds a cursor that is over the host already.
    tmrCheckMouseOver.start(200);
    if (crossingsReported()) {
        tmrCheckMouseOver_Timer();
    }
    tmrAppFocus.start(200);
}

void Form_TaskBar::pointerEntered() {
    if (m_HostForm.isValid()) {
        tmrCheckMouseOver_Timer();
    }
}

void Form_TaskBar::pointerLeft() {
    if (!m_HostForm.isValid()) {
        return;
    }
    // Still inside after a crossing out: on the row or column just past the window, which count
    // as over it, or under a window that opened over it. Polled until it is out.
    tmrCheckMouseOver_Timer();
    if (m_IsMouseOver) {
        tmrCheckMouseOver.start(200);
    }
}

void Form_TaskBar::tmrCheckMouseOver_Timer() {
    if (!m_HostForm.isValid()) {
        return;
    }
    const ScreenPoint cursor = m_platform.cursorPos();
    const bool inside = insideInclusive(cursor, m_platform.windowRect(m_HostForm.windowId()));
    if (!inside && crossingsReported()) {
        tmrCheckMouseOver.stop(); // the next crossing in wakes it
    }
    if (inside == m_IsMouseOver) {
        return;
    }
    m_IsMouseOver = inside;
    if (inside) {
        Q_EMIT MouseOver();
        if (!m_HasFocus) {
            BeginSlide(true);
        }
    } else {
        Q_EMIT MouseLeft();
        if (!m_HasFocus) {
            BeginSlide(false);
        }
    }
}

void Form_TaskBar::tmrAppFocus_Timer() {
    if (!m_HostForm.isValid()) {
        return;
    }
    const bool focus = m_platform.foregroundWindow() == m_HostForm.windowId();
    if (focus == m_HasFocus) {
        return;
    }
    m_HasFocus = focus;
    if (focus) {
        Q_EMIT AppGotFocus();
        BeginSlide(true);
    } else {
        Q_EMIT AppLostFocus();
        BeginSlide(false);
    }
}

void Form_TaskBar::BeginSlide(bool down) {
    tmrSliding.setInterval(1);
    if (down) {
        if (!m_Out) {
            Q_EMIT StartOpenUp();
        } else if (m_Step < 0) {
            Q_EMIT ChangeOpenUp();
        }
    } else {
        if (m_Out) {
            Q_EMIT StartCloseUp();
        } else if (m_Step > 0) {
            Q_EMIT ChangeCloseUp();
        }
    }
    // Read afresh: the host may have been resized since the last slide.
    m_Step = m_screen.slideStep(m_HostForm.height(), m_NumSteps, down);
    tmrSliding.start();
}

void Form_TaskBar::tmrSliding_Timer() {
    if (!m_HostForm.isValid()) {
        tmrSliding.stop();
        return;
    }
    // The left is kept as it is, so a host dragged sideways slides where the user left it.
    const double left = m_HostForm.left();
    const std::int32_t newTop = toInt32(m_HostForm.top() + m_Step);

    // Tested first whatever the direction: an upward slide of a host dragged below the edge ends here.
    if (newTop >= m_screen.shownTop()) {
        m_HostForm.move(left, m_screen.shownTop());
        m_Out = true;
        m_Step = 0;
        tmrSliding.stop();
        Q_EMIT EndOpenUp();
        return;
    }
    const float parked = static_cast<float>(parkedTop());
    if (newTop > parked) {
        m_HostForm.move(left, newTop);
        return;
    }
    m_HostForm.move(left, parked);
    m_Out = false;
    m_Step = 0;
    tmrSliding.stop();
    Q_EMIT EndCloseUp();
}

void Form_TaskBar::ReadScreenSize() {
    m_screen = DockGeometry(m_platform.desktopRect(), m_HostForm.twips());
}

void Form_TaskBar::SetTopmost(WindowId window) {
    m_platform.setTopmost(window);
}

double Form_TaskBar::parkedTop() const {
    return m_screen.parkedTop(m_HangDown, m_HostForm.height());
}

} // namespace quellor
