#pragma once
// SPDX-License-Identifier: MIT
// The frame as form files and Qt Designer see it. Forms name the class "Vantrel", and a form file
// holds only its own value types: the frame keeps a 16-bit bar height and a float font size,
// which no form writer stores, so this class shows them as int and double. The properties are
// listed again so that they form one group, in the order a loader applies them: the style
// before the back colour, which setting the style would reset.

#include "vantrel/vantrel.h"

class Vantrel : public vantrel::Vantrel {
    Q_OBJECT
    Q_PROPERTY(int ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledFlag)
    Q_PROPERTY(int TitleBarHeight READ titleBarHeight WRITE setTitleBarHeight)
    Q_PROPERTY(QPixmap Icon READ Icon WRITE setIcon)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(double FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool SilverStyle READ SilverStyle WRITE setSilverStyle)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)

public:
    // A frame placed on a form starts from the built-in values; a loaded form then applies its
    // stored properties over them.
    explicit Vantrel(QWidget* parent = nullptr);

    int titleBarHeight() const { return TitleBarHeight(); }
    // Values beyond the 16-bit range saturate before the frame's own 300..550 clamp.
    void setTitleBarHeight(int twips);
    double fontSize() const { return FontSize(); }
    void setFontSize(double points);
};
