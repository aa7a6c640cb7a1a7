#pragma once
// SPDX-License-Identifier: MIT
// Form_TaskBar: placed on a top-level window, it parks that window above the top edge of the desktop
// with a thin strip showing, keeps it above other windows, and slides it into view while the cursor
// is over it or it is the foreground window. It runs on its own from four timers; the host never
// calls it. Where the platform reports the pointer crossing the host's window, the cursor is polled
// only from a crossing until it is found outside, so a parked dock costs nothing while the pointer
// is elsewhere.

#include "dock_geometry.h"
#include "host_window.h"
#include "message_box.h"
#include "platform.h"
#include "property_bag.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdint>
#include <memory>

namespace quellor {

class Form_TaskBar : public QWidget, private DockObserver {
    Q_OBJECT
    Q_PROPERTY(qint16 NumSteps READ NumSteps WRITE setNumSteps)
    Q_PROPERTY(qint16 HangDown READ HangDown WRITE setHangDown)
    Q_CLASSINFO("NumSteps", "The number of steps drawn while moving the taskbar down.")
    Q_CLASSINFO("HangDown", "How many pixels will hang down into the screen.")

public:
    static constexpr qint16 kDefaultNumSteps = 4;
    static constexpr qint16 kDefaultHangDown = 2;

    // The parent must be the top-level window to dock; anything else is reported once the event loop
    // runs and leaves the dock inert.
    Form_TaskBar(QWidget* parent, Platform& platform, MessageBoxes& messages);

    qint16 NumSteps() const { return m_NumSteps; }
    void setNumSteps(qint16 numSteps);
    qint16 HangDown() const { return m_HangDown; }
    void setHangDown(qint16 hangDown);

    Q_INVOKABLE bool IsTaskbarOut() const { return m_Out || m_Step != 0; }
    Q_INVOKABLE bool IsTaskbarMoving() const { return m_Step != 0; }

    // Whether the cursor is polled now.
    bool pollingCursor() const { return tmrCheckMouseOver.isActive(); }

    // Persistence through the host's stored layout.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

Q_SIGNALS:
    void AppGotFocus();
    void AppLostFocus();
    void EndOpenUp();
    void EndCloseUp();
    void StartOpenUp();
    void StartCloseUp();
    void ChangeCloseUp();
    void ChangeOpenUp();
    void MouseOver();
    void MouseLeft();
    // Not an event of the dock: tells the container that a persisted property needs saving.
    void PropertyChanged(const QString& name);

public Q_SLOTS:
    void tmrDelayedInit_Timer();
    void tmrCheckMouseOver_Timer();
    void tmrAppFocus_Timer();
    void tmrSliding_Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pointerEntered() override;
    void pointerLeft() override;
    void attachHost();
    bool crossingsReported() const { return m_dockWindow && m_dockWindow->reportsCrossings(); }
    void ReadScreenSize();
    void SetTopmost(WindowId window);
    void BeginSlide(bool down);
    double parkedTop() const;

    Platform& m_platform;
    MessageBoxes& m_messages;

    QLabel Label1{this};
    QTimer tmrDelayedInit{this};
    QTimer tmrCheckMouseOver{this};
    QTimer tmrAppFocus{this};
    QTimer tmrSliding{this};

    // The platform's dock lives as long as the host's Qt window; it follows that window's native
    // windows itself.
    std::unique_ptr<DockWindow> m_dockWindow;
    QPointer<QWindow> m_dockedWindow;
    HostWindow m_HostForm;
    DockGeometry m_screen;
    bool m_Out = false;
    std::int32_t m_Step = 0;
    bool m_HasFocus = false;
    bool m_IsMouseOver = false;
    qint16 m_NumSteps = kDefaultNumSteps;
    qint16 m_HangDown = kDefaultHangDown;
};

} // namespace quellor
