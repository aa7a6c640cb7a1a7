// SPDX-License-Identifier: MIT

#include "file_dialog.h"

#include <QFileDialog>

namespace quellor {

QString QtFileChooser::chooseOpenFile(QWidget* parent, const QString& filter, const QString& initialDir) {
    return QFileDialog::getOpenFileName(parent, QString(), initialDir, filter);
}

void FileDialog::showOpen(QWidget* parent) {
    const QString chosen = m_chooser.chooseOpenFile(parent, filter, initialDir);
    if (!chosen.isEmpty()) {
        m_fileName = chosen;
    }
}

} // namespace quellor
