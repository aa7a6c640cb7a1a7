#include "vantrel.h"

#include "host_link.h"
#include "module.h"
#include "property_bag.h"
#include "styles.h"

#include <QCursor>
#include <QDynamicPropertyChangeEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace vantrel {

using quellor::kFalse;
using quellor::kTrue;
using quellor::rgb;

const QString Vantrel::kTitleBarHeightKey = QStringLiteral("标题栏高度");
const QString Vantrel::kSilverStyleKey = QStringLiteral("银白色风格");

namespace {
const QString kDesignCaption = QStringLiteral("Lumacore1.0");
constexpr quint32 kButtonFace = 0x8000000F;

// A pixel rectangle whose edges are the rounded twips edges, so neighbouring pieces never gap.
QRect toPixels(const TwipsRect& r, const quellor::Twips& t) {
    const int x0 = t.toPixelsX(r.left);
    const int y0 = t.toPixelsY(r.top);
    const int x1 = t.toPixelsX(r.left + r.width);
    const int y1 = t.toPixelsY(r.top + r.height);
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

QFont captionFont() {
    QFont font(QStringLiteral("宋体"));
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")});
    font.setBold(true);
    font.setPointSizeF(12);
    return font;
}

bool validFontSize(float size) {
    return std::isfinite(size) && size > 0 && size <= 2048;
}

// Property-bag conversions. A value that cannot be converted keeps the default: a damaged
// stored layout must not stop the host form from loading.
qint32 bagInt32(const QVariant& v, qint32 fallback) {
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d) || d < -2147483648.0 || d > 4294967295.0) {
        return fallback;
    }
    // Colours above 0x7FFFFFFF (system colours) arrive unsigned from some writers.
    return d > 2147483647.0 ? static_cast<qint32>(static_cast<quint32>(d)) : quellor::toInt32(d);
}

bool bagBool(const QVariant& v, bool fallback) {
    if (v.typeId() == QMetaType::Bool) {
        return v.toBool();
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d != 0 : fallback;
}
} // namespace

Vantrel::Vantrel(QWidget* parent) : QWidget(parent) {
    module::objectCreated();
    installCaptionButtonAccessibility();
    setObjectName(QStringLiteral("Vantrel1"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_cursor = [] { return QCursor::pos(); };
    m_Icon = Picture::empty();
    createElements();
    Initialize();
    mirrorNamedProperties();
}

Vantrel::~Vantrel() {
    module::objectDestroyed();
}

void Vantrel::createElements() {
    // Created back to front, so each piece lies over those made before it.
    auto image = [this](const QString& name) { return new ImageElement(name, this); };
    m_Image[2] = image(QStringLiteral("Image2"));
    for (int i = 0; i < 2; ++i) {
        m_Label1[i] = new QLabel(this);
        m_Label1[i]->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        m_Label1[i]->setProperty("Index", i);
        m_Label1[i]->setAttribute(Qt::WA_NoMousePropagation);
        m_Label1[i]->setAutoFillBackground(false);
        m_Label1[i]->setFont(captionFont());
        m_Label1[i]->setText(kDesignCaption);
    }
    m_Label1[1]->lower();
    m_Image[2]->lower();
    m_Image[1] = image(QStringLiteral("Image1"));
    for (int i = 3; i <= 8; ++i) {
        m_Image[i] = image(QStringLiteral("Image%1").arg(i));
    }
    m_ico = image(QStringLiteral("ico"));
    m_Label1[0]->raise();
    m_mover = image(QStringLiteral("mover"));

    m_minb = new QWidget(this);
    m_minb->setObjectName(QStringLiteral("minb"));
    m_sminb = new ImageElement(QStringLiteral("sminb"), m_minb);
    m_closeb = new QWidget(this);
    m_closeb->setObjectName(QStringLiteral("closeb"));
    m_scloseb = new ImageElement(QStringLiteral("scloseb"), m_closeb);
    for (QWidget* w : {static_cast<QWidget*>(m_minb), static_cast<QWidget*>(m_sminb)}) {
        w->setToolTip(QStringLiteral("最小化"));
        w->setAttribute(Qt::WA_NoMousePropagation);
    }
    for (QWidget* w : {static_cast<QWidget*>(m_closeb), static_cast<QWidget*>(m_scloseb)}) {
        w->setToolTip(QStringLiteral("关闭"));
        w->setAttribute(Qt::WA_NoMousePropagation);
    }

    auto hidden = [this](const QString& name, int index, const QPixmap& picture) {
        auto* e = new ImageElement(QStringLiteral("%1(%2)").arg(name).arg(index), this);
        e->setProperty("Index", index);
        e->setPicture(picture);
        e->hide();
        return e;
    };
    for (int i = 0; i < 6; ++i) {
        m_tops[i] = hidden(QStringLiteral("tops"), i, artwork::buttonFace(true, i));
        m_top1[i] = hidden(QStringLiteral("top1"), i, artwork::buttonFace(false, i));
    }
    for (int i = 1; i <= 8; ++i) {
        m_white[i] = hidden(QStringLiteral("white"), i, QPixmap());
        m_green[i] = hidden(QStringLiteral("green"), i, artwork::framePiece(false, i));
        m_Image[i]->setPicture(artwork::framePiece(true, i));
    }
    m_ico->setPicture(artwork::defaultIcon());

    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer2 = new QTimer(this);
    m_Timer2->setObjectName(QStringLiteral("Timer2"));
    m_Timer3 = new QTimer(this);
    m_Timer3->setObjectName(QStringLiteral("Timer3"));

    m_drag = new DragController(
        m_mover, m_Timer1,
        {[this] { return m_cursor(); }, [this] { return twips(); },
         [this] { return m_layout.image[1].width; },
         [this](const HostPosition& p) { moveHost(parentWidget(), p.left, p.top, twips()); }});

    auto buttonWiring = [this](bool close) {
        CaptionButton::Wiring w;
        w.face = [this](int index) { return (m_SilverStyle ? m_tops : m_top1)[index]->picture(); };
        w.raiseMouseMove = [this](MouseArgs& a) { emit MouseMove(a.button, a.shift, a.x, a.y); };
        if (close) {
            w.action = [this] { unloadHost(parentWidget()); };
        } else {
            w.action = [this] { minimiseHost(parentWidget()); };
        }
        w.cursor = [this] { return m_cursor(); };
        w.twips = [this] { return twips(); };
        return w;
    };
    m_minButton = new CaptionButton(m_minb, m_sminb, m_Timer3, 0, buttonWiring(false));
    m_closeButton = new CaptionButton(m_closeb, m_scloseb, m_Timer2, 3, buttonWiring(true));

    for (ImageElement* e : findChildren<ImageElement*>()) {
        const quellor::Twips t = twips();
        e->setTwipsPerPixel(t.x, t.y);
    }
}

quellor::Twips Vantrel::twips() const {
    if (m_twips) {
        return m_twips();
    }
    const QScreen* s = screen();
    if (!s) {
        return {};
    }
    return {quellor::twipsPerPixel(s->logicalDotsPerInchX()),
            quellor::twipsPerPixel(s->logicalDotsPerInchY())};
}

void Vantrel::setCursorSource(std::function<QPoint()> source) {
    m_cursor = std::move(source);
}

void Vantrel::setTwipsSource(std::function<quellor::Twips()> source) {
    m_twips = std::move(source);
    const quellor::Twips t = twips();
    for (ImageElement* e : findChildren<ImageElement*>()) {
        e->setTwipsPerPixel(t.x, t.y);
    }
    fitLabels();
    applyLayout();
}

// ---- notifications -------------------------------------------------------------------------

void Vantrel::Initialize() {
    m_BackColor = rgb(240, 240, 255);
    QPalette p0 = m_Label1[0]->palette();
    p0.setColor(QPalette::WindowText, oleColor(rgb(128, 128, 255)));
    m_Label1[0]->setPalette(p0);
    QPalette p1 = m_Label1[1]->palette();
    p1.setColor(QPalette::WindowText, oleColor(rgb(192, 192, 255)));
    m_Label1[1]->setPalette(p1);

    m_layout = FrameLayout::initial();
    fitLabels();
    m_closeButton->show(Face::Rest);
    m_minButton->show(Face::Rest);
    initializeLayout(m_layout);
    for (int i = 1; i <= 8; ++i) {
        m_white[i]->setPicture(m_Image[i]->picture());
    }
    applyLayout();
}

void Vantrel::Resize() {
    resizeLayout(m_layout);
    applyLayout();
}

void Vantrel::Show() {
    showLayout(m_layout, m_TitleBarHeight);
    applyFontSize(m_FontSize);
    m_ico->setPicture(m_Icon ? m_Icon->pixmap : QPixmap());
    captionTops(m_layout);
    applyLayout();
    ApplyStyle(m_SilverStyle);
}

void Vantrel::ApplyStyle(const bool& Silver) {
    for (int i = 1; i <= 8; ++i) {
        m_Image[i]->setPicture((Silver ? m_white : m_green)[i]->picture());
    }
    const StyleColours& c = styleColours(Silver);
    m_BackColor = c.backColor;
    update();
    for (int i = 0; i < 2; ++i) {
        QPalette p = m_Label1[i]->palette();
        p.setColor(QPalette::WindowText, oleColor(i == 0 ? c.caption : c.shadow));
        m_Label1[i]->setPalette(p);
    }
    m_minButton->show(Face::Rest);
    m_closeButton->show(Face::Rest);
}

void Vantrel::applyFontSize(float size) {
    for (QLabel* label : m_Label1) {
        QFont f = label->font();
        f.setPointSizeF(size);
        label->setFont(f);
    }
    fitLabels();
}

void Vantrel::fitLabels() {
    const quellor::Twips t = twips();
    for (int i = 0; i < 2; ++i) {
        const QFontMetrics fm(m_Label1[i]->font());
        m_layout.label[i].width = (fm.horizontalAdvance(m_Label1[i]->text()) + 1) * t.x;
        m_layout.label[i].height = fm.height() * t.y;
    }
}

void Vantrel::applyLayout() {
    const quellor::Twips t = twips();
    const QSize own(t.toPixelsX(m_layout.width), t.toPixelsY(m_layout.height));
    if (own != size() && (width() * t.x < kMinimumSize || height() * t.y < kMinimumSize)) {
        // The frame grew to its minimum size; its own layout already ran for that size.
        m_applyingOwnSize = true;
        resize(own.expandedTo(size()));
        m_applyingOwnSize = false;
    }
    for (int i = 1; i <= 8; ++i) {
        m_Image[i]->setGeometry(toPixels(m_layout.image[i], t));
    }
    m_ico->setGeometry(toPixels(m_layout.ico, t));
    for (int i = 0; i < 2; ++i) {
        m_Label1[i]->setGeometry(toPixels(m_layout.label[i], t));
    }
    m_mover->setGeometry(toPixels(m_layout.mover, t));
    m_minb->setGeometry(toPixels(m_layout.minb, t));
    m_closeb->setGeometry(toPixels(m_layout.closeb, t));
    m_sminb->setGeometry(toPixels(m_layout.sminb, t));
    m_scloseb->setGeometry(toPixels(m_layout.scloseb, t));
    m_minButton->setInnerSize(m_layout.minb.width, m_layout.minb.height);
    m_closeButton->setInnerSize(m_layout.closeb.width, m_layout.closeb.height);
}

// ---- properties ----------------------------------------------------------------------------

void Vantrel::setForeColor(qint32 value) {
    m_ForeColor = value;
    emit PropertyChanged(QStringLiteral("ForeColor"));
}

void Vantrel::setEnabledFlag(bool value) {
    m_Enabled = value;
    emit PropertyChanged(QStringLiteral("Enabled"));
}

void Vantrel::setTitleBarHeight(qint16 value) {
    m_TitleBarHeight = clampTitleBarHeight(value);
    mirrorNamedProperties();
    emit PropertyChanged(kTitleBarHeightKey);
    titleBarHeightLayout(m_layout, m_TitleBarHeight);
    applyLayout();
}

QPixmap Vantrel::Icon() const {
    return m_Icon ? m_Icon->pixmap : QPixmap();
}

void Vantrel::setIcon(const QPixmap& picture) {
    setIconPicture(Picture::fromPixmap(picture));
}

void Vantrel::setIconPicture(PictureRef picture) {
    m_Icon = std::move(picture);
    m_ico->setPicture(Icon());
    emit PropertyChanged(QStringLiteral("Icon"));
}

QString Vantrel::Caption() const {
    return m_Label1[0]->text();
}

void Vantrel::setCaption(const QString& text) {
    m_Label1[0]->setText(text);
    m_Label1[1]->setText(text);
    fitLabels();
    applyLayout();
    emit PropertyChanged(QStringLiteral("Caption"));
}

void Vantrel::setFontSize(float size) {
    // A size no label can take is refused whole, rather than half applied and persisted.
    if (!validFontSize(size)) {
        return;
    }
    m_FontSize = size;
    applyFontSize(size);
    Resize();
    emit PropertyChanged(QStringLiteral("FontSize"));
}

void Vantrel::setBackColor(quint32 color) {
    m_BackColor = color;
    update();
    emit PropertyChanged(QStringLiteral("BackColor"));
}

void Vantrel::setSilverStyle(bool silver) {
    m_SilverStyle = silver;
    mirrorNamedProperties();
    ApplyStyle(m_SilverStyle);
    emit PropertyChanged(kSilverStyleKey);
}

// By-name access answers to the persistence names as well: the two Chinese-named properties
// are mirrored as dynamic properties, and writing one of them goes through its setter.
void Vantrel::mirrorNamedProperties() {
    m_mirroring = true;
    setProperty(kTitleBarHeightKey.toUtf8().constData(), QVariant::fromValue<qint16>(m_TitleBarHeight));
    setProperty(kSilverStyleKey.toUtf8().constData(), m_SilverStyle);
    m_mirroring = false;
}

bool Vantrel::event(QEvent* e) {
    if (e->type() == QEvent::DynamicPropertyChange && !m_mirroring) {
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(e)->propertyName();
        const QVariant value = property(name.constData());
        if (name == kTitleBarHeightKey.toUtf8()) {
            setTitleBarHeight(quellor::toInt16(value.toDouble()));
            return true;
        }
        if (name == kSilverStyleKey.toUtf8()) {
            setSilverStyle(bagBool(value, m_SilverStyle));
            return true;
        }
    }
    return QWidget::event(e);
}

// ---- persistence ---------------------------------------------------------------------------

void Vantrel::InitProperties() {
    m_ForeColor = 0;
    m_Enabled = false;
    m_TitleBarHeight = 500;
    m_Icon = Picture::empty();
    m_FontSize = 12;
    m_Caption.clear();
    m_SilverStyle = true;
    mirrorNamedProperties();
}

void Vantrel::ReadProperties(const quellor::PropertyBag& bag) {
    m_ForeColor = bagInt32(bag.readProperty("ForeColor", 0), 0);
    m_Enabled = bagBool(bag.readProperty("Enabled", 0), false);
    const QVariant bar = bag.readProperty(kTitleBarHeightKey, 500);
    bool barOk = false;
    const double barValue = bar.toDouble(&barOk);
    m_TitleBarHeight = barOk && std::isfinite(barValue) ? quellor::toInt16(barValue) : qint16{500};
    const QVariant icon = bag.readProperty("Icon", QVariant());
    m_Icon = quellor::PropertyBag::isPicture(icon)
                 ? Picture::fromData(quellor::PropertyBag::pictureData(icon))
                 : PictureRef();
    m_Label1[0]->setText(bag.readProperty("Caption", kDesignCaption).toString());
    m_Label1[1]->setText(bag.readProperty("Caption", kDesignCaption).toString());
    fitLabels();
    bool sizeOk = false;
    const float size = bag.readProperty("FontSize", 12).toFloat(&sizeOk);
    m_FontSize = sizeOk && validFontSize(size) ? size : 12.0f;
    m_Caption = bag.readProperty("Caption", QString()).toString();
    m_BackColor = static_cast<quint32>(bagInt32(
        bag.readProperty("BackColor", static_cast<qint32>(kButtonFace)), static_cast<qint32>(kButtonFace)));
    update();
    // True is the default here (the default is passed as the boolean it stands for), so a frame
    // in the silver style stores no entry.
    m_SilverStyle = bagBool(bag.readProperty(kSilverStyleKey, kTrue), true);
    mirrorNamedProperties();
}

void Vantrel::WriteProperties(quellor::PropertyBag& bag) const {
    bag.writeProperty("ForeColor", m_ForeColor, 0);
    bag.writeProperty("Enabled", QVariant::fromValue<qint16>(m_Enabled ? kTrue : kFalse), 0);
    bag.writeProperty(kTitleBarHeightKey, QVariant::fromValue<qint16>(m_TitleBarHeight), 500);
    // An empty picture stores like no picture: there is no image to keep.
    bag.writeProperty(
        "Icon", m_Icon && !m_Icon->isEmpty() ? quellor::PropertyBag::pictureValue(m_Icon->data) : QVariant(),
        QVariant());
    bag.writeProperty("Caption", m_Label1[0]->text(), kDesignCaption);
    bag.writeProperty("Caption", m_Label1[1]->text(), kDesignCaption);
    bag.writeProperty("FontSize", m_FontSize, 12);
    bag.writeProperty("Caption", m_Caption, QString());
    bag.writeProperty("BackColor", static_cast<qint32>(m_BackColor), static_cast<qint32>(kButtonFace));
    bag.writeProperty(kSilverStyleKey, QVariant::fromValue<qint16>(m_SilverStyle ? kTrue : kFalse), kTrue);
}

// ---- events of the frame's own surface ------------------------------------------------------

void Vantrel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), oleColor(m_BackColor));
}

void Vantrel::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (m_applyingOwnSize) {
        return;
    }
    const quellor::Twips t = twips();
    m_layout.width = width() * t.x;
    m_layout.height = height() * t.y;
    Resize();
}

void Vantrel::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // A window coming back from the minimised state is not the control becoming visible.
    if (!e->spontaneous()) {
        Show();
    }
}

MouseArgs Vantrel::surfaceArgs(QMouseEvent* e, Qt::MouseButtons buttons) const {
    const quellor::Twips t = twips();
    return {buttonMask(buttons), shiftMask(e->modifiers()), static_cast<float>(e->position().x() * t.x),
            static_cast<float>(e->position().y() * t.y)};
}

void Vantrel::raiseMouse(void (Vantrel::*signal)(short&, short&, float&, float&), const MouseArgs& args) {
    MouseArgs a = args;
    emit(this->*signal)(a.button, a.shift, a.x, a.y);
}

void Vantrel::mousePressEvent(QMouseEvent* e) {
    m_afterDoubleClick = false;
    raiseMouse(&Vantrel::MouseDown, surfaceArgs(e, e->button()));
}

void Vantrel::mouseMoveEvent(QMouseEvent* e) {
    raiseMouse(&Vantrel::MouseMove, surfaceArgs(e, e->buttons()));
}

void Vantrel::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click raises DblClick in place of MouseDown, and its release
    // no Click.
    m_afterDoubleClick = true;
    emit DblClick();
}

void Vantrel::mouseReleaseEvent(QMouseEvent* e) {
    const bool click =
        e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && !m_afterDoubleClick;
    m_afterDoubleClick = false;
    QPointer<Vantrel> self(this);
    raiseMouse(&Vantrel::MouseUp, surfaceArgs(e, e->button()));
    if (click && self) {
        emit Click();
    }
}

void Vantrel::keyPressEvent(QKeyEvent* e) {
    short code = virtualKeyCode(e->key());
    short shift = shiftMask(e->modifiers());
    QPointer<Vantrel> self(this);
    emit KeyDown(code, shift);
    const QString text = e->text();
    if (self && !text.isEmpty() && text.at(0).unicode() < 0x8000 &&
        (text.at(0).isPrint() || text.at(0) < ' ')) {
        short ascii = static_cast<short>(text.at(0).unicode());
        emit KeyPress(ascii);
    }
}

void Vantrel::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) {
        return;
    }
    short code = virtualKeyCode(e->key());
    short shift = shiftMask(e->modifiers());
    emit KeyUp(code, shift);
}

short virtualKeyCode(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<short>(key); // same codes as the letters and digits themselves
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return static_cast<short>(0x70 + (key - Qt::Key_F1));
    }
    switch (key) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    default:
        return 0;
    }
}

} // namespace vantrel
