#pragma once
// Windows bitmap files as the page engine reads them.

#include <QImage>
#include <QString>

namespace fakvo {

// Reads a bitmap file: a 14-byte file header (whose "BM" signature may be missing, the file
// then starting with the information header), a 40-byte information header or a 12-byte core
// header, the colour table and the pixels. Returns a null image when the file cannot be read
// or is no such bitmap (any other information header size).
QImage ReadBitmapFile(const QString& fileName);

} // namespace fakvo
