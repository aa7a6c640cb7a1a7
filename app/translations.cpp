// SPDX-License-Identifier: MIT

#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>

#include <utility>

namespace quellor {

Translations::Translations(QStringList catalogueDirs, QString qtDir)
    : m_catalogueDirs(std::move(catalogueDirs)), m_qtDir(std::move(qtDir)) {}

Translations::~Translations() {
    remove();
}

QStringList Translations::catalogueDirs(const QString& programDir) {
    return {programDir + QStringLiteral("/translations"),
            QDir::cleanPath(programDir + QStringLiteral("/" QUELLOR_TRANSLATIONS_FROM_PROGRAM))};
}

void Translations::remove() {
    if (std::exchange(m_programInstalled, false)) {
        QCoreApplication::removeTranslator(&m_program);
    }
    if (std::exchange(m_qtInstalled, false)) {
        QCoreApplication::removeTranslator(&m_qt);
    }
}

bool Translations::loadProgram(const QString& language) {
    for (const QString& dir : m_catalogueDirs) {
        if (m_program.load(QLocale(language), QStringLiteral("quellor"), QStringLiteral("_"), dir)) {
            m_programInstalled = QCoreApplication::installTranslator(&m_program);
            return m_programInstalled;
        }
    }
    return false;
}

QString Translations::install(const QStringList& languages) {
    remove();
    for (const QString& language : languages) {
        const QLocale::Language spoken = QLocale(language).language();
        if (spoken == QLocale::C || spoken == QLocale::AnyLanguage) {
            continue; // "C", "POSIX" or a name Qt does not know
        }
        // Chinese needs no catalogue of ours: the texts are written in it. Any other language
        // counts only where its catalogue is there, so the next one the user reads comes first.
        if (spoken != QLocale::Chinese && !loadProgram(language)) {
            continue;
        }
        if (m_qt.load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"), m_qtDir)) {
            m_qtInstalled = QCoreApplication::installTranslator(&m_qt);
        }
        return language;
    }
    return {};
}

} // namespace quellor
