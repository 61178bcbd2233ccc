#pragma once

#include <chrono>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QSocketNotifier;

namespace keldoran {

/// A pipe a child writes its output into, read at most once per pace. restic writes a line at a time;
/// read as each line arrives, the pipe wakes both processes for every line and the listing of a large
/// snapshot takes a third longer. Paced, the lines pile up in a roomy pipe and arrive in large chunks.
class PacedPipe : public QObject {
    Q_OBJECT
public:
    explicit PacedPipe(std::chrono::milliseconds pace);
    ~PacedPipe() override;

    /// False when the pipe could not be made; `openError` says why.
    bool isOpen() const { return readEnd_ >= 0; }
    const QString& openError() const { return openError_; }
    /// The end the child writes to; it must be closed here once the child has its copy.
    int writeEnd() const { return writeEnd_; }
    void closeWriteEnd();
    /// Reads whatever the pipe holds now and stops reading: the writer has exited.
    void finish();
    /// While held nothing is read, so a writer faster than its reader waits on the full pipe.
    void hold(bool held);
    bool isHeld() const { return held_; }

signals:
    void received(const QByteArray& chunk);

private:
    void readAvailable();
    void closeReadEnd();

    QString openError_;
    int readEnd_ = -1;
    int writeEnd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QTimer pause_;
    bool held_ = false;
};

} // namespace keldoran
