#include "fatal_signal_handler.h"

#include "platform/private_files.h"

#include <csignal>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <link.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

namespace keldoran {

namespace {

// Everything the handler needs is prepared at install time: it may not allocate, lock or format.
char folder[4096];
char version[128];
char executable[4096];
uintptr_t loadAddress = 0;
bool installed = false;
alignas(16) char alternateStack[64 * 1024];

constexpr int handledSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGILL, SIGFPE};

const char* signalName(int signal) {
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV";
    case SIGABRT:
        return "SIGABRT";
    case SIGBUS:
        return "SIGBUS";
    case SIGILL:
        return "SIGILL";
    case SIGFPE:
        return "SIGFPE";
    default:
        return "unknown";
    }
}

// A small output buffer on the stack with async-signal-safe formatting.
struct Writer {
    char text[16384];
    size_t size = 0;

    void add(const char* part) {
        for (; *part && size < sizeof text; ++part) {
            text[size++] = *part;
        }
    }
    // JSON string contents: quotes, backslashes and control characters escaped.
    void addEscaped(const char* part) {
        for (; *part; ++part) {
            const auto c = static_cast<unsigned char>(*part);
            if (c == '"' || c == '\\') {
                const char pair[3] = {'\\', char(c), 0};
                add(pair);
            } else if (c < 0x20) {
                add("?");
            } else {
                const char one[2] = {char(c), 0};
                add(one);
            }
        }
    }
    void addNumber(unsigned long long value, int width = 0) {
        char digits[24];
        int count = 0;
        do {
            digits[count++] = char('0' + value % 10);
            value /= 10;
        } while (value > 0);
        for (int pad = count; pad < width; ++pad) {
            add("0");
        }
        while (count > 0) {
            const char one[2] = {digits[--count], 0};
            add(one);
        }
    }
    void addHex(uintptr_t value) {
        add("0x");
        char digits[2 * sizeof value];
        int count = 0;
        do {
            digits[count++] = "0123456789abcdef"[value & 0xf];
            value >>= 4;
        } while (value > 0);
        while (count > 0) {
            const char one[2] = {digits[--count], 0};
            add(one);
        }
    }
    // ISO 8601 UTC from seconds since the epoch, by arithmetic alone.
    void addTime(time_t seconds) {
        long long days = seconds / 86400;
        long long rest = seconds % 86400;
        // Civil date from days since 1970-01-01 (Howard Hinnant's algorithm).
        days += 719468;
        const long long era = days / 146097;
        const long long dayOfEra = days - era * 146097;
        const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
        const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
        const long long monthIndex = (5 * dayOfYear + 2) / 153;
        const long long day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
        const long long month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
        const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
        addNumber(year, 4);
        add("-");
        addNumber(month, 2);
        add("-");
        addNumber(day, 2);
        add("T");
        addNumber(rest / 3600, 2);
        add(":");
        addNumber(rest / 60 % 60, 2);
        add(":");
        addNumber(rest % 60, 2);
        add("Z");
    }
};

void handle(int signal) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    void* frames[64];
    const int frameCount = backtrace(frames, 64);

    static Writer out; // static: a stack overflow leaves little stack even on the alternate one
    out.size = 0;
    out.add("{\"signal\":");
    out.addNumber(unsigned(signal));
    out.add(",\"signalName\":\"");
    out.add(signalName(signal));
    out.add("\",\"time\":\"");
    out.addTime(now.tv_sec);
    out.add("\",\"version\":\"");
    out.addEscaped(version);
    out.add("\",\"executable\":\"");
    out.addEscaped(executable);
    out.add("\",\"loadAddress\":\"");
    out.addHex(loadAddress);
    out.add("\",\"backtrace\":[");
    for (int i = 0; i < frameCount; ++i) {
        out.add(i == 0 ? "\"" : ",\"");
        out.addHex(reinterpret_cast<uintptr_t>(frames[i]));
        out.add("\"");
    }
    out.add("]}\n");

    static Writer path;
    path.size = 0;
    path.add(folder);
    path.add("/crash-");
    path.addNumber(static_cast<unsigned long long>(now.tv_sec));
    path.add("-");
    path.addNumber(static_cast<unsigned long long>(getpid()));
    path.add(".json");
    path.text[std::min(path.size, sizeof path.text - 1)] = 0;

    const int file = open(path.text, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (file >= 0) {
        size_t written = 0;
        while (written < out.size) {
            const auto result = write(file, out.text + written, out.size - written);
            if (result <= 0) {
                break;
            }
            written += size_t(result);
        }
        close(file);
    }
    // End as the signal would have ended the process.
    ::signal(signal, SIG_DFL);
    raise(signal);
}

int findExecutable(dl_phdr_info* info, size_t, void*) {
    // The first object is the executable itself.
    loadAddress = info->dlpi_addr;
    return 1;
}

void copy(char* target, size_t capacity, const QByteArray& text) {
    const auto length = std::min(size_t(text.size()), capacity - 1);
    std::memcpy(target, text.constData(), length);
    target[length] = 0;
}

} // namespace

namespace FatalSignalHandler {

void install(const QString& pendingFolder, const QString& versionText) {
    if (installed) {
        return;
    }
    installed = true;
    PrivateFiles::makeFolder(QFileInfo(pendingFolder).path());
    PrivateFiles::makeFolder(pendingFolder);
    copy(folder, sizeof folder, QFile::encodeName(pendingFolder));
    copy(version, sizeof version, versionText.toUtf8());
    copy(executable, sizeof executable,
         QFile::encodeName(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()));
    dl_iterate_phdr(findExecutable, nullptr);
    // The first backtrace() loads the unwinder, which allocates: do it now, not in the handler.
    void* warmUp[4];
    backtrace(warmUp, 4);

    // A stack overflow is a SIGSEGV with no stack left to run the handler on.
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = handle;
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : handledSignals) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace FatalSignalHandler

} // namespace keldoran
