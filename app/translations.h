#pragma once
// SPDX-License-Identifier: MIT
// The interface in the user's language. The texts are written in Simplified Chinese; a catalogue
// per other language ("quellor_en.qm") holds their translations, and Qt's own catalogue
// ("qtbase_xx.qm") translates the standard dialogs. The first of the user's languages that the
// program can show wins, Chinese among them; with none, the texts stay as written.

#include <QString>
#include <QStringList>
#include <QTranslator>

namespace quellor {

class Translations {
public:
    // `catalogueDirs` are searched in order for the program's catalogues; `qtDir` holds Qt's.
    Translations(QStringList catalogueDirs, QString qtDir);
    // Takes the catalogues out of the application again.
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // Installs the catalogues for `languages` (BCP 47 names, most wanted first, as
    // QLocale::uiLanguages() gives them), in place of any installed before. Returns the language
    // chosen, or an empty string when none of them can be shown and the texts stay as written.
    QString install(const QStringList& languages);

    // Where the program's catalogues are: beside the program in a build tree, under the data
    // folder of an installed copy.
    static QStringList catalogueDirs(const QString& programDir);

private:
    void remove();
    bool loadProgram(const QString& language);

    QStringList m_catalogueDirs;
    QString m_qtDir;
    QTranslator m_program;
    QTranslator m_qt;
    bool m_programInstalled = false;
    bool m_qtInstalled = false;
};

} // namespace quellor
