#pragma once
// Vantrel: an XP-look window frame for a borderless host form. It paints the title bar with icon
// and shadowed caption, the minimise and close buttons, the side and bottom edges, and lets the
// host be dragged by its title bar. It knows nothing of its host beyond calling it by name.

#include "caption_button.h"
#include "drag.h"
#include "elements.h"
#include "layout.h"
#include "picture.h"
#include "units.h"
#include "vantrel/server.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QTimer;

namespace vantrel {

class Vantrel : public QWidget, public PersistPropertyBag {
    Q_OBJECT
    Q_INTERFACES(vantrel::PersistPropertyBag)

    Q_CLASSINFO("ClassID", "{7E8A1A54-670B-11D7-B92A-00E04C3C232C}")
    Q_CLASSINFO("ProgID", "VantrelLib.Vantrel")
    Q_CLASSINFO("InterfaceID", "{835588BD-9769-11D7-B92B-00E04C3C232C}")
    Q_CLASSINFO("InterfaceName", "_Vantrel")
    Q_CLASSINFO("InterfaceFlags", "dual,hidden")
    Q_CLASSINFO("EventsID", "{835588BE-9769-11D7-B92B-00E04C3C232C}")
    Q_CLASSINFO("EventsName", "__Vantrel")
    Q_CLASSINFO("EventsFlags", "dispatch,hidden")
    Q_CLASSINFO("TypeLibID", "{7E8A1A52-670B-11D7-B92A-00E04C3C232C}")
    Q_CLASSINFO("TypeLibVersion", "10.0")
    Q_CLASSINFO("TypeLibLocale", "0x0409")
    Q_CLASSINFO("TypeLibDescription", "VantrelLib")
    Q_CLASSINFO("Control", "yes")
    Q_CLASSINFO("PropertyPage", "{7E8A1A57-670B-11D7-B92A-00E04C3C232C}")
    Q_CLASSINFO("ToolboxBitmap", ":/vantrel/bitmap/30000")
    Q_CLASSINFO("Version", "1.00")
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

    Q_PROPERTY(qint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledFlag)
    Q_PROPERTY(qint16 TitleBarHeight READ TitleBarHeight WRITE setTitleBarHeight)
    Q_PROPERTY(QPixmap Icon READ Icon WRITE setIcon)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(float FontSize READ FontSize WRITE setFontSize)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool SilverStyle READ SilverStyle WRITE setSilverStyle)

public:
    explicit Vantrel(QWidget* parent = nullptr);
    ~Vantrel() override;

    // Persistence names of the two properties whose C++ names are ASCII stand-ins.
    static const QString kTitleBarHeightKey; // "标题栏高度"
    static const QString kSilverStyleKey;    // "银白色风格"

    qint32 ForeColor() const { return m_ForeColor; }
    void setForeColor(qint32 value);
    bool Enabled() const { return m_Enabled; }
    void setEnabledFlag(bool value);
    qint16 TitleBarHeight() const { return m_TitleBarHeight; }
    void setTitleBarHeight(qint16 value);
    QPixmap Icon() const;
    void setIcon(const QPixmap& picture);
    // The same with the picture's image data (e.g. icon file bytes), kept for persistence.
    void setIconPicture(PictureRef picture);
    PictureRef iconPicture() const { return m_Icon; }
    QString Caption() const;
    void setCaption(const QString& text);
    float FontSize() const { return m_FontSize; }
    void setFontSize(float size);
    quint32 BackColor() const { return m_BackColor; }
    void setBackColor(quint32 color);
    bool SilverStyle() const { return m_SilverStyle; }
    void setSilverStyle(bool silver);

    Q_INVOKABLE void Refresh() {}

    void InitProperties() override;
    void ReadProperties(const quellor::PropertyBag& bag) override;
    void WriteProperties(quellor::PropertyBag& bag) const override;

    // The layout in twips as the notifications last left it.
    const FrameLayout& layoutTwips() const { return m_layout; }
    // Stored only: the host sees the visible caption through Caption.
    const QString& storedCaption() const { return m_Caption; }

    // Seams for the platform: where the cursor is and how many twips make a pixel.
    void setCursorSource(std::function<QPoint()> source);
    void setTwipsSource(std::function<quellor::Twips()> source);
    quellor::Twips twips() const;

signals:
    void Click();
    void DblClick();
    void KeyDown(short& KeyCode, short& Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void MouseMove(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);
    // The container's notification that a persisted property changed, with its key.
    void PropertyChanged(const QString& key);

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
    void createElements();
    void Initialize();
    void Resize();
    void Show();
    void ApplyStyle(const bool& Silver);
    void applyFontSize(float size);
    // Labels size themselves to their one line of text.
    void fitLabels();
    // Shows the twips layout in pixels, growing the frame itself when the minimum size asks.
    void applyLayout();
    void mirrorNamedProperties();
    MouseArgs surfaceArgs(QMouseEvent* event, Qt::MouseButtons buttons) const;
    void raiseMouse(void (Vantrel::*signal)(short&, short&, float&, float&), const MouseArgs& args);

    // Frame state, in the order the control keeps it; the drag state lives in the drag strip's
    // controller.
    bool m_SilverStyle = true;
    QString m_Caption;
    float m_FontSize = 12;
    PictureRef m_Icon;
    qint32 m_ForeColor = 0;
    bool m_Enabled = false;
    qint16 m_TitleBarHeight = 500;

    quint32 m_BackColor = 0;
    FrameLayout m_layout;

    std::array<ImageElement*, 9> m_Image{};
    ImageElement* m_ico = nullptr;
    std::array<QLabel*, 2> m_Label1{};
    ImageElement* m_mover = nullptr;
    QWidget* m_minb = nullptr;
    QWidget* m_closeb = nullptr;
    ImageElement* m_sminb = nullptr;
    ImageElement* m_scloseb = nullptr;
    std::array<ImageElement*, 6> m_tops{};
    std::array<ImageElement*, 6> m_top1{};
    std::array<ImageElement*, 9> m_white{};
    std::array<ImageElement*, 9> m_green{};
    QTimer* m_Timer1 = nullptr;
    QTimer* m_Timer2 = nullptr;
    QTimer* m_Timer3 = nullptr;
    DragController* m_drag = nullptr;
    CaptionButton* m_minButton = nullptr;
    CaptionButton* m_closeButton = nullptr;

    std::function<QPoint()> m_cursor;
    std::function<quellor::Twips()> m_twips;
    bool m_applyingOwnSize = false;
    bool m_mirroring = false;
    bool m_afterDoubleClick = false;
};

// Windows virtual-key code of a Qt key, as KeyDown and KeyUp report it.
short virtualKeyCode(int qtKey);

} // namespace vantrel
