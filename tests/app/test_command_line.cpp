// SPDX-License-Identifier: MIT
// The command line: what each set of arguments asks for, and the message for each bad one.

#include "command_line.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>

#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quellor;

namespace {

// One line per invocation: its mode and, for a request, what it arms and cancels in order.
QString describe(const Invocation& inv) {
    switch (inv.mode) {
    case Invocation::Mode::Start:
        return QStringLiteral("start");
    case Invocation::Mode::Status:
        return QStringLiteral("status");
    case Invocation::Mode::Help:
        return QStringLiteral("help");
    case Invocation::Mode::Version:
        return QStringLiteral("version");
    case Invocation::Mode::Invalid:
        return QStringLiteral("error: ") + inv.error;
    case Invocation::Mode::Control:
        break;
    }
    const ControlRequest& r = inv.request;
    QStringList parts;
    if (r.cancelAction) {
        parts << QStringLiteral("cancel");
    }
    if (r.action != TimerAction::None) {
        parts << actionName(r.action) + QLatin1Char(' ') + r.actionTime;
    }
    if (r.cancelAlarm) {
        parts << QStringLiteral("cancel-alarm");
    }
    if (!r.alarmTime.isEmpty()) {
        parts << QStringLiteral("alarm ") + r.alarmTime +
                     (r.music.isEmpty() ? QString() : QLatin1Char(' ') + r.music);
    }
    return parts.join(QLatin1Char(';'));
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir; // holds song.mp3 and the folder sub/

private Q_SLOTS:
    void initTestCase() {
        // Links to music with names in other encodings go in the runtime folder: keep it ours.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("run")));
        QVERIFY(QFile::setPermissions(m_dir.filePath(QStringLiteral("run")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.filePath(QStringLiteral("run"))));
        QFile song(m_dir.filePath(QStringLiteral("song.mp3")));
        QVERIFY(song.open(QIODevice::WriteOnly));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("sub")));
    }

    // `expected` is the whole description of a good invocation, or a part of a bad one's message.
    void parse_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, QStringList args, const char* expected) {
            QTest::newRow(name) << args << QString::fromUtf8(expected);
        };
        row("nothing", {}, "start");
        row("Qt's session option", {"-session", "1a2b", "-reverse"}, "start");
        row("Qt's style inline", {"-style=fusion"}, "start");
        row("shutdown", {"--shutdown", "23:30"}, "shutdown 23:30:00");
        row("restart with seconds", {"--restart", "7:05:09"}, "restart 07:05:09");
        row("logoff inline", {"--logoff=00:00:00"}, "logoff 00:00:00");
        row("countdown", {"--shutdown", "+30", "--alarm=+1440"}, "shutdown +30;alarm +1440");
        row("cancel", {"--cancel"}, "cancel");
        row("cancel alarm", {"--cancel-alarm"}, "cancel-alarm");
        row("alarm with relative music", {"--alarm", "6:00", "--music", "song.mp3"},
            "alarm 06:00:00 @/song.mp3");
        row("music before alarm", {"--music=sub/../song.mp3", "--alarm", "6:00"},
            "alarm 06:00:00 @/song.mp3");
        row("action and alarm", {"--cancel-alarm", "--restart", "23:59:59"}, "restart 23:59:59;cancel-alarm");
        row("cancel and alarm", {"--alarm", "6:00", "--cancel"}, "cancel;alarm 06:00:00");
        row("status", {"--status"}, "status");
        row("help", {"--help"}, "help");
        row("version", {"--version"}, "version");

        row("no time", {"--shutdown"}, "--shutdown needs a value");
        row("hour 24", {"--shutdown", "24:00"}, "\"24:00\" is not a time of day");
        row("minute 60", {"--restart", "12:60"}, "is not a time of day");
        row("second 60", {"--logoff", "12:00:60"}, "is not a time of day");
        row("digits only", {"--alarm", "1230"}, "is not a time of day");
        row("one-digit minute", {"--alarm", "7:5"}, "is not a time of day");
        row("space", {"--shutdown", " 12:00"}, "is not a time of day");
        row("twelve-hour", {"--shutdown", "7:00pm"}, "is not a time of day");
        row("line break after a time", {"--restart", "07:00\n"}, "\"07:00\\n\" is not a time of day");
        row("countdown of nothing", {"--shutdown", "+0"}, "\"+0\" is not a time of day");
        row("countdown over a day", {"--alarm", "+1441"}, "is not a time of day");
        row("two actions", {"--shutdown", "12:00", "--restart", "13:00"},
            "--shutdown and --restart cannot be combined");
        row("arm and cancel", {"--cancel", "--logoff", "13:00"}, "--cancel and --logoff cannot be combined");
        row("alarm and cancel", {"--alarm", "7:00", "--cancel-alarm"}, "cannot be combined");
        row("twice", {"--cancel", "--cancel"}, "--cancel given twice");
        row("music alone", {"--music", "song.mp3"}, "--music goes with --alarm");
        row("missing music", {"--alarm", "7:00", "--music", "gone.mp3"}, "no file \"@/gone.mp3\"");
        row("music is a folder", {"--alarm", "7:00", "--music", "sub"}, "is not a regular file");
        row("status and more", {"--status", "--cancel"}, "--status stands alone");
        row("help and version", {"--help", "--version"}, "--help and --version cannot be combined");
        row("value for a flag", {"--cancel=now"}, "--cancel takes no value");
        row("unknown", {"--frobnicate"}, "unknown option --frobnicate");
        row("single dash", {"-shutdown", "12:00"}, "unknown option -shutdown");
        row("bare word", {"now"}, "unexpected argument \"now\"");
        row("Qt option without value", {"-session"}, "-session needs a value");
    }
    // Music is named by the bytes of its file name, which need not be UTF-8: the program is then
    // handed a link to it that is.
    void musicNamedInAnyEncoding_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("UTF-8") << QByteArray("réveil.mp3");
        QTest::newRow("Latin-1") << QByteArray("r\xe9veil.wav");
        QTest::newRow("GBK") << QByteArray("\xc4\xd6\xd6\xd3.mp3");
    }
    void musicNamedInAnyEncoding() {
        QFETCH(QByteArray, name);
        const QByteArray dir = QFile::encodeName(m_dir.path());
        const QByteArray path = dir + '/' + name;
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0600);
        QVERIFY(fd >= 0);
        ::close(fd);
        const Invocation inv = parseCommandLine(QList<QByteArray>{"--alarm", "7:00", "--music", name}, dir);
        QCOMPARE(inv.error, QString());
        QVERIFY(QByteArrayView(QFile::encodeName(inv.request.music)).isValidUtf8());
        struct stat given {
        }, handed{};
        QCOMPARE(::stat(path.constData(), &given), 0);
        QCOMPARE(::stat(QFile::encodeName(inv.request.music).constData(), &handed), 0);
        QCOMPARE(handed.st_ino, given.st_ino);
        ::unlink(path.constData());
    }

    void parse() {
        QFETCH(QStringList, args);
        QFETCH(QString, expected);
        expected.replace(QLatin1Char('@'), m_dir.path());
        const Invocation inv = parseCommandLine(args, m_dir.path());
        const QString got = describe(inv);
        if (inv.mode == Invocation::Mode::Invalid) {
            QVERIFY2(got.contains(expected), qPrintable(got));
            QVERIFY(inv.request.isEmpty());
        } else {
            QCOMPARE(got, expected);
        }
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
