// SPDX-License-Identifier: MIT
// The frame's Designer plugin as form tools use it: its widget box entry, and forms with a frame
// loaded through QUiLoader, saved back with QFormBuilder and loaded again.

#include "form_writer.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPluginLoader>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QUiLoader>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <memory>

namespace {

const QColor kIconColour(200, 30, 60);

// A form as Designer writes it: a dialog whose frame fills it, with the given frame properties.
QByteArray framedForm(const QString& frameProperties) {
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form4</class>
 <widget class="QDialog" name="Form4">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>400</width><height>300</height></rect>
  </property>
  <widget class="Vantrel" name="Vantrel1">
   <property name="geometry">
    <rect><x>0</x><y>0</y><width>400</width><height>300</height></rect>
   </property>
   %1
  </widget>
 </widget>
 <customwidgets>
  <customwidget>
   <class>Vantrel</class>
   <extends>QWidget</extends>
   <header>form_vantrel.h</header>
  </customwidget>
 </customwidgets>
 <resources/>
 <connections/>
</ui>
)")
        .arg(frameProperties)
        .toUtf8();
}

// Qt's form writer reports every enum property of a plain widget as unsupported; that says
// nothing about the frame and would bury the test's own output.
QtMessageHandler g_testLog = nullptr;

void dropEnumWriterNoise(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1StringView("could not be written. The type"))) {
        g_testLog(type, context, message);
    }
}

int pixels(int twips) {
    return qRound(twips * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 1440.0);
}

} // namespace

class TestDesignerForm : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QPluginLoader m_plugin;
    QString m_iconPath;

    std::unique_ptr<QUiLoader> loader() const {
        auto l = std::make_unique<QUiLoader>();
        l->clearPluginPaths(); // none of the machine's own Designer plugins
        l->addPluginPath(QStringLiteral(QUELLOR_DESIGNER_PLUGIN_DIR));
        l->setWorkingDirectory(QDir(m_dir.path()));
        return l;
    }

    std::unique_ptr<QWidget> load(const QByteArray& ui) const {
        QBuffer buffer;
        buffer.setData(ui);
        buffer.open(QIODevice::ReadOnly);
        auto form = loader();
        return std::unique_ptr<QWidget>(form->load(&buffer));
    }

    static QWidget* frameOf(const std::unique_ptr<QWidget>& form) {
        return form ? form->findChild<QWidget*>(QStringLiteral("Vantrel1")) : nullptr;
    }

    // Saved with QFormBuilder::save, through the writer that keeps a frame's inside out of it.
    static QByteArray saved(QWidget* form) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        vantrel::designer::FormWriter().save(&buffer, form);
        return buffer.data();
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        g_testLog = qInstallMessageHandler(dropEnumWriterNoise);
        const QStringList plugins =
            QDir(QStringLiteral(QUELLOR_DESIGNER_PLUGIN_DIR)).entryList({"*vantrel_designer*"}, QDir::Files);
        QCOMPARE(plugins.size(), 1);
        m_plugin.setFileName(QStringLiteral(QUELLOR_DESIGNER_PLUGIN_DIR) + '/' + plugins.first());
        QVERIFY2(m_plugin.load(), qPrintable(m_plugin.errorString()));

        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(kIconColour);
        m_iconPath = m_dir.filePath(QStringLiteral("frame_icon.png"));
        QVERIFY(icon.save(m_iconPath));
    }

    void widgetBoxEntry() {
        auto* entry = qobject_cast<QDesignerCustomWidgetInterface*>(m_plugin.instance());
        QVERIFY(entry);
        QCOMPARE(entry->name(), QStringLiteral("Vantrel"));
        QCOMPARE(entry->group(), QStringLiteral("Quellor"));
        QCOMPARE(entry->toolTip(), QStringLiteral("VantrelLib.Vantrel"));
        QVERIFY(!entry->isContainer());

        // The toolbox picture, its key colour see-through.
        const QImage icon = entry->icon().pixmap(QSize(16, 15)).toImage();
        QCOMPARE(icon.size(), QSize(16, 15));
        QCOMPARE(icon.pixelColor(0, 14).alpha(), 0);
        QCOMPARE(icon.pixelColor(8, 8).alpha(), 255);

        std::unique_ptr<QWidget> created(entry->createWidget(nullptr));
        QVERIFY(created);
        QCOMPARE(created->metaObject()->className(), "Vantrel");
    }

    void widgetBoxEntryDescribesProperties() {
        auto* entry = qobject_cast<QDesignerCustomWidgetInterface*>(m_plugin.instance());
        QVERIFY(entry);
        QXmlStreamReader xml(entry->domXml());
        QString widgetClass;
        QStringList properties;
        QList<QPair<QString, QString>> tooltips;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            if (xml.name() == u"widget") {
                widgetClass = xml.attributes().value("class").toString();
            } else if (xml.name() == u"property") {
                properties << xml.attributes().value("name").toString();
            } else if (xml.name() == u"tooltip") {
                const QString name = xml.attributes().value("name").toString();
                tooltips.append({name, xml.readElementText()});
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(widgetClass, entry->name());
        QCOMPARE(properties, (QStringList{"geometry", "Caption", QStringLiteral("标题栏高度"), "FontSize",
                                          QStringLiteral("银白色风格")}));
        const QList<QPair<QString, QString>> described{
            {"ForeColor", QStringLiteral("返回/设置对象中文本和图形的前景色。")},
            {"Enabled", QStringLiteral("返回/设置一个值，决定一个对象是否响应用户生成事件。")},
            {"FontSize", QStringLiteral("指定给定层的每一行出现的字体大小(以磅为单位)。")},
            {"BackColor", QStringLiteral("返回/设置对象中文本和图形的背景色。")}};
        QCOMPARE(tooltips, described);
    }

    // Designer drops exactly this on a form: a frame of the new-frame size and values.
    void widgetBoxEntryMakesANewFrame() {
        auto* entry = qobject_cast<QDesignerCustomWidgetInterface*>(m_plugin.instance());
        QVERIFY(entry);
        const auto form = load(entry->domXml().toUtf8());
        QVERIFY(form);
        QCOMPARE(form->metaObject()->className(), "Vantrel");
        QCOMPARE(form->size(), QSize(pixels(9030), pixels(8100)));
        QCOMPARE(form->property("Caption").toString(), QStringLiteral("Lumacore1.0"));
        QCOMPARE(form->property("TitleBarHeight").toInt(), 500);
        QCOMPARE(form->property("FontSize").toDouble(), 12.0);
        QCOMPARE(form->property("SilverStyle").toBool(), true);
    }

    void loadShowsStoredFrame_data() {
        QTest::addColumn<QString>("properties");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("barHeight");
        QTest::addColumn<QString>("icon"); // what the icon must be; empty for none

        // Designer stores the two properties under their own names.
        QTest::newRow("file icon") << QStringLiteral(R"(
            <property name="Caption"><string>定时关机</string></property>
            <property name="标题栏高度"><number>380</number></property>
            <property name="Icon"><pixmap>frame_icon.png</pixmap></property>)")
                                   << QStringLiteral("定时关机") << 380 << QStringLiteral("frame_icon.png");
        QTest::newRow("resource icon")
            << QStringLiteral(R"(
            <property name="Caption"><string>Quellor4.1</string></property>
            <property name="标题栏高度"><number>390</number></property>
            <property name="Icon"><pixmap resource="vantrel.qrc">:/vantrel/icon.ico</pixmap></property>)")
            << QStringLiteral("Quellor4.1") << 390 << QStringLiteral(":/vantrel/icon.ico");
        // Form writers other than Designer use the C++ names.
        QTest::newRow("member names") << QStringLiteral(R"(
            <property name="TitleBarHeight"><number>420</number></property>
            <property name="Icon"><pixmap>frame_icon.png</pixmap></property>
            <property name="Caption"><string>关于</string></property>)")
                                      << QStringLiteral("关于") << 420 << QStringLiteral("frame_icon.png");
        QTest::newRow("bar height clamped") << QStringLiteral(R"(
            <property name="标题栏高度"><number>900</number></property>)")
                                            << QStringLiteral("Lumacore1.0") << 550 << QString();
        // Past the 16-bit range it saturates, where wrapping would make it small.
        QTest::newRow("bar height past 16 bits") << QStringLiteral(R"(
            <property name="TitleBarHeight"><number>98304</number></property>)")
                                                 << QStringLiteral("Lumacore1.0") << 550 << QString();
        QTest::newRow("icon file missing") << QStringLiteral(R"(
            <property name="Caption"><string>无图标</string></property>
            <property name="Icon"><pixmap>no_such_icon.png</pixmap></property>)")
                                           << QStringLiteral("无图标") << 500 << QString();
    }

    void loadShowsStoredFrame() {
        QFETCH(QString, properties);
        QFETCH(QString, caption);
        QFETCH(int, barHeight);
        QFETCH(QString, icon);

        const auto form = load(framedForm(properties));
        QVERIFY(form);
        QWidget* frame = frameOf(form);
        QVERIFY(frame);
        QCOMPARE(frame->metaObject()->className(), "Vantrel");
        QCOMPARE(frame->property("Caption").toString(), caption);
        QCOMPARE(frame->property("TitleBarHeight").toInt(), barHeight);
        const QImage stored = frame->property("Icon").value<QPixmap>().toImage();
        if (icon.isEmpty()) {
            QVERIFY(stored.isNull());
        } else {
            const QString path = icon.startsWith(':') ? icon : m_dir.filePath(icon);
            QCOMPARE(stored.convertToFormat(QImage::Format_ARGB32),
                     QImage(path).convertToFormat(QImage::Format_ARGB32));
        }

        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(frame->findChild<QLabel*>(QStringLiteral("Label1(0)"))->text(), caption);
        QCOMPARE(frame->findChild<QWidget*>(QStringLiteral("Image1"))->height(), pixels(barHeight));
        QWidget* ico = frame->findChild<QWidget*>(QStringLiteral("ico"));
        const int iconTop = barHeight / 5;
        QCOMPARE(ico->height(), pixels(iconTop + iconTop * 3) - pixels(iconTop));
        if (icon == u"frame_icon.png") {
            const QImage shown = ico->grab().toImage();
            QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), kIconColour);
        }
    }

    // A form writer stores every frame property but the icon (QFormBuilder writes no pictures),
    // and the frame as one widget: loaded again, it has each of its pieces once.
    void saveAndLoadAgain_data() {
        QTest::addColumn<QByteArray>("name"); // as set on the loaded frame
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QByteArray>("member");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("bar height by its own name")
            << QByteArray("标题栏高度") << QVariant(420) << QByteArray("TitleBarHeight") << QVariant(420);
        QTest::newRow("bar height") << QByteArray("TitleBarHeight") << QVariant(310)
                                    << QByteArray("TitleBarHeight") << QVariant(310);
        QTest::newRow("font size") << QByteArray("FontSize") << QVariant(20.5) << QByteArray("FontSize")
                                   << QVariant(20.5);
        QTest::newRow("green style by its own name")
            << QByteArray("银白色风格") << QVariant(false) << QByteArray("SilverStyle") << QVariant(false);
        QTest::newRow("caption") << QByteArray("Caption") << QVariant(QStringLiteral("新标题"))
                                 << QByteArray("Caption") << QVariant(QStringLiteral("新标题"));
        QTest::newRow("back colour") << QByteArray("BackColor") << QVariant(0x4080FFu)
                                     << QByteArray("BackColor") << QVariant(0x4080FFu);
        QTest::newRow("fore colour") << QByteArray("ForeColor") << QVariant(255) << QByteArray("ForeColor")
                                     << QVariant(255);
        QTest::newRow("enabled") << QByteArray("Enabled") << QVariant(true) << QByteArray("Enabled")
                                 << QVariant(true);
    }

    void saveAndLoadAgain() {
        QFETCH(QByteArray, name);
        QFETCH(QVariant, value);
        QFETCH(QByteArray, member);
        QFETCH(QVariant, expected);

        const auto form = load(framedForm(QStringLiteral(R"(
            <property name="Caption"><string>定时关机</string></property>
            <property name="标题栏高度"><number>380</number></property>)")));
        QVERIFY(form);
        QWidget* frame = frameOf(form);
        QVERIFY(frame);
        frame->setProperty(name.constData(), value);
        const QVariant before = frame->property(member.constData());
        QCOMPARE(before, expected);

        const QByteArray ui = saved(form.get());
        QCOMPARE(ui.count("<widget "), 2);
        QVERIFY2(ui.contains(R"(<widget class="Vantrel" name="Vantrel1">)"), ui.constData());
        const auto again = load(ui);
        QWidget* reloaded = frameOf(again);
        QVERIFY2(reloaded, ui.constData());
        QCOMPARE(reloaded->metaObject()->className(), "Vantrel");
        QCOMPARE(reloaded->children().size(), frame->children().size());
        QCOMPARE(reloaded->property(member.constData()), before);
        // The values the form started with stay, unless this row changed them.
        if (member != "Caption") {
            QCOMPARE(reloaded->property("Caption").toString(), QStringLiteral("定时关机"));
        }
        if (member != "TitleBarHeight") {
            QCOMPARE(reloaded->property("TitleBarHeight").toInt(), 380);
        }
    }
};

QTEST_MAIN(TestDesignerForm)
#include "test_designer_form.moc"
