#pragma once
// SPDX-License-Identifier: MIT
// The main window: the clock, the two time fields, the alarm and power-action buttons.

#include "file_dialog.h"
#include "media_player.h"
#include "schedule_model.h"
#include "second_ticker.h"
#include "services.h"

#include <QDateTime>
#include <QWidget>

class QGroupBox;

namespace quellor {

class Forms;
class Form_TaskBar;
class PictureButton;
class PlainButton;
class TextBox;

class Form1 : public QWidget {
    Q_OBJECT
    // What the frame's minimise button sets, by name: 1 minimises.
    Q_PROPERTY(int WindowState READ WindowState WRITE setWindowStateByName)
public:
    Form1(Services& services, Forms& forms);
    ~Form1() override;

    // Child controls, by their names.
    PictureButton* VsNetBut1 = nullptr; // "定时关机"
    TextBox* Text3 = nullptr;           // power-action time
    PictureButton* VsNetBut2 = nullptr; // "闹钟定时"
    TextBox* Text2 = nullptr;           // alarm time
    PictureButton* Command1 = nullptr;  // "闹钟音乐"
    QGroupBox* Frame1 = nullptr;        // "系统时间"
    TextBox* Text1 = nullptr;           // the clock
    PictureButton* VsNetBut4 = nullptr; // "锁定计算机"
    PlainButton* Command3 = nullptr;    // "关闭闹钟"
    PlainButton* Command4 = nullptr;    // "取消闹钟"
    PlainButton* Command5 = nullptr;    // "取消关机"
    PlainButton* Command6 = nullptr;    // "快速关机"
    PictureButton* VsNetBut3 = nullptr; // "软件说明"
    PlainButton* Command2 = nullptr;    // "X"
    Form_TaskBar* Form_TaskBar1 = nullptr;
    SecondTicker* Timer1 = nullptr;
    MediaPlayer* Player2 = nullptr; // cues, start on open; the alarm music is the schedule's
    FileDialog cdlGetFile;

    // Handlers, in the order the behaviour runs.
    void Form_Load();
    void Timer1_Timer();
    void Text1_Change();

    void VsNetBut1_Click();
    void Text3_KeyDown();
    void Text3_KeyUp();
    void Text3_LostFocus();

    void VsNetBut2_Click();
    void VsNetBut2_LostFocus();
    void Text2_GotFocus();
    void Text2_KeyDown();
    void Text2_KeyUp();
    void Text2_LostFocus();

    void Command1_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void VsNetBut3_Click();
    void VsNetBut4_Click();
    void Command2_Click();

    int WindowState() const { return isMinimized() ? 1 : 0; }
    void setWindowStateByName(int state);

    // Turns six typed digits into "hh:mm:ss" and locks the field; true when it did.
    static bool completeTimeEntry(TextBox* field);
    // The text the clock shows for a moment.
    static QString clockText(const QDateTime& t);

Q_SIGNALS:
    // Windows this one opens; the registry decides how.
    void optionsDialogRequested(); // Form5
    void alarmPromptRequested();   // Form2
    void lockDialogRequested();    // Form9

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void cue(const QString& file);
    // The fields and buttons as the schedule has them, whoever armed or cancelled.
    void showArmed(ScheduleModel::Target target);
    void showCancelled(ScheduleModel::Target target);
    void showActionSet();

    Services& m_services;
    Forms& m_forms;
    ScheduleModel& m_schedule;
    bool m_minimisedAsNormal = false;
    bool m_following = false; // the fields change for the schedule, not for the user
};

} // namespace quellor
