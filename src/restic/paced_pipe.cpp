#include "paced_pipe.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QSocketNotifier>
#include <unistd.h>

namespace keldoran {

namespace {

// Room for about three thousand lines of a listing, so the child rarely waits for us between reads.
constexpr int roomyPipeBytes = 1024 * 1024;
// One read takes at most this much, so a fast writer cannot hold the event loop.
constexpr qsizetype largestChunk = 4 * 1024 * 1024;

} // namespace

PacedPipe::PacedPipe(std::chrono::milliseconds pace) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        openError_ = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    ::fcntl(readEnd_, F_SETFL, ::fcntl(readEnd_, F_GETFL) | O_NONBLOCK);
    ::fcntl(readEnd_, F_SETPIPE_SZ, roomyPipeBytes); // best effort: the default size works, only slower
    notifier_ = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        readAvailable();
        if (notifier_) {
            notifier_->setEnabled(false);
            pause_.start();
        }
    });
    pause_.setSingleShot(true);
    pause_.setInterval(pace);
    connect(&pause_, &QTimer::timeout, this, [this] {
        if (notifier_ && !held_) {
            notifier_->setEnabled(true);
        }
    });
}

PacedPipe::~PacedPipe() {
    closeWriteEnd();
    closeReadEnd();
}

void PacedPipe::closeWriteEnd() {
    if (writeEnd_ >= 0) {
        ::close(writeEnd_);
        writeEnd_ = -1;
    }
}

void PacedPipe::finish() {
    closeWriteEnd();
    if (readEnd_ >= 0) {
        readAvailable();
        closeReadEnd();
    }
}

void PacedPipe::hold(bool held) {
    held_ = held;
    if (notifier_ && !pause_.isActive()) {
        notifier_->setEnabled(!held);
    }
}

void PacedPipe::readAvailable() {
    QByteArray chunk;
    bool ended = false;
    while (chunk.size() < largestChunk) {
        const auto kept = chunk.size();
        chunk.resize(kept + roomyPipeBytes);
        const auto count = ::read(readEnd_, chunk.data() + kept, roomyPipeBytes);
        chunk.resize(kept + std::max<qsizetype>(count, 0));
        if (count > 0) {
            continue;
        }
        if (count < 0 && errno == EINTR) {
            continue;
        }
        // End of file, or nothing more for now (EAGAIN); any other error ends the stream too.
        ended = count == 0 || errno != EAGAIN;
        break;
    }
    if (ended) {
        closeReadEnd();
    }
    if (!chunk.isEmpty()) {
        emit received(chunk);
    }
}

void PacedPipe::closeReadEnd() {
    if (readEnd_ < 0) {
        return;
    }
    pause_.stop();
    // It may be the one whose signal is being delivered.
    notifier_->setEnabled(false);
    notifier_->deleteLater();
    notifier_ = nullptr;
    ::close(readEnd_);
    readEnd_ = -1;
}

} // namespace keldoran
