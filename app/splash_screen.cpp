// SPDX-License-Identifier: MIT

#include "splash_screen.h"

#include "controls.h"
#include "dialog_window.h"
#include "forms.h"
#include "image_read.h"

#include <QFile>
#include <QPainter>

namespace quellor {

namespace {
constexpr double kPicture2Left = 1800;
constexpr double kPicture2Width = 3660;
constexpr double kPicture2Height = 750;
constexpr double kPicture1Width = 7200;
constexpr double kStep = 100;

const QString kSplashPicture = QStringLiteral(":/assets/splash/splash.bmp");
const QString kTitlePicture = QStringLiteral(":/assets/splash/title.bmp");
} // namespace

PictureBox::PictureBox(const QString& name, const QImage& picture, QWidget* parent)
    : QWidget(parent), m_surface(picture.convertToFormat(QImage::Format_RGB32)) {
    setObjectName(name);
}

void PictureBox::resizeEvent(QResizeEvent*) {
    // Without its picture (a missing file) the box still has a surface to paint on.
    if (m_surface.isNull()) {
        m_surface = QImage(size(), QImage::Format_RGB32);
        m_surface.fill(QColor(128, 128, 128));
    }
}

void PictureBox::paintPicture(const QImage& image, double left, double top, double width, double height) {
    const Twips t = screenTwips();
    QPainter p(&m_surface);
    p.drawImage(QRectF(left / t.x, top / t.y, width / t.x, height / t.y), image);
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_surface.isNull()) {
        p.drawImage(QPoint(0, 0), m_surface);
    }
}

Form3::Form3(Services& services, Forms& forms)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_services(services),
      m_forms(forms) {
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quellor"));
    const Twips t = screenTwips();
    resize(t.toPixelsX(7455), t.toPixelsY(5775));
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(p);
    setAutoFillBackground(true);

    // The picture bears a line of text, so a language may have a picture of its own.
    QString picture =
        tr(":/assets/splash/splash.bmp", "the splash picture with its subtitle in this language");
    if (!QFile::exists(picture)) {
        picture = kSplashPicture;
    }
    Picture1 = new PictureBox(QStringLiteral("Picture1"), readImage(picture, "BMP"), this);
    releaseResourcePages(picture); // decoded: the stored bitmap is not read again
    Picture1->setToolTip(tr("工作愉快"));
    placeTwips(Picture1, 120, 120, kPicture1Width, 5505, t);

    m_title = readImage(kTitlePicture, "BMP");
    releaseResourcePages(kTitlePicture);
    Picture2 = new QLabel(Picture1);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setPixmap(QPixmap::fromImage(m_title));
    Picture2->setScaledContents(true);
    placePicture2();

    Label1 = new QLabel(Picture1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    placeTwips(Label1, 2520, 3960, 3015, 615, t);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &Form3::Timer1_Timer);

    Player = new MediaPlayer(m_services.sound, QStringLiteral("Player"), true, this);
    centreOnScreen(this);
    Form_Load();
}

void Form3::placePicture2() {
    placeTwips(Picture2, kPicture2Left, m_picture2Top, kPicture2Width, kPicture2Height, screenTwips());
}

void Form3::Form_Load() {
    Player->open(m_services.path(QStringLiteral("3.wav")));
    m_ticks = 0;
    QPalette p = Label1->palette();
    p.setColor(QPalette::WindowText, QColor(128, 128, 0)); // 32896
    Label1->setPalette(p);
    Label1->setFont(makeFont(QStringLiteral("宋体"), 10, false));
    Label1->setText(tr("制作：Quellor 开发组\r\n网址：quellor.invalid")
                        .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    Timer1->start();
}

void Form3::Timer1_Timer() {
    ++m_ticks;
    switch (m_ticks) {
    case 1:
    case 3:
    case 5:
        m_picture2Top += kStep;
        placePicture2();
        break;
    case 2:
    case 4:
    case 6:
        m_picture2Top -= kStep;
        placePicture2();
        break;
    case 7:
        Picture2->hide();
        break;
    case 8:
    case 11:
        paintBurst();
        break;
    default:
        break;
    }
    if (m_ticks == kLastTick) {
        Timer1->stop();
        Player->halt();
        m_forms.splashDone();
    }
}

void Form3::paintBurst() {
    // The strip grows downward from 300 twips high, one paint per step; the tallest lands last.
    const int n = toInt16((kPicture1Width - kPicture2Width) / 6);
    for (int i = 0; i <= n; ++i) {
        Picture1->paintPicture(m_title, kPicture2Left, 2400, kPicture2Width, i + 300);
    }
}

void Form3::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The decorative border: the four edges, and diagonals from each corner towards Picture1.
    const Twips t = screenTwips();
    QPainter p(this);
    p.setPen(QColor(64, 64, 64));
    const double r = 7440 / t.x, b = 5760 / t.y, in = 120 / t.x;
    p.drawLine(QPointF(0, 0), QPointF(r, 0));
    p.drawLine(QPointF(0, b), QPointF(r, b));
    p.drawLine(QPointF(0, 0), QPointF(0, b));
    p.drawLine(QPointF(r, 0), QPointF(r, b));
    p.drawLine(QPointF(0, 0), QPointF(in, in));
    p.drawLine(QPointF(r, 0), QPointF(r - in, in));
    p.drawLine(QPointF(0, b), QPointF(in, b - in));
    p.drawLine(QPointF(r, b), QPointF(r - in, b - in));
}

} // namespace quellor
