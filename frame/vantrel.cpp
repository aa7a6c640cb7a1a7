// SPDX-License-Identifier: MIT

#include "vantrel_p.h"

#include "host_link.h"
#include "key_codes.h"
#include "module.h"
#include "styles.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDynamicPropertyChangeEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaType>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace vantrel {
// What a Chinese-named property holds when read by name. It has no equality, so a by-name write
// of the current value still reaches the setter, as it does for the other properties: Qt skips a
// dynamic property write equal to the value it holds.
struct NamedValue {
    double value = 0;
    bool boolean = false; // reads as text "true" / "false"
};
} // namespace vantrel

Q_DECLARE_METATYPE(vantrel::NamedValue)

namespace vantrel {

using quellor::kFalse;
using quellor::kTrue;
using quellor::rgb;

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
    // Where SimSun is missing, a Song serif of its metrics, then any face with the Chinese glyphs.
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
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

// A stored title-bar height beyond 16 bits is no height at all: it keeps the default, as text does.
qint16 bagInt16(const QVariant& v, qint16 fallback) {
    bool ok = false;
    const double d = quellor::roundHalfEven(v.toDouble(&ok));
    return ok && d >= -32768 && d <= 32767 ? static_cast<qint16>(d) : fallback;
}

bool bagBool(const QVariant& v, bool fallback) {
    if (v.typeId() == QMetaType::Bool) {
        return v.toBool();
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d != 0 : fallback;
}

void registerNamedValue() {
    // Qt keeps converters and types by address: both go when the library is unloaded.
    static const auto unregister =
        qScopeGuard([] { QMetaType::unregisterMetaType(QMetaType::fromType<NamedValue>()); });
    static const bool registered = [] {
        QMetaType::registerConverter<NamedValue, double>([](const NamedValue& v) { return v.value; });
        QMetaType::registerConverter<NamedValue, int>(
            [](const NamedValue& v) { return quellor::toInt32(v.value); });
        QMetaType::registerConverter<NamedValue, short>(
            [](const NamedValue& v) { return quellor::toInt16(v.value); });
        QMetaType::registerConverter<NamedValue, bool>([](const NamedValue& v) { return v.value != 0; });
        QMetaType::registerConverter<NamedValue, QString>([](const NamedValue& v) {
            return v.boolean ? QString::fromLatin1(v.value != 0 ? "true" : "false")
                             : QString::number(v.value);
        });
        return true;
    }();
    (void)registered;
}

QByteArray nameOf(const QString& key) {
    return key.toUtf8();
}
} // namespace

// ---- construction --------------------------------------------------------------------------

VantrelPrivate::VantrelPrivate(Vantrel* frame) : q(frame) {}

Vantrel::Vantrel(QWidget* parent) : QWidget(parent), d(std::make_unique<VantrelPrivate>(this)) {
    module::objectCreated();
    installCaptionButtonAccessibility();
    registerNamedValue();
    setObjectName(QStringLiteral("Vantrel1"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    d->cursor = [] { return QCursor::pos(); };
    d->icon = Picture::empty();
    d->createElements();
    d->initialize();
    d->mirrorNamedProperties();
}

Vantrel::~Vantrel() {
    // The pieces call back into the frame's state, which goes before the widget's children do.
    qDeleteAll(findChildren<QObject*>(Qt::FindDirectChildrenOnly));
    removeCaptionButtonAccessibility();
    module::objectDestroyed();
}

QString Vantrel::titleBarHeightKey() {
    return QStringLiteral("标题栏高度");
}

QString Vantrel::silverStyleKey() {
    return QStringLiteral("银白色风格");
}

void VantrelPrivate::createElements() {
    // Created back to front, so each piece lies over those made before it.
    auto makeImage = [this](const QString& name) { return new ImageElement(name, q); };
    image[2] = makeImage(QStringLiteral("Image2"));
    for (int i = 0; i < 2; ++i) {
        label1[i] = new QLabel(q);
        label1[i]->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        label1[i]->setProperty("Index", i);
        label1[i]->setAttribute(Qt::WA_NoMousePropagation);
        label1[i]->setAutoFillBackground(false);
        label1[i]->setFont(captionFont());
        label1[i]->setText(kDesignCaption);
    }
    label1[1]->lower();
    image[2]->lower();
    image[1] = makeImage(QStringLiteral("Image1"));
    for (int i = 3; i <= 8; ++i) {
        image[i] = makeImage(QStringLiteral("Image%1").arg(i));
    }
    ico = makeImage(QStringLiteral("ico"));
    label1[0]->raise();
    mover = makeImage(QStringLiteral("mover"));

    minb = new QWidget(q);
    minb->setObjectName(QStringLiteral("minb"));
    sminb = new ImageElement(QStringLiteral("sminb"), minb);
    closeb = new QWidget(q);
    closeb->setObjectName(QStringLiteral("closeb"));
    scloseb = new ImageElement(QStringLiteral("scloseb"), closeb);
    for (QWidget* w : {minb, static_cast<QWidget*>(sminb)}) {
        w->setToolTip(QCoreApplication::translate("vantrel::Vantrel", "最小化"));
        w->setAttribute(Qt::WA_NoMousePropagation);
    }
    for (QWidget* w : {closeb, static_cast<QWidget*>(scloseb)}) {
        w->setToolTip(QCoreApplication::translate("vantrel::Vantrel", "关闭"));
        w->setAttribute(Qt::WA_NoMousePropagation);
    }

    auto hidden = [this](const QString& name, int index, const QPixmap& picture) {
        auto* e = new ImageElement(QStringLiteral("%1(%2)").arg(name).arg(index), q);
        e->setProperty("Index", index);
        e->setPicture(picture);
        e->hide();
        return e;
    };
    for (int i = 0; i < 6; ++i) {
        tops[i] = hidden(QStringLiteral("tops"), i, artwork::buttonFace(true, i));
        top1[i] = hidden(QStringLiteral("top1"), i, artwork::buttonFace(false, i));
    }
    for (int i = 1; i <= 8; ++i) {
        white[i] = hidden(QStringLiteral("white"), i, QPixmap());
        green[i] = hidden(QStringLiteral("green"), i, artwork::framePiece(false, i));
        image[i]->setPicture(artwork::framePiece(true, i));
    }
    ico->setPicture(artwork::defaultIcon());

    auto makeTimer = [this](const QString& name) {
        auto* t = new QTimer(q);
        t->setObjectName(name);
        return t;
    };
    timer1 = makeTimer(QStringLiteral("Timer1"));
    timer2 = makeTimer(QStringLiteral("Timer2"));
    timer3 = makeTimer(QStringLiteral("Timer3"));

    drag = new DragController(mover, timer1,
                              {[this] { return cursor(); }, [this] { return twips(); },
                               [this] { return layout.image[1].width; }, [this] { return frameOffset(); },
                               [this](const HostPosition& p) { moveHost(host(), p.left, p.top, twips()); }});

    auto buttonWiring = [this](bool close) {
        CaptionButton::Wiring w;
        w.face = [this](int index) { return (silverStyle ? tops : top1)[index]->picture(); };
        w.raiseMouseMove = [this](MouseArgs& a) { Q_EMIT q->MouseMove(a.button, a.shift, a.x, a.y); };
        if (close) {
            w.action = [this] { unloadHost(host()); };
        } else {
            w.action = [this] { minimiseHost(host()); };
        }
        w.cursor = [this] { return cursor(); };
        w.twips = [this] { return twips(); };
        return w;
    };
    minButton = new CaptionButton(minb, sminb, timer3, 0, buttonWiring(false));
    closeButton = new CaptionButton(closeb, scloseb, timer2, 3, buttonWiring(true));

    const quellor::Twips t = twips();
    for (ImageElement* e : q->findChildren<ImageElement*>()) {
        e->setTwipsPerPixel(t.x, t.y);
    }
}

QWidget* VantrelPrivate::host() const {
    return q->window();
}

QPoint VantrelPrivate::frameOffset() const {
    QWidget* window = host();
    if (window == q) {
        return {};
    }
    // The host is moved by its outer corner, which a window manager's decoration puts above and
    // left of the client area.
    return q->mapTo(window, QPoint()) + window->geometry().topLeft() - window->frameGeometry().topLeft();
}

quellor::Twips VantrelPrivate::twips() const {
    if (twipsSource) {
        return twipsSource();
    }
    const QScreen* s = q->screen();
    if (!s) {
        return {};
    }
    return {quellor::twipsPerPixel(s->logicalDotsPerInchX()),
            quellor::twipsPerPixel(s->logicalDotsPerInchY())};
}

void VantrelPrivate::setCursorSource(std::function<QPoint()> source) {
    cursor = std::move(source);
}

void VantrelPrivate::setTwipsSource(std::function<quellor::Twips()> source) {
    twipsSource = std::move(source);
    const quellor::Twips t = twips();
    for (ImageElement* e : q->findChildren<ImageElement*>()) {
        e->setTwipsPerPixel(t.x, t.y);
    }
    fitLabels();
    applyLayout();
    q->updateGeometry();
}

VantrelPrivate::Values VantrelPrivate::values() const {
    return {foreColor,         enabled,  titleBarHeight, icon.get(),
            label1[0]->text(), fontSize, backColor,      silverStyle};
}

void VantrelPrivate::notifyChanges(const Values& before) {
    const Values now = values();
    if (now.foreColor != before.foreColor) {
        Q_EMIT q->ForeColorChanged(now.foreColor);
    }
    if (now.enabled != before.enabled) {
        Q_EMIT q->EnabledChanged(now.enabled);
    }
    if (now.titleBarHeight != before.titleBarHeight) {
        Q_EMIT q->TitleBarHeightChanged(now.titleBarHeight);
    }
    if (now.icon != before.icon) {
        Q_EMIT q->IconChanged();
    }
    if (now.caption != before.caption) {
        Q_EMIT q->CaptionChanged(now.caption);
    }
    if (now.fontSize != before.fontSize) {
        Q_EMIT q->FontSizeChanged(now.fontSize);
    }
    if (now.backColor != before.backColor) {
        Q_EMIT q->BackColorChanged(now.backColor);
    }
    if (now.silverStyle != before.silverStyle) {
        Q_EMIT q->SilverStyleChanged(now.silverStyle);
    }
}

// ---- notifications -------------------------------------------------------------------------

void VantrelPrivate::initialize() {
    backColor = rgb(240, 240, 255);
    for (int i = 0; i < 2; ++i) {
        QPalette p = label1[i]->palette();
        p.setColor(QPalette::WindowText, oleColor(i == 0 ? rgb(128, 128, 255) : rgb(192, 192, 255)));
        label1[i]->setPalette(p);
    }

    layout = FrameLayout::initial();
    fitLabels();
    closeButton->show(Face::Rest);
    minButton->show(Face::Rest);
    initializeLayout(layout);
    for (int i = 1; i <= 8; ++i) {
        white[i]->setPicture(image[i]->picture());
    }
    applyLayout();
}

void VantrelPrivate::resize() {
    resizeLayout(layout);
    applyLayout();
}

void VantrelPrivate::show() {
    const Values before = values();
    showLayout(layout, titleBarHeight);
    applyFontSize(fontSize);
    ico->setPicture(icon ? icon->pixmap : QPixmap());
    captionTops(layout);
    applyLayout();
    applyStyle(silverStyle);
    notifyChanges(before);
}

void VantrelPrivate::applyStyle(bool silver) {
    for (int i = 1; i <= 8; ++i) {
        image[i]->setPicture((silver ? white : green)[i]->picture());
    }
    const StyleColours& c = styleColours(silver);
    backColor = c.backColor;
    q->update();
    for (int i = 0; i < 2; ++i) {
        QPalette p = label1[i]->palette();
        p.setColor(QPalette::WindowText, oleColor(i == 0 ? c.caption : c.shadow));
        label1[i]->setPalette(p);
    }
    minButton->show(Face::Rest);
    closeButton->show(Face::Rest);
}

void VantrelPrivate::applyFontSize(float size) {
    for (QLabel* label : label1) {
        QFont f = label->font();
        f.setPointSizeF(size);
        label->setFont(f);
    }
    fitLabels();
}

void VantrelPrivate::fitLabels() {
    const quellor::Twips t = twips();
    for (int i = 0; i < 2; ++i) {
        const QFontMetrics fm(label1[i]->font());
        layout.label[i].width = (fm.horizontalAdvance(label1[i]->text()) + 1) * t.x;
        layout.label[i].height = fm.height() * t.y;
    }
}

void VantrelPrivate::applyLayout() {
    const quellor::Twips t = twips();
    const QSize own(t.toPixelsX(layout.width), t.toPixelsY(layout.height));
    if (own != q->size() && (q->width() * t.x < kMinimumSize || q->height() * t.y < kMinimumSize)) {
        // The frame grew to its minimum size; its own layout already ran for that size.
        applyingOwnSize = true;
        q->resize(own.expandedTo(q->size()));
        applyingOwnSize = false;
    }
    for (int i = 1; i <= 8; ++i) {
        image[i]->setGeometry(toPixels(layout.image[i], t));
    }
    ico->setGeometry(toPixels(layout.ico, t));
    for (int i = 0; i < 2; ++i) {
        label1[i]->setGeometry(toPixels(layout.label[i], t));
    }
    mover->setGeometry(toPixels(layout.mover, t));
    minb->setGeometry(toPixels(layout.minb, t));
    closeb->setGeometry(toPixels(layout.closeb, t));
    sminb->setGeometry(toPixels(layout.sminb, t));
    scloseb->setGeometry(toPixels(layout.scloseb, t));
    minButton->setInnerSize(layout.minb.width, layout.minb.height);
    closeButton->setInnerSize(layout.closeb.width, layout.closeb.height);
}

QSize Vantrel::sizeHint() const {
    // The size of a frame newly placed on a form.
    const quellor::Twips t = d->twips();
    return {t.toPixelsX(9030), t.toPixelsY(8100)};
}

QSize Vantrel::minimumSizeHint() const {
    const quellor::Twips t = d->twips();
    return {t.toPixelsX(kMinimumSize), t.toPixelsY(kMinimumSize)};
}

// ---- properties ----------------------------------------------------------------------------

qint32 Vantrel::ForeColor() const {
    return d->foreColor;
}

void Vantrel::setForeColor(qint32 value) {
    const auto before = d->values();
    d->foreColor = value;
    Q_EMIT PropertyChanged(QStringLiteral("ForeColor"));
    d->notifyChanges(before);
}

bool Vantrel::Enabled() const {
    return d->enabled;
}

void Vantrel::setEnabledFlag(bool value) {
    const auto before = d->values();
    d->enabled = value;
    Q_EMIT PropertyChanged(QStringLiteral("Enabled"));
    d->notifyChanges(before);
}

qint16 Vantrel::TitleBarHeight() const {
    return d->titleBarHeight;
}

void Vantrel::setTitleBarHeight(qint16 value) {
    const auto before = d->values();
    d->titleBarHeight = clampTitleBarHeight(value);
    d->mirrorNamedProperties();
    Q_EMIT PropertyChanged(titleBarHeightKey());
    titleBarHeightLayout(d->layout, d->titleBarHeight);
    d->applyLayout();
    d->notifyChanges(before);
}

QPixmap Vantrel::Icon() const {
    return d->icon ? d->icon->pixmap : QPixmap();
}

void Vantrel::setIcon(const QPixmap& picture) {
    d->setIconPicture(Picture::fromPixmap(picture));
}

void VantrelPrivate::setIconPicture(PictureRef picture) {
    const Values before = values();
    icon = std::move(picture);
    ico->setPicture(q->Icon());
    Q_EMIT q->PropertyChanged(QStringLiteral("Icon"));
    notifyChanges(before);
}

QString Vantrel::Caption() const {
    return d->label1[0]->text();
}

void Vantrel::setCaption(const QString& text) {
    const auto before = d->values();
    d->label1[0]->setText(text);
    d->label1[1]->setText(text);
    d->fitLabels();
    d->applyLayout();
    Q_EMIT PropertyChanged(QStringLiteral("Caption"));
    d->notifyChanges(before);
}

float Vantrel::FontSize() const {
    return d->fontSize;
}

void Vantrel::setFontSize(float size) {
    // A size no label can take is refused whole, rather than half applied and persisted.
    if (!validFontSize(size)) {
        return;
    }
    const auto before = d->values();
    d->fontSize = size;
    d->applyFontSize(size);
    d->resize();
    Q_EMIT PropertyChanged(QStringLiteral("FontSize"));
    d->notifyChanges(before);
}

quint32 Vantrel::BackColor() const {
    return d->backColor;
}

void Vantrel::setBackColor(quint32 color) {
    const auto before = d->values();
    d->backColor = color;
    update();
    Q_EMIT PropertyChanged(QStringLiteral("BackColor"));
    d->notifyChanges(before);
}

bool Vantrel::SilverStyle() const {
    return d->silverStyle;
}

void Vantrel::setSilverStyle(bool silver) {
    const auto before = d->values();
    d->silverStyle = silver;
    d->mirrorNamedProperties();
    d->applyStyle(d->silverStyle);
    Q_EMIT PropertyChanged(silverStyleKey());
    d->notifyChanges(before);
}

// By-name access answers to the persistence names as well: the two Chinese-named properties
// are mirrored as dynamic properties, and writing one of them goes through its setter.
void VantrelPrivate::mirrorNamedProperties() {
    mirroring = true;
    q->setProperty(nameOf(Vantrel::titleBarHeightKey()),
                   QVariant::fromValue(NamedValue{double(titleBarHeight)}));
    q->setProperty(nameOf(Vantrel::silverStyleKey()),
                   QVariant::fromValue(NamedValue{silverStyle ? 1.0 : 0.0, true}));
    mirroring = false;
}

bool Vantrel::event(QEvent* e) {
    if (e->type() == QEvent::DynamicPropertyChange && !d->mirroring) {
        const QByteArray name = static_cast<QDynamicPropertyChangeEvent*>(e)->propertyName();
        const QVariant value = property(name.constData());
        if (name == nameOf(titleBarHeightKey())) {
            setTitleBarHeight(quellor::toInt16(value.toDouble()));
            return true;
        }
        if (name == nameOf(silverStyleKey())) {
            setSilverStyle(bagBool(value, d->silverStyle));
            return true;
        }
    }
    return QWidget::event(e);
}

// ---- persistence ---------------------------------------------------------------------------

void Vantrel::InitProperties() {
    const auto before = d->values();
    d->foreColor = 0;
    d->enabled = false;
    d->titleBarHeight = 500;
    d->icon = Picture::empty();
    d->fontSize = 12;
    d->caption.clear();
    d->silverStyle = true;
    d->mirrorNamedProperties();
    d->notifyChanges(before);
}

void Vantrel::ReadProperties(const PropertyBag& bag) {
    const auto before = d->values();
    d->foreColor = bagInt32(bag.readProperty("ForeColor", 0), 0);
    d->enabled = bagBool(bag.readProperty("Enabled", 0), false);
    d->titleBarHeight = bagInt16(bag.readProperty(titleBarHeightKey(), 500), 500);
    const QVariant icon = bag.readProperty("Icon", QVariant());
    d->icon = isPicture(icon) ? Picture::fromData(pictureData(icon)) : PictureRef();
    d->label1[0]->setText(bag.readProperty("Caption", kDesignCaption).toString());
    d->label1[1]->setText(bag.readProperty("Caption", kDesignCaption).toString());
    // The labels take their new size at once, or a frame already shown clips the new caption.
    d->fitLabels();
    d->applyLayout();
    bool sizeOk = false;
    const float size = bag.readProperty("FontSize", 12).toFloat(&sizeOk);
    d->fontSize = sizeOk && validFontSize(size) ? size : 12.0f;
    d->caption = bag.readProperty("Caption", QString()).toString();
    d->backColor = static_cast<quint32>(bagInt32(
        bag.readProperty("BackColor", static_cast<qint32>(kButtonFace)), static_cast<qint32>(kButtonFace)));
    update();
    // True is the default here (the default is passed as the boolean it stands for), so a frame
    // in the silver style stores no entry.
    d->silverStyle = bagBool(bag.readProperty(silverStyleKey(), kTrue), true);
    d->mirrorNamedProperties();
    d->notifyChanges(before);
}

void Vantrel::WriteProperties(PropertyBag& bag) const {
    bag.writeProperty("ForeColor", d->foreColor, 0);
    bag.writeProperty("Enabled", QVariant::fromValue<qint16>(d->enabled ? kTrue : kFalse), 0);
    bag.writeProperty(titleBarHeightKey(), QVariant::fromValue<qint16>(d->titleBarHeight), 500);
    // An empty picture stores like no picture: there is no image to keep.
    bag.writeProperty("Icon", d->icon && !d->icon->isEmpty() ? pictureValue(d->icon->data) : QVariant(),
                      QVariant());
    bag.writeProperty("Caption", d->label1[0]->text(), kDesignCaption);
    bag.writeProperty("Caption", d->label1[1]->text(), kDesignCaption);
    bag.writeProperty("FontSize", d->fontSize, 12);
    bag.writeProperty("Caption", d->caption, QString());
    bag.writeProperty("BackColor", static_cast<qint32>(d->backColor), static_cast<qint32>(kButtonFace));
    bag.writeProperty(silverStyleKey(), QVariant::fromValue<qint16>(d->silverStyle ? kTrue : kFalse), kTrue);
}

// ---- events of the frame's own surface ------------------------------------------------------

void Vantrel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), oleColor(d->backColor));
}

void Vantrel::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (d->applyingOwnSize) {
        return;
    }
    const quellor::Twips t = d->twips();
    d->layout.width = width() * t.x;
    d->layout.height = height() * t.y;
    d->resize();
}

void Vantrel::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // A window coming back from the minimised state is not the control becoming visible.
    if (!e->spontaneous()) {
        d->show();
    }
}

MouseArgs VantrelPrivate::surfaceArgs(QMouseEvent* e, Qt::MouseButtons buttons) const {
    const quellor::Twips t = twips();
    return {buttonMask(buttons), shiftMask(e->modifiers()), static_cast<float>(e->position().x() * t.x),
            static_cast<float>(e->position().y() * t.y)};
}

void VantrelPrivate::raiseMouse(void (Vantrel::*signal)(short&, short&, float&, float&),
                                const MouseArgs& args) {
    MouseArgs a = args;
    Q_EMIT(q->*signal)(a.button, a.shift, a.x, a.y);
}

void Vantrel::mousePressEvent(QMouseEvent* e) {
    d->afterDoubleClick = false;
    d->raiseMouse(&Vantrel::MouseDown, d->surfaceArgs(e, e->button()));
}

void Vantrel::mouseMoveEvent(QMouseEvent* e) {
    d->raiseMouse(&Vantrel::MouseMove, d->surfaceArgs(e, e->buttons()));
}

void Vantrel::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click raises DblClick in place of MouseDown, and its release
    // no Click.
    d->afterDoubleClick = true;
    Q_EMIT DblClick();
}

void Vantrel::mouseReleaseEvent(QMouseEvent* e) {
    const bool click =
        e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && !d->afterDoubleClick;
    d->afterDoubleClick = false;
    QPointer<Vantrel> self(this);
    d->raiseMouse(&Vantrel::MouseUp, d->surfaceArgs(e, e->button()));
    if (click && self) {
        Q_EMIT Click();
    }
}

void Vantrel::keyPressEvent(QKeyEvent* e) {
    short code = virtualKeyCode(e->key(), e->modifiers());
    short shift = shiftMask(e->modifiers());
    QPointer<Vantrel> self(this);
    Q_EMIT KeyDown(code, shift);
    const QString text = e->text();
    if (self && !text.isEmpty() && text.at(0).unicode() < 0x8000 &&
        (text.at(0).isPrint() || text.at(0) < ' ')) {
        short ascii = static_cast<short>(text.at(0).unicode());
        Q_EMIT KeyPress(ascii);
    }
}

void Vantrel::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) {
        return;
    }
    short code = virtualKeyCode(e->key(), e->modifiers());
    short shift = shiftMask(e->modifiers());
    Q_EMIT KeyUp(code, shift);
}

} // namespace vantrel
