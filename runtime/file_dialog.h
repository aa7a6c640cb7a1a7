#pragma once
// SPDX-License-Identifier: MIT
// The open-file dialog: a filter, an initial directory, and the name it reported last, which
// it reports again when the user cancels.

#include <QString>

class QWidget;

namespace quellor {

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Empty when the user cancelled.
    virtual QString chooseOpenFile(QWidget* parent, const QString& filter, const QString& initialDir) = 0;
};

class QtFileChooser : public FileChooser {
public:
    QString chooseOpenFile(QWidget* parent, const QString& filter, const QString& initialDir) override;
};

class FileDialog {
public:
    explicit FileDialog(FileChooser& chooser) : m_chooser(chooser) {}

    QString filter;
    QString initialDir;

    // Shows the dialog; returns when it is closed. fileName() then holds what it reports.
    void showOpen(QWidget* parent);
    QString fileName() const { return m_fileName; }

private:
    FileChooser& m_chooser;
    QString m_fileName;
};

} // namespace quellor
