#pragma once
// The file chooser the main window asks for the alarm music. A script names the file instead
// of the user: its next question is answered with that name, so the music is chosen by the
// window's own handler.

#include "file_dialog.h"

#include <optional>
#include <utility>

namespace quellor {

class AnsweringChooser : public FileChooser {
public:
    explicit AnsweringChooser(FileChooser& user) : m_user(user) {}

    void answerNext(const QString& fileName) { m_next = fileName; }

    QString chooseOpenFile(QWidget* parent, const QString& filter, const QString& initialDir) override {
        if (m_next) {
            return *std::exchange(m_next, std::nullopt);
        }
        return m_user.chooseOpenFile(parent, filter, initialDir);
    }

private:
    FileChooser& m_user;
    std::optional<QString> m_next;
};

} // namespace quellor
