#pragma once

#include <optional>
#include <QCoreApplication>
#include <QString>

namespace keldoran {

/// keldoranctl's terminal: what it prints, the secrets it asks for, and its progress bar.
namespace Terminal {

/// Print a line; control characters other than its line feeds are shown escaped, so no text from a
/// backup or from restic can drive the terminal.
void out(const QString& line);
void error(const QString& line);
/// The text with every control character, line feeds included, shown as ls does: "\033".
QString printable(const QString& text);

/// A secret read from `file` (its first line), or else asked for: on a terminal without echo after
/// `prompt`, otherwise one line of standard input. None at end of input or when the file is unreadable.
std::optional<QString> secret(const QString& prompt, const QString& file);

/// Draws progress in place on a terminal, or prints each tenth elsewhere.
class Progress {
    Q_DECLARE_TR_FUNCTIONS(Progress)

public:
    Progress();
    void show(double fraction, std::optional<qint64> done, std::optional<qint64> total, const QString& unit);
    /// Ends the progress line.
    void finish();

private:
    bool terminal_;
    qint64 startedMs_;
    int lastTenth_ = -1;
    bool drawn_ = false;
};

} // namespace Terminal

} // namespace keldoran
