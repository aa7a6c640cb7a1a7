// SPDX-License-Identifier: MIT

#include "file_dialog.h"
#include "scripted_chooser.h"

#include <QTest>

using namespace quellor;

class TestFileDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fileDialogReportsTheLastNameAfterACancel() {
        ScriptedChooser chooser;
        FileDialog dialog(chooser);
        dialog.filter = QStringLiteral("MP3 Files (*.mp3)");
        dialog.initialDir = QStringLiteral("/home/u/Desktop");
        dialog.showOpen(nullptr);
        QCOMPARE(dialog.fileName(), QString()); // cancelled, nothing ever chosen
        chooser.answers = {QStringLiteral("/music/a.mp3")};
        dialog.showOpen(nullptr);
        QCOMPARE(dialog.fileName(), QStringLiteral("/music/a.mp3"));
        dialog.showOpen(nullptr); // cancelled again
        QCOMPARE(dialog.fileName(), QStringLiteral("/music/a.mp3"));
        QCOMPARE(chooser.lastDir, QStringLiteral("/home/u/Desktop"));
    }
};

QTEST_MAIN(TestFileDialog)
#include "test_file_dialog.moc"
