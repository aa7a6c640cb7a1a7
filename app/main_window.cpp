// SPDX-License-Identifier: MIT

#include "main_window.h"

#include "controls.h"
#include "form_taskbar.h"
#include "forms.h"
#include "frame_host.h"
#include "image_read.h"
#include "paint_on_screen.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QScopedValueRollback>
#include <QStandardPaths>
#include <QTimer>

namespace quellor {

namespace {

const QColor kFieldBack(224, 224, 224);
const QColor kFieldText(128, 128, 0);
const QColor kCaptionBlue(128, 128, 255);
const QColor kWindowBack(240, 240, 255);

const QString kSongTi = QStringLiteral("宋体");
const QString kYouYuan = QStringLiteral("幼圆");

// A centred text field in the clock's colours, named after the button that arms it.
TextBox* field(QWidget* parent, const QString& name, const QString& tooltip, const QString& accessible,
               const QRectF& twips, const Twips& t) {
    auto* f = new TextBox(name, parent);
    f->setAccessibleName(accessible);
    f->setAlignment(Qt::AlignCenter);
    f->setFont(makeFont(kSongTi, 18, true));
    f->setToolTip(tooltip);
    QPalette p = f->palette();
    p.setColor(QPalette::Base, kFieldBack);
    p.setColor(QPalette::Text, kFieldText);
    p.setColor(QPalette::Disabled, QPalette::Base, kFieldBack);
    f->setPalette(p);
    placeTwips(f, twips.x(), twips.y(), twips.width(), twips.height(), t);
    return f;
}

// The picture buttons stand in one column at the left; `top` in twips.
PictureButton* pictureButton(QWidget* parent, const QString& name, const QString& caption,
                             const QString& tooltip, const QString& picture, double points, double top,
                             const Twips& t) {
    auto* b = new PictureButton(name, caption, parent);
    b->setIcon(readIcon(QStringLiteral(":/assets/buttons/") + picture, "PNG"));
    b->setIconSize(QSize(24, 24));
    b->setColors(kFieldBack, kCaptionBlue);
    b->setFont(makeFont(kYouYuan, points, true));
    b->setToolTip(tooltip);
    placeTwips(b, 120, top, 1815, 495, t);
    return b;
}

PlainButton* plainButton(QWidget* parent, const QString& name, const QString& caption,
                         const QString& tooltip) {
    auto* b = new PlainButton(name, caption, parent);
    b->setFont(makeFont(kSongTi, 10.5, true));
    b->setTextColor(kCaptionBlue);
    b->setToolTip(tooltip);
    return b;
}

QString desktopOrHome() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QDir(desktop).exists()) {
        return desktop;
    }
    return QDir::homePath();
}

} // namespace

Form1::Form1(Services& services, Forms& forms)
    : cdlGetFile(services.files), m_services(services), m_forms(forms), m_schedule(forms.schedule()) {
    // Borderless: the frame control draws the window's frame. What keeps the window parked and on
    // top is the dock's business, through the platform.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quellor4.1"));
    setWindowIcon(readIcon(QStringLiteral(":/assets/icons/quellor-32.png"), "PNG"));
    createControls();
    // The frame heads the tab order, so it holds the focus at start rather than the clock field.
    if (QWidget* frame = attachFrame(this, QStringLiteral("Form1"), m_services.programDir)) {
        setTabOrder(frame, Text2);
        frame->setFocus(Qt::OtherFocusReason);
    }
    connectHandlers();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::createControls() {
    const Twips t = screenTwips();
    resize(t.toPixelsX(4455), t.toPixelsY(3615));
    // Design position, above the top edge; the dock governs it from the first moment on.
    move(t.toPixelsX(5445), t.toPixelsY(-3585));
    QPalette p = palette();
    p.setColor(QPalette::Window, kWindowBack);
    setPalette(p);
    setAutoFillBackground(true);

    // A caption and its tooltip are one text as written; a translation may say more in the tooltip.
    const QString shutdown = tr("定时关机");
    VsNetBut1 = pictureButton(this, QStringLiteral("VsNetBut1"), shutdown, tr("定时关机", "tooltip"),
                              QStringLiteral("shutdown.png"), 14.25, 480, t);
    Text3 = field(this, QStringLiteral("Text3"), QStringLiteral("HH:mm:ss"), shutdown,
                  QRectF(2160, 480, 2175, 495), t);

    const QString alarm = tr("闹钟定时");
    VsNetBut2 = pictureButton(this, QStringLiteral("VsNetBut2"), alarm, tr("闹钟定时", "tooltip"),
                              QStringLiteral("alarm.png"), 14.25, 960, t);
    Text2 = field(this, QStringLiteral("Text2"), QStringLiteral("HH:mm:ss"), alarm,
                  QRectF(2160, 960, 2175, 495), t);

    // Only digits are typed into the time fields; a paste keeps its digits.
    Text3->setDigitsOnly(true);
    Text2->setDigitsOnly(true);

    Command1 = pictureButton(this, QStringLiteral("Command1"), tr("闹钟音乐"), QString(),
                             QStringLiteral("music.png"), 14.25, 1440, t);

    const QString clock = tr("系统时间");
    Frame1 = new QGroupBox(clock, this);
    nameControl(Frame1, QStringLiteral("Frame1"), clock);
    Frame1->setFont(makeFont(kSongTi, 12, true));
    QPalette fp = Frame1->palette();
    fp.setColor(QPalette::Window, kFieldBack);
    fp.setColor(QPalette::WindowText, kCaptionBlue);
    Frame1->setPalette(fp);
    Frame1->setAutoFillBackground(true);
    placeTwips(Frame1, 2160, 1440, 2175, 975, t);
    Text1 = field(Frame1, QStringLiteral("Text1"), tr("系统时间", "tooltip"), clock,
                  QRectF(120, 360, 1935, 495), t);
    new PaintOnScreen(Text1); // the clock changes every second, mostly while parked out of sight

    VsNetBut4 = pictureButton(this, QStringLiteral("VsNetBut4"), tr("锁定计算机"), tr("系统设定", "tooltip"),
                              QStringLiteral("lock.png"), 12, 1920, t);

    Command3 = plainButton(this, QStringLiteral("Command3"), tr("关闭闹钟"), tr("关闭闹钟", "tooltip"));
    placeTwips(Command3, 120, 2520, 975, 375, t);
    Command4 = plainButton(this, QStringLiteral("Command4"), tr("取消闹钟"), tr("取消闹钟", "tooltip"));
    placeTwips(Command4, 1200, 2520, 975, 375, t);
    Command5 = plainButton(this, QStringLiteral("Command5"), tr("取消关机"), tr("取消关机", "tooltip"));
    placeTwips(Command5, 2280, 2520, 975, 375, t);
    Command6 = plainButton(this, QStringLiteral("Command6"), tr("快速关机"), tr("快速关机", "tooltip"));
    placeTwips(Command6, 3360, 2520, 975, 375, t);

    VsNetBut3 = pictureButton(this, QStringLiteral("VsNetBut3"), tr("软件说明"), tr("软件说明", "tooltip"),
                              QStringLiteral("about.png"), 14.25, 3000, t);
    placeTwips(VsNetBut3, 120, 3000, 4215, 495, t); // the one wide button

    Command2 = new PlainButton(QStringLiteral("Command2"), QStringLiteral("X"), this);
    Command2->setFont(makeFont(kSongTi, 14.25, true));
    Command2->setTextColor(QColor(128, 128, 128));
    placeTwips(Command2, 3720, 0, 735, 375, t);

    Form_TaskBar1 = new Form_TaskBar(this, m_services.platform, m_services.messages);
    Form_TaskBar1->move(t.toPixelsX(4200), t.toPixelsY(4440));

    Timer1 = new SecondTicker(m_services.clock, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Player2 = new MediaPlayer(m_services.sound, QStringLiteral("Player2"), true, this);

    const QList<QWidget*> tabOrder{Text2,    Text1,    Text3,    VsNetBut1, VsNetBut2, VsNetBut3, Command2,
                                   Command3, Command4, Command5, VsNetBut4, Command6,  Command1};
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

void Form1::connectHandlers() {
    connect(Timer1, &SecondTicker::tick, this, &Form1::Timer1_Timer);
    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);

    connect(VsNetBut1, &QToolButton::clicked, this, &Form1::VsNetBut1_Click);
    connect(Text3, &TextBox::keyDown, this, &Form1::Text3_KeyDown);
    connect(Text3, &TextBox::keyUp, this, &Form1::Text3_KeyUp);
    connect(Text3, &TextBox::textInserted, this, &Form1::Text3_KeyUp);
    connect(Text3, &TextBox::lostFocus, this, &Form1::Text3_LostFocus);

    connect(VsNetBut2, &QToolButton::clicked, this, &Form1::VsNetBut2_Click);
    connect(VsNetBut2, &PictureButton::lostFocus, this, &Form1::VsNetBut2_LostFocus);
    connect(Text2, &TextBox::gotFocus, this, &Form1::Text2_GotFocus);
    connect(Text2, &TextBox::keyDown, this, &Form1::Text2_KeyDown);
    connect(Text2, &TextBox::keyUp, this, &Form1::Text2_KeyUp);
    connect(Text2, &TextBox::textInserted, this, &Form1::Text2_KeyUp);
    connect(Text2, &TextBox::lostFocus, this, &Form1::Text2_LostFocus);

    connect(Command1, &QToolButton::clicked, this, &Form1::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    connect(VsNetBut3, &QToolButton::clicked, this, &Form1::VsNetBut3_Click);
    connect(VsNetBut4, &QToolButton::clicked, this, &Form1::VsNetBut4_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);

    connect(&m_schedule, &ScheduleModel::armed, this, &Form1::showArmed);
    connect(&m_schedule, &ScheduleModel::cancelled, this, &Form1::showCancelled);
    connect(&m_schedule, &ScheduleModel::alarmDue, this, [this] { Command3->setEnabled(true); });
    connect(&m_schedule, &ScheduleModel::alarmStopped, this, [this] { Command3->setEnabled(false); });
}

void Form1::cue(const QString& file) {
    Player2->open(m_services.path(file));
}

void Form1::Form_Load() {
    loadClassCursors(m_forms.classCursors());
    m_services.platform.enableShutdownPrivilege();
    for (QWidget* w :
         {static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command4), static_cast<QWidget*>(Command5),
          static_cast<QWidget*>(Text3), static_cast<QWidget*>(Text2), static_cast<QWidget*>(Command1)}) {
        w->setEnabled(false);
    }
    // What was armed before the window first loaded (from the command line) shows at once.
    if (!m_schedule.actionText().isEmpty()) {
        showArmed(ScheduleModel::Target::Action);
    }
    if (!m_schedule.alarmText().isEmpty()) {
        showArmed(ScheduleModel::Target::Alarm);
    }
    Command3->setEnabled(m_schedule.ringing());
    Timer1->start();
}

QString Form1::clockText(const QDateTime& t) {
    return t.toString(QStringLiteral("hh:mm:ss"));
}

void Form1::Timer1_Timer() {
    const QDateTime second = m_schedule.tick();
    const QScopedValueRollback<bool> following(m_following, true);
    Text1->setText(clockText(second));
}

void Form1::Text1_Change() {
    // The tick has already checked its own second; an edit by hand is checked as it stands.
    if (!m_following) {
        m_schedule.checkShown(Text1->text());
    }
}

void Form1::showArmed(ScheduleModel::Target target) {
    const QScopedValueRollback<bool> following(m_following, true);
    // The text first: disabling a field that has the focus ends its entry.
    if (target == ScheduleModel::Target::Action) {
        Text3->setProgramText(m_schedule.actionText());
        showActionSet();
    } else {
        Text2->setProgramText(m_schedule.alarmText());
        Text2->setEnabled(false);
        Command4->setEnabled(true);
        VsNetBut2->setEnabled(false);
        Command1->setEnabled(!m_schedule.musicChosenSinceArmed());
    }
}

void Form1::showCancelled(ScheduleModel::Target target) {
    const QScopedValueRollback<bool> following(m_following, true);
    if (target == ScheduleModel::Target::Action) {
        Text3->clear();
        Text3->setEnabled(false);
        Command5->setEnabled(false);
        VsNetBut1->setEnabled(true);
    } else {
        Text2->clear();
        Text2->setEnabled(false);
        Command4->setEnabled(false);
        VsNetBut2->setEnabled(true);
        Command1->setEnabled(false);
    }
}

void Form1::showActionSet() {
    Text3->setEnabled(false);
    Command5->setEnabled(true);
    VsNetBut1->setEnabled(false);
}

void Form1::VsNetBut1_Click() {
    cue(QStringLiteral("2.wav"));
    Text3->setEnabled(true);
    VsNetBut1->setEnabled(false);
    Text3->setFocus(Qt::OtherFocusReason);
}

void Form1::Text3_KeyDown() {
    cue(QStringLiteral("4.wav"));
}

bool Form1::completeTimeEntry(TextBox* field) {
    const QString text = field->text();
    if (text.size() <= 5) {
        return false;
    }
    auto twoDigits = [](const QString& part) {
        bool ok = false;
        const int n = part.toInt(&ok);
        return ok ? QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) : part;
    };
    const QString formatted = twoDigits(text.left(2)) + QLatin1Char(':') + twoDigits(text.mid(2, 2)) +
                              QLatin1Char(':') + twoDigits(text.right(2));
    field->setProgramText(formatted);
    field->setEnabled(false);
    return true;
}

void Form1::Text3_KeyUp() {
    if (completeTimeEntry(Text3)) {
        m_schedule.enterActionTime(Text3->text());
        cue(QStringLiteral("2.wav"));
        Q_EMIT optionsDialogRequested();
    }
}

void Form1::Text3_LostFocus() {
    if (!Text3->text().isEmpty()) {
        // Left half typed, it is set all the same, to a time the clock never shows.
        if (!m_following) {
            m_schedule.enterActionTime(Text3->text());
        }
        showActionSet();
    } else {
        VsNetBut1->setEnabled(true);
        Text3->setEnabled(false);
    }
}

void Form1::VsNetBut2_Click() {
    cue(QStringLiteral("2.wav"));
    Text2->setEnabled(true);
    Text2->setFocus(Qt::OtherFocusReason);
    VsNetBut2->setEnabled(false);
}

void Form1::VsNetBut2_LostFocus() {
    Command1->setEnabled(false);
}

void Form1::Text2_GotFocus() {
    Command1->setEnabled(true);
}

void Form1::Text2_KeyDown() {
    cue(QStringLiteral("4.wav"));
}

void Form1::Text2_KeyUp() {
    if (completeTimeEntry(Text2)) {
        m_schedule.enterAlarmTime(Text2->text());
    }
}

void Form1::Text2_LostFocus() {
    Text2->setEnabled(false);
    Command4->setEnabled(true);
    if (!m_following && !Text2->text().isEmpty()) {
        m_schedule.enterAlarmTime(Text2->text());
    }
}

void Form1::Command1_Click() {
    if (Text2->text().isEmpty()) {
        cue(QStringLiteral("6.wav"));
        Q_EMIT alarmPromptRequested();
    } else {
        cue(QStringLiteral("4.wav"));
        // The files' letter case varies, so the patterns accept any; the first entry shows both kinds.
        cdlGetFile.filter = QStringLiteral("MP3 Files (*.[mM][pP]3 *.[wW][aA][vV]);;*.wav (*.[wW][aA][vV])");
        cdlGetFile.initialDir = desktopOrHome();
        cdlGetFile.showOpen(this);
        m_schedule.chooseMusic(cdlGetFile.fileName());
    }
    Command1->setEnabled(false);
}

void Form1::Command3_Click() {
    cue(QStringLiteral("2.wav"));
    m_schedule.stopAlarm();
}

void Form1::Command4_Click() {
    cue(QStringLiteral("2.wav"));
    m_schedule.cancelAlarm();
}

void Form1::Command5_Click() {
    cue(QStringLiteral("2.wav"));
    m_schedule.cancelAction();
}

void Form1::Command6_Click() {
    m_services.platform.requestPower(PowerAction::PowerOff);
}

void Form1::VsNetBut3_Click() {
    cue(QStringLiteral("5.wav"));
    m_forms.showAbout();
}

void Form1::VsNetBut4_Click() {
    cue(QStringLiteral("2.wav"));
    Q_EMIT lockDialogRequested();
}

void Form1::Command2_Click() {
    m_forms.endProgram();
}

void Form1::setWindowStateByName(int state) {
    if (state != 1 || isMinimized()) {
        return;
    }
    // Shown afresh, minimised: a window system that keeps a docked window from being minimised
    // (X11 window managers iconify no dock) treats it as an ordinary window while it is. Shown
    // afresh again when restored, it is the dock's window again.
    m_minimisedAsNormal = true;
    hide();
    showMinimized();
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_minimisedAsNormal && !isMinimized()) {
        m_minimisedAsNormal = false;
        // Not from inside the state change.
        QTimer::singleShot(0, this, [this] {
            hide();
            show();
        });
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing the main window any way other than "X" ends the program too: a program with no
    // window left and no way to quit would be stranded.
    event->accept();
    m_forms.endProgram();
}

} // namespace quellor
