// SPDX-License-Identifier: MIT
// The floor for the idle figure: a Qt program whose window only shows the time, changed every second.

#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel clock;
    clock.setWindowTitle(QStringLiteral("clock"));
    clock.setAlignment(Qt::AlignCenter);
    clock.resize(297, 241); // the main window's size at 96 dpi
    auto show = [&clock] { clock.setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); };
    show();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &clock, show);
    tick.start(1000);
    clock.show();
    return QApplication::exec();
}
