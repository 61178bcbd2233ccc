#include "restore_problem.h"

#include "restic_json.h"

#include <QSet>
#include <QStringList>

namespace keldoran {

namespace {

using Cause = RestoreProblem::Cause;

Cause causeOf(const QString& message) {
    const auto text = message.toLower();
    const auto any = [&](std::initializer_list<const char*> fragments) {
        return std::any_of(fragments.begin(), fragments.end(),
                           [&](const char* fragment) { return text.contains(QLatin1String(fragment)); });
    };
    if (any({"no space left on device", "disk quota exceeded", "file too large"})) {
        return Cause::destinationFull;
    }
    if (any({"directory not empty", "is a directory"})) {
        return Cause::folderInTheWay;
    }
    if (any({"ciphertext verification failed", "decrypting blob", "unexpected pack id", "checksum",
             "not found in index", "does not exist"})) {
        return Cause::damagedInBackup;
    }
    if (any({"permission denied", "operation not permitted", "read-only file system"})) {
        return Cause::notPermitted;
    }
    return Cause::other;
}

// "sub/a.txt" for restic's "/sub/a.txt".
QString shown(const QString& item) {
    return item.startsWith(QLatin1Char('/')) && item.size() > 1 ? item.mid(1) : item;
}

} // namespace

QList<RestoreProblem> RestoreProblem::fromStandardError(const QString& stderrText) {
    QList<RestoreProblem> problems;
    QSet<QString> seen;
    for (const auto& line : stderrText.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const auto event = ResticJson::decodeBackupEvent(line.trimmed().toUtf8());
        const auto* record = event ? std::get_if<BackupErrorMessage>(&*event) : nullptr;
        if (!record) {
            continue;
        }
        const auto item = record->item.value_or(QString());
        if (!seen.contains(item)) {
            seen.insert(item);
            problems.append({item, causeOf(record->error.message), record->error.message});
        }
    }
    return problems;
}

QString RestoreProblem::sentence() const {
    const auto name = shown(item);
    switch (cause) {
    case Cause::destinationFull:
        return tr("The destination is full.");
    case Cause::folderInTheWay:
        return tr("“%1” is a folder in the destination but a file in the backup.").arg(name);
    case Cause::damagedInBackup:
        return tr("“%1” is damaged in the backup.").arg(name);
    case Cause::notPermitted:
        return tr("Keldoran isn't allowed to write “%1”.").arg(name);
    case Cause::other:
        break;
    }
    return name.isEmpty() ? tr("An item couldn't be restored.") : tr("“%1” couldn't be restored.").arg(name);
}

std::optional<QString> RestoreProblem::summary(const QList<RestoreProblem>& problems) {
    if (problems.isEmpty()) {
        return std::nullopt;
    }
    constexpr qsizetype named = 3;
    QStringList sentences;
    qsizetype covered = 0;
    for (const auto& problem : problems) {
        const auto sentence = problem.sentence();
        if (sentences.contains(sentence)) {
            ++covered;
        } else if (sentences.size() < named) {
            sentences.append(sentence);
            ++covered;
        }
    }
    const auto rest = problems.size() - covered;
    if (rest > 0) {
        sentences.append(tr("%Ln more items couldn't be restored.", nullptr, int(rest)));
    }
    return sentences.join(QLatin1Char(' '));
}

} // namespace keldoran
