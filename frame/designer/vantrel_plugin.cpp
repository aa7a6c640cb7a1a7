// SPDX-License-Identifier: MIT

#include "vantrel_plugin.h"

#include "form_vantrel.h"
#include "property_names.h"
#include "property_sheet.h"
#include "units.h"

#include <QBitmap>
#include <QDesignerFormEditorInterface>
#include <QExtensionManager>
#include <QGuiApplication>
#include <QIcon>
#include <QMetaClassInfo>
#include <QScreen>
#include <QXmlStreamWriter>

namespace vantrel::designer {

namespace {
// A frame newly placed on a form, in twips.
constexpr double kNewWidth = 9030;
constexpr double kNewHeight = 8100;

QString classInfo(const char* name) {
    const QMetaObject& meta = ::Vantrel::staticMetaObject;
    const int index = meta.indexOfClassInfo(name);
    return index < 0 ? QString() : QString::fromUtf8(meta.classInfo(index).value());
}

quellor::Twips screenTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    return {quellor::twipsPerPixel(screen->logicalDotsPerInchX()),
            quellor::twipsPerPixel(screen->logicalDotsPerInchY())};
}
} // namespace

VantrelPlugin::VantrelPlugin(QObject* parent) : QObject(parent) {}

QString VantrelPlugin::name() const {
    return QStringLiteral("Vantrel");
}

QString VantrelPlugin::group() const {
    return QStringLiteral("Quellor");
}

QString VantrelPlugin::toolTip() const {
    return classInfo("ProgID");
}

QString VantrelPlugin::whatsThis() const {
    return QStringLiteral("Vantrel (%1 %2)").arg(classInfo("TypeLibDescription"), classInfo("Version"));
}

QString VantrelPlugin::includeFile() const {
    return QStringLiteral("form_vantrel.h");
}

QIcon VantrelPlugin::icon() const {
    QPixmap picture(classInfo("ToolboxBitmap"));
    if (picture.isNull()) {
        return {};
    }
    // A toolbox picture's bottom-left pixel gives its transparent colour.
    const QColor key = picture.toImage().pixelColor(0, picture.height() - 1);
    picture.setMask(picture.createMaskFromColor(key, Qt::MaskInColor));
    return QIcon(picture);
}

bool VantrelPlugin::isContainer() const {
    // The host form's controls lie on the form beside the frame, never inside it.
    return false;
}

QWidget* VantrelPlugin::createWidget(QWidget* parent) {
    return new ::Vantrel(parent);
}

bool VantrelPlugin::isInitialized() const {
    return m_initialized;
}

void VantrelPlugin::initialize(QDesignerFormEditorInterface* core) {
    if (m_initialized) {
        return;
    }
    m_initialized = true;
    if (core && core->extensionManager()) {
        QExtensionManager* manager = core->extensionManager();
        manager->registerExtensions(new PropertySheetFactory(manager),
                                    Q_TYPEID(QDesignerPropertySheetExtension));
    }
}

QString VantrelPlugin::domXml() const {
    const quellor::Twips t = screenTwips();
    const PropertyNames names(::Vantrel::staticMetaObject);
    const ::Vantrel fresh; // the defaults are those of a new frame

    QString xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartElement("ui");
    w.writeAttribute("language", "c++");
    w.writeStartElement("widget");
    w.writeAttribute("class", name());
    w.writeAttribute("name", "Vantrel1");

    const auto property = [&w](const QString& propertyName, const QString& type, const QString& value) {
        w.writeStartElement("property");
        w.writeAttribute("name", propertyName);
        w.writeTextElement(type, value);
        w.writeEndElement();
    };
    w.writeStartElement("property");
    w.writeAttribute("name", "geometry");
    w.writeStartElement("rect");
    w.writeTextElement("x", "0");
    w.writeTextElement("y", "0");
    w.writeTextElement("width", QString::number(t.toPixelsX(kNewWidth)));
    w.writeTextElement("height", QString::number(t.toPixelsY(kNewHeight)));
    w.writeEndElement();
    w.writeEndElement();
    property("Caption", "string", fresh.Caption());
    property(names.shown("TitleBarHeight"), "number", QString::number(fresh.titleBarHeight()));
    property("FontSize", "double", QString::number(fresh.fontSize()));
    property(names.shown("SilverStyle"), "bool", fresh.SilverStyle() ? "true" : "false");
    w.writeEndElement(); // widget

    w.writeStartElement("customwidgets");
    w.writeStartElement("customwidget");
    w.writeTextElement("class", name());
    w.writeTextElement("extends", "QWidget");
    w.writeStartElement("header");
    w.writeCharacters(includeFile());
    w.writeEndElement();
    w.writeStartElement("propertyspecifications");
    for (const auto& [shown, description] : names.descriptions()) {
        w.writeStartElement("tooltip");
        w.writeAttribute("name", shown);
        w.writeCharacters(description);
        w.writeEndElement();
    }
    w.writeEndElement(); // propertyspecifications
    w.writeEndElement(); // customwidget
    w.writeEndElement(); // customwidgets
    w.writeEndElement(); // ui
    return xml;
}

} // namespace vantrel::designer
