#include "restic_json.h"

#include "restic_error.h"

#include <QTimeZone>
#include <simdjson.h>

namespace keldoran {

namespace ResticJson {
namespace {

using simdjson::dom::element;

// Internal: why an object did not decode. Caught at the boundary of every public decoder.
struct DecodeFailure {
    QString description;
};

[[noreturn]] void fail(const QString& description) {
    throw DecodeFailure{description};
}

QString keyName(std::string_view key) {
    return QString::fromUtf8(key.data(), qsizetype(key.size()));
}

// One parser per thread: it owns buffers that a concurrent parse would overwrite.
simdjson::dom::parser& parser() {
    thread_local simdjson::dom::parser instance;
    return instance;
}

element parse(QByteArrayView bytes) {
    element root;
    if (auto error = parser().parse(bytes.data(), size_t(bytes.size())).get(root)) {
        fail(QString::fromUtf8(simdjson::error_message(error)));
    }
    return root;
}

int digits(const char* text, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
qint64 daysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// RFC 3339 internet date-time: YYYY-MM-DDTHH:MM:SS[.fraction](Z|+HH:MM|-HH:MM).
std::optional<qint64> parseTimestamp(std::string_view text) {
    if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':') {
        return std::nullopt;
    }
    const int year = digits(&text[0], 4), month = digits(&text[5], 2), day = digits(&text[8], 2);
    const int hour = digits(&text[11], 2), minute = digits(&text[14], 2), second = digits(&text[17], 2);
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return std::nullopt;
    }
    size_t position = 19;
    qint64 milliseconds = 0;
    if (text[position] == '.') {
        ++position;
        const size_t fractionStart = position;
        int scale = 100;
        while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
            milliseconds += (text[position] - '0') * scale;
            scale /= 10;
            ++position;
        }
        if (position == fractionStart) {
            return std::nullopt;
        }
    }
    qint64 offsetSeconds = 0;
    if (position == text.size() - 1 && text[position] == 'Z') {
        offsetSeconds = 0;
    } else if (position == text.size() - 6 && (text[position] == '+' || text[position] == '-') &&
               text[position + 3] == ':') {
        const int offsetHours = digits(&text[position + 1], 2),
                  offsetMinutes = digits(&text[position + 4], 2);
        if (offsetHours < 0 || offsetHours > 23 || offsetMinutes < 0 || offsetMinutes > 59) {
            return std::nullopt;
        }
        offsetSeconds = (offsetHours * 3600 + offsetMinutes * 60) * (text[position] == '-' ? -1 : 1);
    } else {
        return std::nullopt;
    }
    const qint64 seconds = daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return (seconds - offsetSeconds) * 1000 + milliseconds;
}

QString typeError(std::string_view key, const char* expected) {
    return QStringLiteral("Expected %1 for key \"%2\"").arg(QLatin1String(expected), keyName(key));
}

// Reads the fields of one JSON object with the shared rules.
class JsonObject {
public:
    JsonObject(element value, std::string_view what) {
        if (value.get_object().get(object_)) {
            fail(QStringLiteral("Expected an object for %1").arg(keyName(what)));
        }
    }

    // Absent and null both count as missing.
    std::optional<element> field(std::string_view key) const {
        element value;
        if (object_.at_key(key).get(value) || value.is_null()) {
            return std::nullopt;
        }
        return value;
    }

    element required(std::string_view key) const {
        auto value = field(key);
        if (!value) {
            fail(QStringLiteral("No value associated with key \"%1\"").arg(keyName(key)));
        }
        return *value;
    }

    QString string(std::string_view key) const { return stringValue(required(key), key); }
    quint64 unsignedInteger(std::string_view key) const { return unsignedValue(required(key), key); }
    double real(std::string_view key) const { return realValue(required(key), key); }
    QDateTime timestamp(std::string_view key) const { return timestampValue(required(key), key); }
    QStringList strings(std::string_view key) const { return stringsValue(required(key), key); }

    std::optional<QString> optionalString(std::string_view key) const { return map(key, stringValue); }
    std::optional<quint64> optionalUnsigned(std::string_view key) const { return map(key, unsignedValue); }
    std::optional<double> optionalReal(std::string_view key) const { return map(key, realValue); }
    std::optional<QDateTime> optionalTimestamp(std::string_view key) const {
        return map(key, timestampValue);
    }
    std::optional<QStringList> optionalStrings(std::string_view key) const { return map(key, stringsValue); }

    static QString stringValue(element value, std::string_view key) {
        std::string_view text;
        if (value.get_string().get(text)) {
            fail(typeError(key, "a string"));
        }
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }

    // Negative and fractional numbers are refused.
    static quint64 unsignedValue(element value, std::string_view key) {
        uint64_t number = 0;
        if (value.get_uint64().get(number)) {
            fail(typeError(key, "an unsigned integer"));
        }
        return number;
    }

    static double realValue(element value, std::string_view key) {
        double number = 0;
        if (value.get_double().get(number)) {
            fail(typeError(key, "a number"));
        }
        return number;
    }

    static QDateTime timestampValue(element value, std::string_view key) {
        std::string_view text;
        if (value.get_string().get(text)) {
            fail(typeError(key, "a string"));
        }
        const auto milliseconds = parseTimestamp(text);
        if (!milliseconds) {
            fail(QStringLiteral("Unparseable restic timestamp: ") + keyName(text));
        }
        return QDateTime::fromMSecsSinceEpoch(*milliseconds, QTimeZone::utc());
    }

    static QStringList stringsValue(element value, std::string_view key) {
        simdjson::dom::array array;
        if (value.get_array().get(array)) {
            fail(typeError(key, "an array"));
        }
        QStringList list;
        list.reserve(qsizetype(array.size()));
        for (element item : array) {
            list.append(stringValue(item, key));
        }
        return list;
    }

private:
    template <typename Convert>
    auto map(std::string_view key, Convert convert) const
        -> std::optional<decltype(convert(element(), key))> {
        auto value = field(key);
        if (!value) {
            return std::nullopt;
        }
        return convert(*value, key);
    }

    simdjson::dom::object object_;
};

BackupStatus backupStatus(const JsonObject& json) {
    BackupStatus status;
    status.secondsElapsed = json.optionalUnsigned("seconds_elapsed");
    status.secondsRemaining = json.optionalUnsigned("seconds_remaining");
    status.percentDone = json.real("percent_done");
    status.totalFiles = json.optionalUnsigned("total_files");
    status.filesDone = json.optionalUnsigned("files_done");
    status.totalBytes = json.optionalUnsigned("total_bytes");
    status.bytesDone = json.optionalUnsigned("bytes_done");
    status.errorCount = json.optionalUnsigned("error_count");
    status.currentFiles = json.optionalStrings("current_files");
    return status;
}

BackupErrorMessage backupError(const JsonObject& json) {
    BackupErrorMessage message;
    message.error.message = JsonObject(json.required("error"), "error").string("message");
    message.during = json.optionalString("during");
    message.item = json.optionalString("item");
    return message;
}

BackupSummary backupSummary(const JsonObject& json) {
    BackupSummary summary;
    summary.filesNew = json.unsignedInteger("files_new");
    summary.filesChanged = json.unsignedInteger("files_changed");
    summary.filesUnmodified = json.unsignedInteger("files_unmodified");
    summary.dirsNew = json.unsignedInteger("dirs_new");
    summary.dirsChanged = json.unsignedInteger("dirs_changed");
    summary.dirsUnmodified = json.unsignedInteger("dirs_unmodified");
    summary.dataBlobs = json.unsignedInteger("data_blobs");
    summary.treeBlobs = json.unsignedInteger("tree_blobs");
    summary.dataAdded = json.unsignedInteger("data_added");
    summary.dataAddedPacked = json.optionalUnsigned("data_added_packed");
    summary.totalFilesProcessed = json.unsignedInteger("total_files_processed");
    summary.totalBytesProcessed = json.unsignedInteger("total_bytes_processed");
    summary.totalDuration = json.real("total_duration");
    summary.snapshotId = json.optionalString("snapshot_id");
    return summary;
}

RestoreStatus restoreStatus(const JsonObject& json) {
    RestoreStatus status;
    status.percentDone = json.real("percent_done");
    status.totalFiles = json.optionalUnsigned("total_files");
    status.filesRestored = json.optionalUnsigned("files_restored");
    status.totalBytes = json.optionalUnsigned("total_bytes");
    status.bytesRestored = json.optionalUnsigned("bytes_restored");
    return status;
}

RestoreSummary restoreSummary(const JsonObject& json) {
    RestoreSummary summary;
    summary.totalFiles = json.unsignedInteger("total_files");
    summary.filesRestored = json.unsignedInteger("files_restored");
    summary.totalBytes = json.unsignedInteger("total_bytes");
    summary.bytesRestored = json.unsignedInteger("bytes_restored");
    return summary;
}

Snapshot snapshot(const JsonObject& json) {
    Snapshot snapshot;
    snapshot.id = json.string("id");
    snapshot.shortId = json.string("short_id");
    snapshot.time = json.timestamp("time");
    snapshot.parent = json.optionalString("parent");
    snapshot.tree = json.string("tree");
    snapshot.paths = json.strings("paths");
    snapshot.hostname = json.string("hostname");
    snapshot.username = json.optionalString("username");
    snapshot.tags = json.optionalStrings("tags");
    snapshot.programVersion = json.optionalString("program_version");
    if (auto summaryValue = json.field("summary")) {
        const JsonObject summaryJson(*summaryValue, "summary");
        Snapshot::Summary summary;
        summary.dataAdded = summaryJson.unsignedInteger("data_added");
        summary.dataAddedPacked = summaryJson.optionalUnsigned("data_added_packed");
        summary.totalBytesProcessed = summaryJson.optionalUnsigned("total_bytes_processed");
        summary.totalFilesProcessed = summaryJson.optionalUnsigned("total_files_processed");
        snapshot.summary = summary;
    }
    return snapshot;
}

template <typename Value, typename Decode>
std::optional<Value> decodeLine(QByteArrayView line, QString* error, Decode decode) {
    try {
        return decode(JsonObject(parse(line), "the line"));
    } catch (const DecodeFailure& failure) {
        if (error) {
            *error = failure.description;
        }
        return std::nullopt;
    }
}

template <typename Value, typename Decode> Value decodeDocument(const QByteArray& output, Decode decode) {
    try {
        return decode(parse(output));
    } catch (const DecodeFailure& failure) {
        throw ResticError::decodingFailed(QString::fromUtf8(output.left(500)), failure.description);
    }
}

} // namespace

std::optional<BackupEvent> decodeBackupEvent(QByteArrayView line, QString* error) {
    return decodeLine<BackupEvent>(line, error, [](const JsonObject& json) -> BackupEvent {
        const auto type = json.string("message_type");
        if (type == QLatin1String("status")) {
            return backupStatus(json);
        }
        if (type == QLatin1String("error")) {
            return backupError(json);
        }
        if (type == QLatin1String("summary")) {
            return backupSummary(json);
        }
        return UnrecognizedMessage{type};
    });
}

std::optional<RestoreEvent> decodeRestoreEvent(QByteArrayView line, QString* error) {
    return decodeLine<RestoreEvent>(line, error, [](const JsonObject& json) -> RestoreEvent {
        const auto type = json.string("message_type");
        if (type == QLatin1String("status")) {
            return restoreStatus(json);
        }
        if (type == QLatin1String("summary")) {
            return restoreSummary(json);
        }
        return UnrecognizedMessage{type};
    });
}

std::optional<LsEntry> decodeLsEntry(QByteArrayView line, QString* error) {
    return decodeLine<LsEntry>(line, error, [](const JsonObject& json) {
        LsEntry entry;
        entry.structType = json.optionalString("struct_type");
        entry.name = json.string("name");
        entry.type = json.string("type");
        entry.path = json.string("path");
        entry.size = json.optionalUnsigned("size");
        entry.mtime = json.optionalTimestamp("mtime");
        return entry;
    });
}

std::optional<QString> decodeExitErrorMessage(QByteArrayView line) {
    return decodeLine<QString>(line, nullptr, [](const JsonObject& json) { return json.string("message"); });
}

QList<Snapshot> decodeSnapshots(const QByteArray& output) {
    return decodeDocument<QList<Snapshot>>(output, [](element root) {
        simdjson::dom::array array;
        if (root.get_array().get(array)) {
            fail(QStringLiteral("Expected an array of snapshots"));
        }
        QList<Snapshot> snapshots;
        for (element item : array) {
            snapshots.append(snapshot(JsonObject(item, "a snapshot")));
        }
        return snapshots;
    });
}

RepositoryStats decodeRepositoryStats(const QByteArray& document) {
    return decodeDocument<RepositoryStats>(document, [](element root) {
        const JsonObject json(root, "the statistics");
        RepositoryStats stats;
        stats.totalSize = json.unsignedInteger("total_size");
        stats.totalFileCount = json.optionalUnsigned("total_file_count");
        stats.totalBlobCount = json.optionalUnsigned("total_blob_count");
        stats.snapshotsCount = json.unsignedInteger("snapshots_count");
        stats.totalUncompressedSize = json.optionalUnsigned("total_uncompressed_size");
        stats.compressionRatio = json.optionalReal("compression_ratio");
        return stats;
    });
}

InitResult decodeInitResult(const QByteArray& output) {
    return decodeDocument<InitResult>(output, [](element root) {
        const JsonObject json(root, "the init result");
        return InitResult{json.string("message_type"), json.string("id"), json.string("repository")};
    });
}

std::optional<QDateTime> decodeTimestamp(QByteArrayView text, QString* error) {
    const auto milliseconds = parseTimestamp(std::string_view(text.data(), size_t(text.size())));
    if (!milliseconds) {
        if (error) {
            *error = QStringLiteral("Unparseable restic timestamp: ") + QString::fromUtf8(text);
        }
        return std::nullopt;
    }
    return QDateTime::fromMSecsSinceEpoch(*milliseconds, QTimeZone::utc());
}

} // namespace ResticJson

} // namespace keldoran
