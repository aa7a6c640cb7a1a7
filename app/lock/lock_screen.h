#pragma once
// SPDX-License-Identifier: MIT
// The lock screen: a topmost black window over every screen with falling coloured points. The
// password box appears after forty mouse moves; the right password brings the main window back,
// the third wrong one or a close request without the password powers the computer off.

#include "frame_pacer.h"
#include "services.h"
#include "star_canvas.h"
#include "star_field.h"
#include "title_bar_input.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

class QEventLoopLocker;
class QSessionManager;

namespace quellor {

class Forms;
class PasswordStore;
class PlainButton;
class ScreenCover;
class TextBox;

class Form10 : public QWidget {
    Q_OBJECT
    // First, so the point field can hold on to it.
    SeededRandom m_random;

public:
    static constexpr int kMovesToShowBox = 40;
    static constexpr int kWrongToPowerOff = 3;
    // Frames per second of the animation, and at most this many per event-loop turn.
    static constexpr int kFrameRate = 720;
    static constexpr int kFramesPerTurn = 10;

    Form10(Services& services, Forms& forms, PasswordStore& store);
    ~Form10() override;

    // Shows the lock over the whole screen, above everything, and keeps it there.
    void present();

    // Said once a run where the desktop lets no program hold the screen and the keyboard.
    static QString lockWarningText() {
        return tr("此桌面不允许程序独占屏幕和键盘,程序退出时锁屏也会消失,已同时请求系统锁定本会话。");
    }
    // Said when another program kept the keyboard and the mouse as the lock went up.
    static QString inputTakenText() {
        return tr("另一个程序占用着键盘和鼠标,锁屏无法独占它们,已同时请求系统锁定本会话。");
    }

    // Child controls, by their names.
    TextBox* Text1 = nullptr;        // the password, shown as "*"
    PlainButton* Command1 = nullptr; // "确定(&Y)"

    // The lock's state, read by tests.
    bool locked() const { return m_Locked; }
    const QString& password() const { return m_Password; }
    int wrongCount() const { return m_WrongCount; }
    int moveCount() const { return m_MoveCount; }
    int scheme() const { return m_Scheme; }
    const StarField& stars() const { return m_Stars; }

private:
    // State, as the behaviour names it.
    bool m_Locked = false;
    QString m_Password;
    int m_WrongCount = 0;
    int m_MoveCount = 0;
    int m_Scheme = 0;
    StarField m_Stars;

public:
    // Handlers, in the order the behaviour runs.
    void Form_Load();
    void runFrames(int count);
    void Form_MouseMove();
    void Command1_Click();
    // A request to close, whatever its source; false while the lock holds.
    bool Form_QueryUnload();

    // The field's size in twips: the window's outer size.
    int fieldWidth() const;
    int fieldHeight() const;
    const StarCanvas& canvas() const { return m_canvas; }
    std::int64_t framesRun() const { return m_pacer.framesRun(); }
    const std::vector<ScreenCover*>& covers() const { return m_covers; }
    // Covers over the strips of its own screen that its frame leaves bare.
    const std::vector<ScreenCover*>& strips() const { return m_strips; }
    TitleBarInput& titleBar() { return *m_titleBar; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createControls();
    void showOverScreens(bool inputHeld);
    void animationTurn();
    void powerOff();
    void sessionEnding(QSessionManager* manager);
    void putBack();
    void updateCovers();
    void updateStrips();

    Services& m_services;
    Forms& m_forms;
    PasswordStore& m_store;
    StarCanvas m_canvas;
    TitleBarInput* m_titleBar = nullptr;
    FramePacer m_pacer{kFrameRate, kFramesPerTurn};
    QTimer m_animation;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceRepaint;
    std::vector<ScreenCover*> m_covers;
    std::vector<ScreenCover*> m_strips;
    QRegion m_bare;
    bool m_sessionCloseSeen = false;
    std::unique_ptr<QEventLoopLocker> m_waitingForInput;
};

} // namespace quellor
