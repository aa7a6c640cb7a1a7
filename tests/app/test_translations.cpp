// The interface in the user's language: every window under English and under Chinese shows each
// label, button, title, tooltip and accessible name translated (English) or exactly as written
// (Chinese), and no English text is cut or wraps where the Chinese one was whole.
#include "about_dialog.h"
#include "alarm_prompt.h"
#include "app_fixture.h"
#include "controls.h"
#include "lock_screen.h"
#include "main_window.h"
#include "options_dialog.h"
#include "password_dialog.h"
#include "power_warning.h"
#include "power_warnings.h"
#include "splash_screen.h"
#include "startup.h"

#include <QAbstractTextDocumentLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>

#include <algorithm>

using namespace quellor;

namespace {

bool hasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return c.script() == QChar::Script_Han || (u >= 0x3000 && u <= 0x303f) ||
               (u >= 0xff00 && u <= 0xffef);
    });
}

bool textFitsBox(QWidget* w);

// Whether a widget shows its whole text on the lines it was given, as its kind lays text out,
// inside its parent.
bool textFits(QWidget* w) {
    const QWidget* parent = w->parentWidget();
    return (!parent || parent->rect().contains(w->geometry())) && textFitsBox(w);
}

bool textFitsBox(QWidget* w) {
    if (auto* b = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(b);
        const int room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &option, b).width();
        const int needed = b->fontMetrics().size(Qt::TextShowMnemonic, b->text()).width() +
                           b->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, b);
        return needed <= room;
    }
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QGroupBox*>(w)) {
        return w->minimumSizeHint().width() <= w->width() && w->sizeHint().width() <= w->width();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        // A frame's caption must also stay clear of its minimise button.
        const QWidget* minimise = w->parentWidget()->findChild<QWidget*>(QStringLiteral("minb"));
        return label->sizeHint().width() <= label->width() &&
               (!minimise || label->geometry().right() < minimise->x());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        return edit->echoMode() != QLineEdit::Normal || textBoxWidthFor(edit, edit->text()) <= edit->width();
    }
    if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        QTextDocument* doc = text->document();
        for (QTextBlock b = doc->begin(); b != doc->end(); b = b.next()) {
            doc->documentLayout()->blockBoundingRect(b); // lays the block out
            if (b.layout()->lineCount() > 1) {
                return false;
            }
        }
    }
    return true;
}

struct Shown {
    QString where;
    QString text;
    bool fits;
};

QList<Shown> shownTexts(QWidget* window) {
    QList<Shown> out;
    const auto add = [&out](const QWidget* w, const char* what, const QString& text, bool fits) {
        if (!text.isEmpty()) {
            out.append({w->objectName() + QLatin1Char('.') + QLatin1String(what), text, fits});
        }
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        const bool fits = textFits(w);
        add(w, "title", w->isWindow() ? w->windowTitle() : QString(), true);
        add(w, "tooltip", w->toolTip(), true);
        add(w, "accessible", w->accessibleName(), true);
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            add(w, "text", b->text(), fits);
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            add(w, "text", box->title(), fits);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            add(w, "text", label->text(), fits);
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            add(w, "text", edit->text(), fits);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
            add(w, "text", text->toPlainText(), fits);
        }
    }
    return out;
}

QWidget* openWindow(AppFixture& app, const QString& name) {
    QWidget* w = nullptr;
    if (name == QLatin1String("Form1")) {
        app.forms.showMainWindow();
        w = &app.forms.mainWindow();
    } else if (name == QLatin1String("Form2")) {
        w = &app.forms.showAlarmPrompt();
    } else if (name == QLatin1String("Form3")) {
        app.forms.showSplash();
        w = app.forms.splash();
    } else if (name == QLatin1String("Form4")) {
        w = &app.forms.showAbout();
    } else if (name == QLatin1String("Form5")) {
        w = &app.forms.showOptions();
    } else if (name == QLatin1String("Form9")) {
        w = &app.forms.showPasswordDialog();
    } else {
        w = &app.forms.showLockScreen();
    }
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(w);
    return w;
}

QList<Shown> textsOf(const QString& window, const QStringList& languages) {
    AppFixture app;
    app.translations.install({});
    Translations translations({QStringLiteral(QUELLOR_TRANSLATIONS_DIR)}, QString());
    translations.install(languages);
    return shownTexts(openWindow(app, window));
}

// What the boxes, the lock's warnings and the notifications say.
QStringList messageTexts() {
    RecordingMessages boxes;
    boxes.warning(nullptr, QString());
    boxes.information(nullptr, QString());
    QStringList texts{boxes.shown[0].title,
                      boxes.shown[1].title,
                      Startup::alreadyRunningText(),
                      Form9::mismatchText(),
                      Form9::unwritableText("/p"),
                      Form10::lockWarningText(),
                      Form2::message(),
                      PowerWarning::warningText(TimerAction::Restart, 60),
                      PowerWarning::warningText(TimerAction::Wait, 1)};
    for (int failure = 0; failure <= int(PowerFailure::Other); ++failure) {
        for (const bool advance : {false, true}) {
            texts << PowerWarnings::text(
                {PowerAction::Reboot, advance, PowerFailure(failure), {"a", "b"}, "x"});
        }
    }
    return texts;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyWindowSpeaksTheChosenLanguage_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<bool>("english");
        for (const char* window : {"Form1", "Form2", "Form3", "Form4", "Form5", "Form9", "Form10"}) {
            QTest::addRow("%s English", window) << window << QStringList{"en-US"} << true;
            // Chinese first: English further down the list must not win.
            QTest::addRow("%s Chinese", window) << window << QStringList{"zh-CN", "en"} << false;
        }
    }
    void everyWindowSpeaksTheChosenLanguage() {
        QFETCH(QString, window);
        QFETCH(QStringList, languages);
        QFETCH(bool, english);
        const QList<Shown> written = textsOf(window, {});
        const QList<Shown> shown = textsOf(window, languages);
        QCOMPARE(shown.size(), written.size());
        QVERIFY(
            std::any_of(written.begin(), written.end(), [](const Shown& s) { return hasChinese(s.text); }));
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const QString& where = shown[i].where;
            QCOMPARE(where, written[i].where);
            if (english) {
                QVERIFY2(!hasChinese(shown[i].text), qPrintable(where + ": " + shown[i].text));
                QVERIFY2(shown[i].fits || !written[i].fits, qPrintable(where + " is cut: " + shown[i].text));
            } else {
                QCOMPARE(shown[i].text, written[i].text);
            }
        }
    }

    // The first of the user's languages that the program speaks wins; with none the texts stay.
    void boxesAndNotificationsFollowTheLanguage_data() {
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("English") << QStringList{"en-US", "en"} << "en-US";
        QTest::newRow("English after one without texts") << QStringList{"de-DE", "en-GB"} << "en-GB";
        QTest::newRow("Chinese before English") << QStringList{"zh-Hans-CN", "en"} << "zh-Hans-CN";
        QTest::newRow("traditional Chinese") << QStringList{"zh-TW"} << "zh-TW";
        QTest::newRow("no translation") << QStringList{"fr-FR"} << "";
        QTest::newRow("C locale") << QStringList{"C"} << "";
    }
    void boxesAndNotificationsFollowTheLanguage() {
        QFETCH(QStringList, languages);
        QFETCH(QString, chosen);
        Translations translations({QStringLiteral(QUELLOR_TRANSLATIONS_DIR)}, QString());
        translations.install({});
        const QStringList written = messageTexts();
        QCOMPARE(translations.install(languages), chosen);
        const QStringList shown = messageTexts();
        if (!chosen.startsWith(QLatin1String("en"))) {
            QCOMPARE(shown, written);
            return;
        }
        for (const QString& text : shown) {
            QVERIFY2(!text.isEmpty() && !hasChinese(text), qPrintable(text));
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
