#include "bitmapfile.h"

#include <QFile>
#include <QtEndian>

namespace fakvo {
namespace {

constexpr qsizetype kFileHeaderSize = 14;
constexpr quint32 kInfoHeaderSize = 40;
constexpr quint32 kCoreHeaderSize = 12;
constexpr quint32 kBitFields = 3;

// The caller has checked that the bytes are there.
template <typename T> T ReadLittleEndian(const QByteArray& bytes, qsizetype at)
{
    T value = 0;
    for (qsizetype i = 0; i < qsizetype(sizeof(T)); ++i)
        value = T(value | T(T(static_cast<unsigned char>(bytes.at(at + i))) << (8 * i)));
    return value;
}

// The file header that belongs in front of a bitmap stored without one: it points past the
// information header and the colour table to the pixels.
QByteArray FileHeaderFor(const QByteArray& dib, quint32 headerSize)
{
    quint32 tableBytes = 0;
    if (headerSize == kInfoHeaderSize) {
        const auto bits = ReadLittleEndian<quint16>(dib, 14);
        const auto compression = ReadLittleEndian<quint32>(dib, 16);
        const auto used = ReadLittleEndian<quint32>(dib, 32);
        const quint32 entries = used != 0 ? used : (bits <= 8 ? 1u << bits : 0u);
        tableBytes = entries * 4 + (compression == kBitFields ? 12 : 0);
    } else {
        const auto bits = ReadLittleEndian<quint16>(dib, 10);
        tableBytes = (bits <= 8 ? 1u << bits : 0u) * 3;
    }
    QByteArray header(kFileHeaderSize, '\0');
    header[0] = 'B';
    header[1] = 'M';
    qToLittleEndian<quint32>(quint32(kFileHeaderSize + dib.size()), header.data() + 2);
    qToLittleEndian<quint32>(quint32(kFileHeaderSize) + headerSize + tableBytes,
                             header.data() + 10);
    return header;
}

} // namespace

QImage ReadBitmapFile(const QString& fileName)
{
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    const bool hasFileHeader = bytes.startsWith("BM");
    const qsizetype infoAt = hasFileHeader ? kFileHeaderSize : 0;
    if (bytes.size() < infoAt + 4)
        return {};
    const auto headerSize = ReadLittleEndian<quint32>(bytes, infoAt);
    if (headerSize != kInfoHeaderSize && headerSize != kCoreHeaderSize)
        return {};
    if (bytes.size() < infoAt + qsizetype(headerSize))
        return {};
    if (!hasFileHeader)
        bytes.prepend(FileHeaderFor(bytes, headerSize));
    QImage image;
    image.loadFromData(bytes, "BMP");
    return image;
}

} // namespace fakvo
