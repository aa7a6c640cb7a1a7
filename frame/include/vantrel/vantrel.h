#pragma once
// SPDX-License-Identifier: MIT
// Vantrel: an XP-look window frame for a borderless host window. It paints the title bar with
// icon and shadowed caption, the minimise and close buttons, the side and bottom edges, and lets
// its window be dragged by the title bar. The minimise and close buttons and the drag act on the
// window that contains the frame, reached by name: a window with a Move(double, double) slot is
// moved through it in twips, one with a writable WindowState property is minimised through it.
//
// Lengths are twips (1/1440 inch, 15 to a pixel at 96 dots per inch); colours are packed
// blue*65536 + green*256 + red, or with the high bit set a system colour by index.

#include "vantrel/property_bag.h"
#include "vantrel/server.h"
#include "vantrel/vantrel_export.h"
#include "vantrel/vantrel_identity.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>

namespace vantrel {

class VantrelPrivate;

class VANTREL_EXPORT Vantrel : public QWidget, public PersistPropertyBag {
    Q_OBJECT
    Q_INTERFACES(vantrel::PersistPropertyBag)

    VANTREL_IDENTITY_CLASSINFO
    // Properties carry their persistence names; two of them are not plain ASCII.
    Q_CLASSINFO("PropertyName:TitleBarHeight", "标题栏高度")
    Q_CLASSINFO("PropertyName:SilverStyle", "银白色风格")
    Q_CLASSINFO("DispId:ForeColor", "0x68030007")
    Q_CLASSINFO("DispId:Enabled", "0x68030006")
    Q_CLASSINFO("DispId:Refresh", "0x60030020")
    Q_CLASSINFO("DispId:TitleBarHeight", "0x68030005")
    Q_CLASSINFO("DispId:Icon", "0x68030004")
    Q_CLASSINFO("DispId:Caption", "0x68030003")
    Q_CLASSINFO("DispId:FontSize", "0x68030002")
    Q_CLASSINFO("DispId:BackColor", "0x68030001")
    Q_CLASSINFO("DispId:SilverStyle", "0x68030000")
    Q_CLASSINFO("DispId:Click", "1")
    Q_CLASSINFO("DispId:DblClick", "2")
    Q_CLASSINFO("DispId:KeyDown", "3")
    Q_CLASSINFO("DispId:KeyPress", "4")
    Q_CLASSINFO("DispId:KeyUp", "5")
    Q_CLASSINFO("DispId:MouseDown", "6")
    Q_CLASSINFO("DispId:MouseMove", "7")
    Q_CLASSINFO("DispId:MouseUp", "8")
    Q_CLASSINFO("Description:ForeColor", "返回/设置对象中文本和图形的前景色。")
    Q_CLASSINFO("Description:Enabled", "返回/设置一个值，决定一个对象是否响应用户生成事件。")
    Q_CLASSINFO("Description:Refresh", "强制完全重画一个对象。")
    Q_CLASSINFO("Description:FontSize", "指定给定层的每一行出现的字体大小(以磅为单位)。")
    Q_CLASSINFO("Description:BackColor", "返回/设置对象中文本和图形的背景色。")
    Q_CLASSINFO("Description:Click", "当用户在一个对象上按下并释放鼠标按钮时发生。")
    Q_CLASSINFO("Description:DblClick",
                "当用户在一个对象上按下并释放鼠标按钮后再次按下并释放鼠标按钮时发生。")
    Q_CLASSINFO("Description:KeyDown", "当用户在拥有焦点的对象上按下任意键时发生。")
    Q_CLASSINFO("Description:KeyPress", "当用户按下和释放 ANSI 键时发生。")
    Q_CLASSINFO("Description:KeyUp", "当用户在拥有焦点的对象上释放键时发生。")
    Q_CLASSINFO("Description:MouseDown", "当用户在拥有焦点的对象上按下鼠标按钮时发生。")
    Q_CLASSINFO("Description:MouseMove", "当用户移动鼠标时发生。")
    Q_CLASSINFO("Description:MouseUp", "当用户在拥有焦点的对象上释放鼠标发生。")

    Q_PROPERTY(qint32 ForeColor READ ForeColor WRITE setForeColor NOTIFY ForeColorChanged)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledFlag NOTIFY EnabledChanged)
    Q_PROPERTY(qint16 TitleBarHeight READ TitleBarHeight WRITE setTitleBarHeight NOTIFY TitleBarHeightChanged)
    Q_PROPERTY(QPixmap Icon READ Icon WRITE setIcon NOTIFY IconChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY CaptionChanged)
    Q_PROPERTY(float FontSize READ FontSize WRITE setFontSize NOTIFY FontSizeChanged)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(bool SilverStyle READ SilverStyle WRITE setSilverStyle NOTIFY SilverStyleChanged)

public:
    explicit Vantrel(QWidget* parent = nullptr);
    ~Vantrel() override;

    // Persistence names of the two properties whose C++ names are ASCII stand-ins; by-name
    // access (setProperty, property) answers to them as well.
    static QString titleBarHeightKey(); // "标题栏高度"
    static QString silverStyleKey();    // "银白色风格"

    // Stored and reported only: the caption colours come from the style.
    qint32 ForeColor() const;
    void setForeColor(qint32 value);
    // Stored and reported only: False leaves the buttons and the drag working.
    bool Enabled() const;
    void setEnabledFlag(bool value);
    // Title-bar height in twips, kept within 300..550.
    qint16 TitleBarHeight() const;
    void setTitleBarHeight(qint16 value);
    QPixmap Icon() const;
    void setIcon(const QPixmap& picture);
    QString Caption() const;
    void setCaption(const QString& text);
    // Point size of the caption; a size no font can take is refused.
    float FontSize() const;
    void setFontSize(float size);
    // The surface's colour; applying a style (each time the frame is shown) replaces it.
    quint32 BackColor() const;
    void setBackColor(quint32 color);
    // Silver (true) or green (false) pictures and colours.
    bool SilverStyle() const;
    void setSilverStyle(bool silver);

    Q_INVOKABLE void Refresh() {}

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Persistence with the host: the built-in values of a frame placed anew, or its stored
    // properties read from and written to a bag (see VariantMapBag for one over a QVariantMap).
    void InitProperties() override;
    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

Q_SIGNALS:
    void Click();
    void DblClick();
    void KeyDown(short& KeyCode, short& Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void MouseMove(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);
    // A persisted property was set, with its persistence key, so that the host saves again.
    void PropertyChanged(const QString& key);

    // Each property's value changed, whatever changed it.
    void ForeColorChanged(qint32 value);
    void EnabledChanged(bool value);
    void TitleBarHeightChanged(qint16 value);
    void IconChanged();
    void CaptionChanged(const QString& text);
    void FontSizeChanged(float size);
    void BackColorChanged(quint32 color);
    void SilverStyleChanged(bool silver);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    friend class VantrelPrivate;
    std::unique_ptr<VantrelPrivate> d;
};

} // namespace vantrel
