#include "terminal.h"

#include <csignal>
#include <cstdio>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <termios.h>
#include <unistd.h>

namespace keldoran {

namespace Terminal {

namespace {
bool isControl(char32_t c) {
    return c < 0x20 || c == 0x7f || (c >= 0x80 && c <= 0x9f);
}

QString escaped(const QString& text, bool keepLineFeeds) {
    QString shown;
    shown.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (!isControl(c) || (keepLineFeeds && c == U'\n')) {
            shown += QString::fromUcs4(&c, 1);
            continue;
        }
        for (const auto byte : QString::fromUcs4(&c, 1).toUtf8()) {
            shown += QStringLiteral("\\%1").arg(uint(uchar(byte)), 3, 8, QLatin1Char('0'));
        }
    }
    return shown;
}
} // namespace

QString printable(const QString& text) {
    return escaped(text, false);
}

void out(const QString& line) {
    std::fputs((escaped(line, true) + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

void error(const QString& line) {
    std::fputs((escaped(line, true) + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

namespace {
QString withoutLineEnd(QByteArray line) {
    while (line.endsWith('\n') || line.endsWith('\r')) {
        line.chop(1);
    }
    return QString::fromUtf8(line);
}
} // namespace

namespace {
termios shownInput{};

// A Ctrl-C at a prompt ends keldoranctl as it always did, but gives the terminal its echo back first.
void restoreEchoAndStop(int signal) {
    ::tcsetattr(STDIN_FILENO, TCSANOW, &shownInput);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}
} // namespace

std::optional<QString> secret(const QString& prompt, const QString& file) {
    if (!file.isEmpty()) {
        QFile source(file);
        if (!source.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        return withoutLineEnd(source.readLine());
    }
    const bool interactive = ::isatty(STDIN_FILENO);
    termios saved{};
    if (interactive) {
        std::fputs(prompt.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        ::tcgetattr(STDIN_FILENO, &saved);
        shownInput = saved;
        auto silent = saved;
        silent.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &silent);
    }
    struct sigaction stopAtPrompt {
    }, previousInterrupt{}, previousTerminate{};
    stopAtPrompt.sa_handler = restoreEchoAndStop;
    sigemptyset(&stopAtPrompt.sa_mask);
    ::sigaction(SIGINT, &stopAtPrompt, &previousInterrupt);
    ::sigaction(SIGTERM, &stopAtPrompt, &previousTerminate);
    char* line = nullptr;
    size_t capacity = 0;
    const auto length = ::getline(&line, &capacity, stdin);
    ::sigaction(SIGINT, &previousInterrupt, nullptr);
    ::sigaction(SIGTERM, &previousTerminate, nullptr);
    if (interactive) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fputs("\n", stderr);
    }
    std::optional<QString> value;
    if (length >= 0) {
        value = withoutLineEnd(QByteArray(line, length));
    }
    std::free(line);
    return value;
}

Progress::Progress()
    : terminal_(::isatty(STDOUT_FILENO))
    , startedMs_(QDateTime::currentMSecsSinceEpoch()) {}

void Progress::show(double fraction, std::optional<qint64> done, std::optional<qint64> total,
                    const QString& unit) {
    fraction = std::clamp(fraction, 0.0, 1.0);
    const int percent = int(fraction * 100);
    if (!terminal_) {
        if (percent / 10 > lastTenth_) {
            lastTenth_ = percent / 10;
            out(QStringLiteral("%1%").arg(percent));
        }
        return;
    }
    constexpr int width = 24;
    const int filled = int(fraction * width);
    auto line = QStringLiteral("\r[%1%2] %3%")
                    .arg(QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char(' ')))
                    .arg(percent, 3);
    if (done && total && *total > 0) {
        //: Progress of keldoranctl: %1 done of %2 in all, %3 what is counted (“files”).
        line += QStringLiteral("  ") +
                tr("%1 of %2 %3").arg(QLocale().toString(*done), QLocale().toString(*total), unit);
    }
    const auto elapsed = (QDateTime::currentMSecsSinceEpoch() - startedMs_) / 1000.0;
    if (fraction > 0.01 && elapsed > 2) {
        const auto left = qint64(elapsed * (1 - fraction) / fraction);
        line += QStringLiteral("  ") + (left >= 60 ? tr("about %Ln min left", nullptr, int(left / 60))
                                                   : tr("about %Ln s left", nullptr, int(left)));
    }
    std::fputs((line + QStringLiteral("\x1b[K")).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    drawn_ = true;
}

void Progress::finish() {
    if (drawn_) {
        std::fputs("\n", stdout);
        std::fflush(stdout);
        drawn_ = false;
    }
}

} // namespace Terminal

} // namespace keldoran
