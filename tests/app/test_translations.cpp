// SPDX-License-Identifier: MIT
// The interface in the user's language: every window shows each label, button, title, tooltip
// and accessible name translated (English) or exactly as written (Chinese), and no English text
// is cut or wraps where the Chinese one was whole; the boxes and notifications follow.
#include "about_dialog.h"
#include "alarm_prompt.h"
#include "app_fixture.h"
#include "controls.h"
#include "font_faces.h"
#include "lock_screen.h"
#include "main_window.h"
#include "options_dialog.h"
#include "password_dialog.h"
#include "power_warning.h"
#include "splash_screen.h"
#include "startup.h"

#include <QAbstractTextDocumentLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

using namespace quellor;

namespace {

bool hasChinese(const QString& text) {
    static const QRegularExpression chinese(
        QStringLiteral("[\\p{Han}\\x{3000}-\\x{303f}\\x{ff00}-\\x{ffef}]"));
    return text.contains(chinese);
}

// How far the widget's text is cut: 1 where it runs past its box or its parent; for a text of
// several lines, the lines it wraps into beyond those it was given.
int textCut(QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    const QWidget* parent = w->parentWidget();
    if (parent && !parent->rect().contains(w->geometry())) {
        return 1;
    }
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        return fm.size(Qt::TextShowMnemonic, b->text()).width() +
                   b->style()->pixelMetric(QStyle::PM_ButtonMargin) >
               b->style()->subElementRect(QStyle::SE_PushButtonContents, &o, b).width();
    }
    if (auto* b = qobject_cast<QToolButton*>(w)) { // the text beside the icon, inside the frame
        return b->iconSize().width() + 4 + fm.size(Qt::TextShowMnemonic, b->text()).width() +
                   2 * b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) >
               b->width();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return textBoxWidthFor(edit, edit->echoMode() == QLineEdit::Normal ? edit->text() : QString()) >
               w->width();
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        int wrapped = 0;
        for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next()) {
            text->document()->documentLayout()->blockBoundingRect(b); // lays the block out
            wrapped += b.layout()->lineCount() - 1;
        }
        return wrapped;
    }
    // A frame's caption also stays clear of its minimise button.
    const QWidget* minimise =
        parent ? parent->findChild<QWidget*>("minb", Qt::FindDirectChildrenOnly) : nullptr;
    return w->minimumSizeHint().width() > w->width() || (minimise && w->geometry().right() >= minimise->x());
}

struct Shown {
    QString where, text;
    int cut;
};

QList<Shown> shownTexts(QWidget* window) {
    QList<Shown> out;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    // The first three are laid out in the widget's box.
    const char* const properties[] = {"text",        "title",   "plainText",
                                      "windowTitle", "toolTip", "accessibleName"};
    for (QWidget* w : widgets) {
        const int cut = textCut(w);
        if (auto* menu = qobject_cast<QListWidget*>(w)) { // sized to its entries
            for (int i = 0; i < menu->count(); ++i) {
                out.append({w->objectName() + ".item", menu->item(i)->text(), 0});
            }
        }
        for (int i = 0; i < 6; ++i) {
            if (const QString text = w->property(properties[i]).toString(); !text.isEmpty()) {
                out.append({w->objectName() + '.' + properties[i], text, i < 3 ? cut : 0});
            }
        }
    }
    return out;
}

QList<Shown> textsOf(const char* window, const QStringList& languages) {
    AppFixture app;
    Translations translations({QStringLiteral(QUELLOR_TRANSLATIONS_DIR)}, QString());
    translations.install(languages);
    const QHash<QByteArray, std::function<QWidget*()>> open{
        {"Form1", [&] { return app.forms.showMainWindow(), &app.forms.mainWindow(); }},
        {"Form2", [&] { return &app.forms.showAlarmPrompt(); }},
        {"Form3", [&] { return app.forms.showSplash(), app.forms.splash(); }},
        {"Form4", [&] { return &app.forms.showAbout(); }},
        {"Form5", [&] { return &app.forms.showOptions(); }},
        {"Form9", [&] { return &app.forms.showPasswordDialog(); }},
        {"Form10", [&] { return &app.forms.showLockScreen(); }}};
    QWidget* w = open[window]();
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(w);
    return shownTexts(w);
}

QStringList messageTexts() {
    RecordingMessages boxes;
    boxes.warning(nullptr, {});
    boxes.information(nullptr, {});
    QStringList texts{boxes.shown[0].title,
                      boxes.shown[1].title,
                      Startup::alreadyRunningText(),
                      Form9::mismatchText(),
                      Form9::unwritableText("/p"),
                      Form10::lockWarningText(),
                      Form10::inputTakenText(),
                      PowerWarning::warningText(TimerAction::Restart, 60),
                      PowerWarning::warningText(TimerAction::Wait, 1)};
    for (int failure = 0; failure <= int(PowerFailure::Other); ++failure) {
        texts << PowerWarnings::text(
            {PowerAction::Reboot, failure % 2 == 0, PowerFailure(failure), {"a", "b"}, "x"});
    }
    return texts;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { installFaceSubstitutions(); } // the faces the program shows its texts in

    void everyWindowSpeaksTheChosenLanguage_data() {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<bool>("english");
        for (const char* window : {"Form1", "Form2", "Form3", "Form4", "Form5", "Form9", "Form10"}) {
            QTest::addRow("%s English", window) << QStringList{"en-US"} << true;
            // Chinese first: English further down the list must not win.
            QTest::addRow("%s Chinese", window) << QStringList{"zh-CN", "en"} << false;
        }
    }
    void everyWindowSpeaksTheChosenLanguage() {
        QFETCH(QStringList, languages);
        QFETCH(bool, english);
        const QByteArray window = QByteArray(QTest::currentDataTag()).split(' ').first();
        const QList<Shown> written = textsOf(window, {}), shown = textsOf(window, languages);
        QCOMPARE(shown.size(), written.size());
        for (qsizetype i = 0; i < shown.size(); ++i) {
            QCOMPARE(shown[i].where, written[i].where);
            const QString what = shown[i].where + ": " + shown[i].text;
            QVERIFY2(english ? !hasChinese(shown[i].text) : shown[i].text == written[i].text,
                     qPrintable(what));
            QVERIFY2(shown[i].cut <= written[i].cut, qPrintable(what + " is cut"));
        }
    }

    // The first of the user's languages that the program speaks wins; with none the texts stay.
    void boxesAndNotificationsFollowTheLanguage_data() {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("English") << QStringList{"en-US", "en"} << "en-US";
        QTest::newRow("English after one without texts") << QStringList{"de-DE", "en-GB"} << "en-GB";
        QTest::newRow("Chinese before English") << QStringList{"zh-Hans-CN", "en"} << "zh-Hans-CN";
        QTest::newRow("no translation") << QStringList{"fr-FR"} << "";
        QTest::newRow("C locale") << QStringList{"C"} << "";
    }
    void boxesAndNotificationsFollowTheLanguage() {
        QFETCH(QStringList, languages);
        QFETCH(QString, chosen);
        Translations translations({QStringLiteral(QUELLOR_TRANSLATIONS_DIR)}, QString());
        const QStringList written = messageTexts();
        QCOMPARE(translations.install(languages), chosen);
        const QStringList shown = messageTexts();
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const bool english = chosen.startsWith(QLatin1String("en"));
            QVERIFY2(english ? !hasChinese(shown[i]) : shown[i] == written[i], qPrintable(shown[i]));
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
