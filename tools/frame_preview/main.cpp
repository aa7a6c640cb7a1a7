// SPDX-License-Identifier: MIT
// vantrel_preview [caption]: two borderless windows, one framed in the silver style and one in
// the green, with a button on each; drag them by their title bars.

#include <vantrel/vantrel.h>

#include <QApplication>
#include <QPushButton>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString caption = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("软件说明");
    for (bool silver : {true, false}) {
        auto* host = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
        host->setAttribute(Qt::WA_DeleteOnClose);
        host->setWindowTitle(silver ? QStringLiteral("silver") : QStringLiteral("green"));
        host->resize(330, 180);
        auto* button = new QPushButton(QStringLiteral("返回系统"), host);
        button->setGeometry(220, 140, 90, 26);
        auto* frame = new vantrel::Vantrel(host);
        frame->InitProperties();
        frame->setCaption(caption);
        frame->setTitleBarHeight(380);
        frame->setIcon(QPixmap(QStringLiteral(":/vantrel/icon.ico")));
        frame->setSilverStyle(silver);
        frame->setGeometry(host->rect());
        frame->lower();
        host->move(60 + (silver ? 0 : 380), 60);
        host->show();
    }
    return app.exec();
}
