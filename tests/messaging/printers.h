#pragma once
// Readable test output for Qt strings and byte arrays (found by GoogleTest through ADL).

#include <QByteArray>
#include <QString>

#include <ostream>

inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << '"' << bytes.toStdString() << '"';
}

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
