// SPDX-License-Identifier: MIT

#include "class_cursors.h"

#include "cursor_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

namespace quellor {

std::shared_ptr<LoadedCursor> loadCursorFromFile(const QString& name) {
    const std::optional<CursorFrames> parsed = loadCursorFile(name);
    if (!parsed || parsed->frames.empty()) {
        return nullptr;
    }
    auto cursor = std::make_shared<LoadedCursor>();
    // One pixmap per image, however many steps show it: an animation may repeat one large
    // image thousands of times.
    QHash<int, QCursor> made;
    for (const CursorFrame& frame : parsed->frames) {
        auto it = made.find(frame.imageIndex);
        if (it == made.end()) {
            it = made.insert(frame.imageIndex,
                             QCursor(QPixmap::fromImage(frame.image), frame.hotspot.x(), frame.hotspot.y()));
        }
        cursor->frames.push_back(*it);
        cursor->durationsMs.push_back(std::max(1, frame.durationMs));
    }
    return cursor;
}

ClassCursors::ClassCursors(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ClassCursors::tick);
    qApp->installEventFilter(this);
}

void ClassCursors::installFormCursor(std::shared_ptr<LoadedCursor> cursor) {
    install(m_form, std::move(cursor));
}

void ClassCursors::installButtonCursor(std::shared_ptr<LoadedCursor> cursor) {
    install(m_button, std::move(cursor));
}

bool ClassCursors::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (!watched->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(watched);
    if (type == QEvent::Polish || type == QEvent::Show || type == QEvent::ParentChange) {
        apply(widget);
    }
    if (widget->isWindow()) {
        if (type == QEvent::Enter) {
            pointerEntered(widget);
        } else if (type == QEvent::Leave || type == QEvent::Hide) {
            pointerLeft(widget);
        }
    }
    return false;
}

ClassCursors::Role ClassCursors::roleOf(const QWidget* widget) {
    if (qobject_cast<const QAbstractButton*>(widget)) {
        return Role::Button;
    }
    if (!widget->isWindow()) {
        return Role::None; // children show their window's cursor unless they set their own
    }
    switch (widget->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Tool:
    case Qt::SplashScreen:
        return Role::Form;
    default:
        return Role::None; // menus, tool tips and the like keep the system's cursors
    }
}

void ClassCursors::install(Slot& slot, std::shared_ptr<LoadedCursor> cursor) {
    catchUp();
    if (cursor && (cursor->frames.empty() || cursor->durationsMs.size() < cursor->frames.size())) {
        cursor = nullptr; // not a usable cursor: the same as none
    }
    slot.cursor = std::move(cursor);
    slot.frame = 0;
    slot.remainingMs = slot.animated() ? slot.duration(0) : 0;
    applyToAll();
    arm();
}

// Whether the widget still shows the cursor we gave it; its own code may have picked another since.
bool ClassCursors::stillOurs(QWidget* widget) {
    const auto styled = m_styled.constFind(widget);
    if (styled == m_styled.constEnd()) {
        return false;
    }
    if (widget->testAttribute(Qt::WA_SetCursor) && widget->cursor() == styled->shown) {
        return true;
    }
    forget(widget);
    return false;
}

void ClassCursors::apply(QWidget* widget) {
    const Role role = roleOf(widget);
    const bool ours = stillOurs(widget);
    if (!ours && widget->testAttribute(Qt::WA_SetCursor)) {
        return; // a cursor of the widget's own (a text field's I-beam) wins, as on Windows
    }
    const QCursor* wanted = nullptr;
    if (role == Role::Form) {
        wanted = m_form.current();
    } else if (role == Role::Button) {
        // A button without a class cursor shows the arrow, not the hand of the window behind it.
        wanted = m_button.current() ? m_button.current() : (m_form.current() ? &m_arrow : nullptr);
    }
    if (wanted) {
        if (!ours) {
            connect(widget, &QObject::destroyed, this,
                    [this](QObject* gone) { m_styled.remove(static_cast<QWidget*>(gone)); });
        }
        widget->setCursor(*wanted);
        m_styled.insert(widget, {role, *wanted});
    } else if (ours) {
        widget->unsetCursor();
        if (widget->testAttribute(Qt::WA_SetCursor)) {
            // A window keeps the attribute with the arrow; it stays ours for the next cursor.
            m_styled[widget].shown = widget->cursor();
        } else {
            forget(widget);
        }
    }
}

void ClassCursors::forget(QWidget* widget) {
    m_styled.remove(widget);
    disconnect(widget, &QObject::destroyed, this, nullptr);
}

void ClassCursors::applyToAll() {
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        if (widget->testAttribute(Qt::WA_WState_Polished) || m_styled.contains(widget)) {
            apply(widget);
        }
    }
}

void ClassCursors::refresh(Role role) {
    const Slot& slot = role == Role::Form ? m_form : m_button;
    if (!slot.current()) {
        return;
    }
    const QList<QWidget*> widgets = m_styled.keys();
    for (QWidget* widget : widgets) {
        if (m_styled.value(widget).role == role && stillOurs(widget)) {
            widget->setCursor(*slot.current());
            m_styled[widget].shown = *slot.current();
        }
    }
}

// Moves each animation on by the time that has passed, showing the frames that are now due.
void ClassCursors::settle(qint64 elapsedMs) {
    for (auto [slot, role] : {std::pair{&m_form, Role::Form}, std::pair{&m_button, Role::Button}}) {
        if (!slot->animated()) {
            continue;
        }
        const size_t frames = slot->cursor->frames.size();
        qint64 cycle = 0;
        for (size_t i = 0; i < frames; ++i) {
            cycle += slot->duration(i);
        }
        slot->remainingMs -= elapsedMs;
        if (slot->remainingMs <= 0) {
            slot->remainingMs = -((-slot->remainingMs) % cycle); // a long stall skips whole cycles
            while (slot->remainingMs <= 0) {
                slot->frame = (slot->frame + 1) % frames;
                slot->remainingMs += slot->duration(slot->frame);
            }
            refresh(role);
        }
    }
}

void ClassCursors::catchUp() {
    if (m_sinceArmed.isValid()) {
        settle(m_sinceArmed.elapsed());
    }
}

// One timer serves both cursors, set for whichever frame change comes first; it rests while the
// pointer is elsewhere, and the frames catch up with the time that passed when it comes back.
void ClassCursors::arm() {
    qint64 next = -1;
    for (const Slot* slot : {&m_form, &m_button}) {
        if (slot->animated()) {
            next = next < 0 ? slot->remainingMs : std::min(next, slot->remainingMs);
        }
    }
    m_sinceArmed.start();
    if (next < 0 || !m_pointerIn) {
        m_timer.stop();
        return;
    }
    m_timer.start(static_cast<int>(std::max<qint64>(1, next)));
}

void ClassCursors::tick() {
    catchUp();
    arm();
}

void ClassCursors::pointerEntered(QWidget* window) {
    if (m_pointerIn == window) {
        return;
    }
    m_pointerIn = window;
    catchUp();
    arm();
}

void ClassCursors::pointerLeft(QWidget* window) {
    if (m_pointerIn == window) {
        m_pointerIn = nullptr;
        m_timer.stop();
    }
}

void loadClassCursors(ClassCursors& cursors) {
    cursors.installFormCursor(loadCursorFromFile(QStringLiteral("hand.ani")));
    cursors.installButtonCursor(loadCursorFromFile(QStringLiteral("hand1.cur")));
}

} // namespace quellor
