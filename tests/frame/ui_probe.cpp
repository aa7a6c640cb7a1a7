// SPDX-License-Identifier: MIT
// Loads a form file through QUiLoader with the frame's Designer plugin and prints what its frame
// shows, for the end-to-end check of forms saved by Qt Designer:
//   ui_probe <plugin dir> <form.ui>
// prints "Class=", "Caption=", "TitleBarHeight=" and "Icon=<width>x<height>" lines, or exits 1.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QTextStream>
#include <QUiLoader>
#include <QWidget>

#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        QTextStream(stderr) << "usage: ui_probe <plugin dir> <form.ui>\n";
        return 1;
    }
    QFile form(QString::fromLocal8Bit(argv[2]));
    if (!form.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "cannot read " << form.fileName() << "\n";
        return 1;
    }
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QString::fromLocal8Bit(argv[1]));
    loader.setWorkingDirectory(QFileInfo(form).absoluteDir());
    const std::unique_ptr<QWidget> root(loader.load(&form));
    QWidget* frame = root ? root->findChild<QWidget*>(QStringLiteral("Vantrel1")) : nullptr;
    if (!frame) {
        QTextStream(stderr) << "no frame in " << form.fileName() << ": " << loader.errorString() << "\n";
        return 1;
    }
    const QPixmap icon = frame->property("Icon").value<QPixmap>();
    QTextStream out(stdout);
    out << "Class=" << frame->metaObject()->className() << "\n"
        << "Caption=" << frame->property("Caption").toString() << "\n"
        << "TitleBarHeight=" << frame->property("TitleBarHeight").toInt() << "\n"
        << "Icon=" << icon.width() << "x" << icon.height() << "\n";
    return 0;
}
