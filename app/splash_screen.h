#pragma once
// SPDX-License-Identifier: MIT
// The start-up splash: a start-up sound, a bouncing title strip and two paint bursts, then after
// fourteen ticks of 500 ms the main window.

#include "media_player.h"
#include "services.h"

#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace quellor {

class Forms;

// A picture box with a persistent drawing surface: what is painted on it stays.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& name, const QImage& picture, QWidget* parent);
    // Paints `image` stretched into a rectangle given in twips of this box.
    void paintPicture(const QImage& image, double left, double top, double width, double height);
    const QImage& surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage m_surface;
};

class Form3 : public QWidget {
    Q_OBJECT
public:
    Form3(Services& services, Forms& forms);

    PictureBox* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;
    MediaPlayer* Player = nullptr;

    int ticks() const { return m_ticks; }
    // Top of the title strip, twips within Picture1.
    double picture2Top() const { return m_picture2Top; }

    // Handlers, in the order the behaviour runs.
    void Form_Load();
    void Timer1_Timer();

    static constexpr int kTickMs = 500;
    static constexpr int kLastTick = 14;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placePicture2();
    void paintBurst();

    Services& m_services;
    Forms& m_forms;
    std::int16_t m_ticks = 0;
    double m_picture2Top = 2400;
    QImage m_title;
};

} // namespace quellor
