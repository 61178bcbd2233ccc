#pragma once

// Readable gtest failure messages for Qt's strings; force-included into every test source.
#include <ostream>
#include <QByteArray>
#include <QString>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}
