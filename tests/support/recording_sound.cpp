// SPDX-License-Identifier: MIT

#include "recording_sound.h"

namespace quellor {

namespace {
class RecordingChannel : public SoundChannel {
public:
    RecordingChannel(QStringList& log, QString name) : m_log(log), m_name(std::move(name)) {}
    void load(const QString& path) override { m_log << m_name + QStringLiteral(" open ") + path; }
    void play() override { m_log << m_name + QStringLiteral(" play"); }
    void halt() override { m_log << m_name + QStringLiteral(" halt"); }

private:
    QStringList& m_log;
    QString m_name;
};
} // namespace

std::unique_ptr<SoundChannel> RecordingSound::createChannel(const QString& name) {
    return std::make_unique<RecordingChannel>(log, name);
}

int RecordingSound::opened(const QString& file) const {
    int n = 0;
    for (const QString& entry : log) {
        if (entry.contains(QStringLiteral(" open ")) && entry.endsWith(QLatin1Char('/') + file)) {
            ++n;
        }
    }
    return n;
}

} // namespace quellor
