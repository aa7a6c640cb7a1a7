// SPDX-License-Identifier: MIT
// The floor for start-up: a Qt program that only shows one empty window.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(497, 385); // the splash, the first window the program shows, at 96 dpi
    window.show();
    return QApplication::exec();
}
