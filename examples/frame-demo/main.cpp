// SPDX-License-Identifier: MIT
// frame-demo: a borderless window framed by a Vantrel that sits in the window's layout, with the
// window's own controls inside the frame: a caption to type and the two colour styles. Drag it
// by its title bar; the frame's buttons minimise and close it.
//
//   frame-demo [--check]   --check switches both styles through the buttons, checks what the
//                          frame shows and reports, then quits (for running without a user).

#include <vantrel/vantrel.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

namespace {

QColor colourOf(quint32 packed) {
    return QColor(packed & 0xff, (packed >> 8) & 0xff, (packed >> 16) & 0xff);
}

int check(vantrel::Vantrel* frame, QRadioButton* silver, QRadioButton* green) {
    int styleChanges = 0;
    QObject::connect(frame, &vantrel::Vantrel::SilverStyleChanged, frame, [&] { ++styleChanges; });
    const QPoint interior(frame->width() / 2, frame->height() - 20);
    QColor previous;
    for (QRadioButton* button : {green, silver}) {
        button->click();
        QApplication::processEvents();
        const bool wantSilver = button == silver;
        const QColor shown = frame->grab().toImage().pixelColor(interior);
        if (frame->SilverStyle() != wantSilver || shown != colourOf(frame->BackColor()) ||
            shown == previous) {
            std::fprintf(stderr, "frame-demo: the %s style is not shown\n", wantSilver ? "silver" : "green");
            return 1;
        }
        std::printf("frame-demo: %s style, surface %s\n", wantSilver ? "silver" : "green",
                    qPrintable(shown.name()));
        previous = shown;
    }
    if (styleChanges != 2) {
        std::fprintf(stderr, "frame-demo: SilverStyleChanged came %d times\n", styleChanges);
        return 1;
    }
    // The settings a host would keep with its window, under their stored names.
    vantrel::VariantMapBag bag;
    frame->WriteProperties(bag);
    vantrel::Vantrel copy;
    copy.ReadProperties(bag);
    if (copy.Caption() != frame->Caption() ||
        bag.values().value(QStringLiteral("标题栏高度")).toInt() != 400) {
        std::fprintf(stderr, "frame-demo: the settings did not survive a save and load\n");
        return 1;
    }
    const QSize min = frame->minimumSizeHint();
    std::printf("frame-demo: ok, frame %dx%d, at least %dx%d\n", frame->width(), frame->height(), min.width(),
                min.height());
    return frame->width() >= min.width() && frame->height() >= min.height() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);

    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("frame-demo"));
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);

    auto* frame = new vantrel::Vantrel;
    frame->InitProperties();
    frame->setCaption(QStringLiteral("Vantrel 示例"));
    frame->setTitleBarHeight(400);
    outer->addWidget(frame);

    // The window's own controls, inside the frame below its title bar.
    auto* inside = new QVBoxLayout(frame);
    inside->setContentsMargins(16, 16 + 400 / 15, 16, 16);
    auto* caption = new QLineEdit(frame->Caption());
    inside->addWidget(caption);
    auto* styles = new QHBoxLayout;
    auto* silver = new QRadioButton(QStringLiteral("银白色风格"));
    auto* green = new QRadioButton(QStringLiteral("橄榄绿风格"));
    silver->setChecked(true);
    styles->addWidget(silver);
    styles->addWidget(green);
    inside->addLayout(styles);
    inside->addStretch();

    QObject::connect(caption, &QLineEdit::textChanged, frame, &vantrel::Vantrel::setCaption);
    QObject::connect(silver, &QRadioButton::toggled, frame, &vantrel::Vantrel::setSilverStyle);
    QObject::connect(frame, &vantrel::Vantrel::SilverStyleChanged, silver, &QRadioButton::setChecked);
    QObject::connect(frame, &vantrel::Vantrel::SilverStyleChanged, green,
                     [green](bool s) { green->setChecked(!s); });

    window.resize(480, 320);
    window.show();
    if (argc > 1 && std::strcmp(argv[1], "--check") == 0) {
        QApplication::processEvents();
        return check(frame, silver, green);
    }
    return app.exec();
}
