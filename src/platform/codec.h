#pragma once
// The one Windows-1252 codec: every byte that Faktavo reads from or writes to a file in the
// Windows code page passes through these two functions, so files move between Windows and
// Linux installations unchanged.

#include <QByteArray>
#include <QString>

namespace fakvo {

// Bytes in Windows-1252 to text. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value, as
// Windows does, so decoding and encoding again returns the same bytes.
QString FromCp1252(const QByteArray& bytes);

// Text to Windows-1252 bytes. A character the code page cannot hold becomes '?'.
QByteArray ToCp1252(const QString& text);

// Convenience for string literals and C strings given in Windows-1252.
inline QString FromCp1252(const char* bytes)
{
    return FromCp1252(QByteArray(bytes));
}

} // namespace fakvo
