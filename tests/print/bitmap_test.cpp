// Reading Windows bitmap files: with and without the file header's signature, with an
// information or a core header, and refusing anything else.
#include "print/bitmapfile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace fakvo;

namespace {

QByteArray BmpBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A 2 x 2 picture with four distinct colours.
QImage Sample(QImage::Format format)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixelColor(0, 0, Qt::black);
    image.setPixelColor(1, 0, Qt::white);
    image.setPixelColor(0, 1, Qt::white);
    image.setPixelColor(1, 1, Qt::black);
    return image.convertToFormat(format);
}

// The same picture as a 1-bit bitmap with a 12-byte core header and a 3-byte colour table.
QByteArray CoreHeaderBitmap()
{
    QByteArray core;
    const auto put16 = [&core](quint16 v) {
        core.append(char(v & 0xFF));
        core.append(char(v >> 8));
    };
    const auto put32 = [&core](quint32 v) {
        for (int i = 0; i < 4; ++i)
            core.append(char((v >> (8 * i)) & 0xFF));
    };
    core.append("BM", 2);
    put32(14 + 12 + 6 + 8);
    put32(0);
    put32(14 + 12 + 6);
    put32(12);
    put16(2);
    put16(2);
    put16(1);
    put16(1);
    core.append("\x00\x00\x00\xFF\xFF\xFF", 6); // black, white
    // Rows bottom-up, each padded to 4 bytes: bottom row white, black; top row black, white.
    core.append("\x80\x00\x00\x00\x40\x00\x00\x00", 8);
    return core;
}

class BitmapFile : public ::testing::Test
{
protected:
    QString Write(const QByteArray& bytes)
    {
        const QString name = m_dir.filePath(QStringLiteral("b%1.bmp").arg(++m_count));
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return name;
    }
    static void ExpectSample(const QImage& image)
    {
        ASSERT_EQ(image.size(), QSize(2, 2));
        EXPECT_EQ(qGray(image.pixel(0, 0)), 0);
        EXPECT_EQ(qGray(image.pixel(1, 0)), 255);
        EXPECT_EQ(qGray(image.pixel(0, 1)), 255);
        EXPECT_EQ(qGray(image.pixel(1, 1)), 0);
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(BitmapFile, ReadsBitmapsWithAndWithoutTheirSignature)
{
    for (const QImage::Format format :
         {QImage::Format_Mono, QImage::Format_Indexed8, QImage::Format_RGB32}) {
        SCOPED_TRACE(int(format));
        const QByteArray bytes = BmpBytes(Sample(format));
        ASSERT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 14), 40u);
        ExpectSample(ReadBitmapFile(Write(bytes)));
        // Without the file header the reading starts at the information header.
        ExpectSample(ReadBitmapFile(Write(bytes.mid(14))));
    }
    ExpectSample(ReadBitmapFile(Write(CoreHeaderBitmap())));
    ExpectSample(ReadBitmapFile(Write(CoreHeaderBitmap().mid(14))));
}

TEST_F(BitmapFile, RefusesWhatIsNoBitmap)
{
    QByteArray otherHeader = BmpBytes(Sample(QImage::Format_RGB32));
    qToLittleEndian<quint32>(108, otherHeader.data() + 14);
    EXPECT_TRUE(ReadBitmapFile(Write(otherHeader)).isNull()) << "a V4 header is not read";
    EXPECT_TRUE(ReadBitmapFile(Write(QByteArray("BM"))).isNull());
    EXPECT_TRUE(ReadBitmapFile(Write(QByteArray())).isNull());
    EXPECT_TRUE(
        ReadBitmapFile(Write(QByteArray("GIF89a............................................")))
            .isNull());
    EXPECT_TRUE(ReadBitmapFile(m_dir.filePath(QStringLiteral("fehlt.bmp"))).isNull());
}

} // namespace
