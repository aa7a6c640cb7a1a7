// SPDX-License-Identifier: MIT

#pragma once
#include "file_dialog.h"

#include <QStringList>

namespace quellor {

// A file chooser that answers from a script instead of showing a dialog.
class ScriptedChooser : public FileChooser {
public:
    QStringList answers; // next answers; empty = cancelled
    int shown = 0;
    QString lastFilter, lastDir;
    QString chooseOpenFile(QWidget*, const QString& filter, const QString& dir) override {
        ++shown;
        lastFilter = filter;
        lastDir = dir;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

} // namespace quellor
