#pragma once
// SPDX-License-Identifier: MIT
// The program's class cursors: every window (and so every frame and label in it) shows the
// form cursor, every button the button cursor, as a window class cursor does on Windows.

#include <QCursor>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

class QWidget;

namespace quellor {

// A cursor loaded from a .cur or .ani file, ready to set on widgets.
struct LoadedCursor {
    std::vector<QCursor> frames;
    std::vector<int> durationsMs; // one per frame; how long it shows before the next
    bool animated() const { return frames.size() > 1; }
};

// nullptr when the file is missing or is no valid cursor; nothing is reported.
std::shared_ptr<LoadedCursor> loadCursorFromFile(const QString& name);

class ClassCursors : public QObject {
    Q_OBJECT
public:
    // Watches the whole application from construction on.
    explicit ClassCursors(QObject* parent = nullptr);

    // nullptr removes the cursor again. Widgets already on screen follow at once.
    void installFormCursor(std::shared_ptr<LoadedCursor> cursor);
    void installButtonCursor(std::shared_ptr<LoadedCursor> cursor);
    // What windows and frames show, and what buttons show; null for none.
    const std::shared_ptr<LoadedCursor>& formCursor() const { return m_form.cursor; }
    const std::shared_ptr<LoadedCursor>& buttonCursor() const { return m_button.cursor; }

    // Whether either cursor is animated. Its frames only change while the pointer is over one
    // of the program's windows: nobody sees them elsewhere, and each change is a request to the
    // display for every window, which kept a parked main window busy several times a second.
    bool animating() const { return m_form.animated() || m_button.animated(); }
    bool framesRunning() const { return m_timer.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Role { None, Form, Button };

    struct Slot {
        std::shared_ptr<LoadedCursor> cursor;
        size_t frame = 0;
        qint64 remainingMs = 0;
        bool animated() const { return cursor && cursor->animated(); }
        const QCursor* current() const { return cursor ? &cursor->frames[frame] : nullptr; }
        // Never zero, so an animation cannot spin.
        qint64 duration(size_t i) const { return std::max(1, cursor->durationsMs[i]); }
    };

    static Role roleOf(const QWidget* widget);
    void install(Slot& slot, std::shared_ptr<LoadedCursor> cursor);
    void apply(QWidget* widget);
    bool stillOurs(QWidget* widget);
    void forget(QWidget* widget);
    void applyToAll();
    void refresh(Role role);
    void settle(qint64 elapsedMs);
    void catchUp();
    void arm();
    void tick();
    void pointerEntered(QWidget* window);
    void pointerLeft(QWidget* window);

    Slot m_form;
    Slot m_button;
    struct Styled {
        Role role = Role::None;
        QCursor shown;
    };
    QHash<QWidget*, Styled> m_styled; // widgets whose cursor we set, so we never take over others'
    QCursor m_arrow{Qt::ArrowCursor};
    QTimer m_timer;
    QElapsedTimer m_sinceArmed;    // since the frames were last brought up to date
    QPointer<QWidget> m_pointerIn; // the window under the pointer, if it is one of ours
};

// Start-up and the main window's load: (re)load the form cursor from "hand.ani" and the button
// cursor from "hand1.cur" by bare name and install both.
void loadClassCursors(ClassCursors& cursors);

} // namespace quellor
