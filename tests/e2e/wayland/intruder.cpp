// SPDX-License-Identifier: MIT
// A window of another program, started while the lock stands: bright red, so a screenshot shows
// whether it got a place on screen, and it prints every key it receives.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <cstdio>

class Intruder : public QWidget {
protected:
    void keyPressEvent(QKeyEvent* event) override {
        std::printf("key %s\n", qPrintable(event->text()));
        std::fflush(stdout);
    }
    void focusInEvent(QFocusEvent*) override {
        std::printf("focus\n");
        std::fflush(stdout);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Intruder w;
    w.setWindowTitle(QStringLiteral("intruder"));
    QPalette p = w.palette();
    p.setColor(QPalette::Window, QColor(255, 0, 0));
    w.setPalette(p);
    w.setAutoFillBackground(true);
    w.resize(1280, 800);
    w.show();
    std::printf("shown\n");
    std::fflush(stdout);
    return QApplication::exec();
}
