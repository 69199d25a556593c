#include "barcode.h"

#include "support/log.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace fakvo {
namespace {

constexpr int kDataDigits = 12;

// Number set A (odd parity), B (even parity) and C (right half) of each digit.
constexpr const char* kSetA[10] = {"sssbbsb", "ssbbssb", "ssbssbb", "sbbbbsb", "sbsssbb",
                                   "sbbsssb", "sbsbbbb", "sbbbsbb", "sbbsbbb", "sssbsbb"};
constexpr const char* kSetB[10] = {"sbssbbb", "sbbssbb", "ssbbsbb", "sbssssb", "ssbbbsb",
                                   "sbbbssb", "ssssbsb", "ssbsssb", "sssbssb", "ssbsbbb"};
constexpr const char* kSetC[10] = {"bbbssbs", "bbssbbs", "bbsbbss", "bssssbs", "bsbbbss",
                                   "bssbbbs", "bsbssss", "bsssbss", "bssbsss", "bbbsbss"};
// Sets of the five left-half digits after the first one, chosen by the leading digit:
// "O" set A, "E" set B.
constexpr const char* kParity[10] = {"OOOOO", "OEOEE", "OEEOE", "OEEEO", "EOOEE",
                                     "EEOOE", "EEEOO", "EOEOE", "EOEEO", "EEOEO"};

constexpr const char* kQuietZone = "sssssssss";
constexpr const char* kEdgeGuard = "bsb";
constexpr const char* kCentreGuard = "sbsbs";

int Pixels(double inches)
{
    return static_cast<int>(std::floor(kBarcodeDpi * std::clamp(inches, 0.0, 100.0) + 0.5));
}

} // namespace

void CBarcode::Setup(const QString& data, double moduleWidthInches, double barHeightInches, int x,
                     int y)
{
    m_data = data;
    m_moduleWidth = Pixels(moduleWidthInches);
    m_barHeight = Pixels(barHeightInches);
    m_x = x;
    m_y = y;
}

void CEAN13::Setup(const QString& data, double moduleWidthInches, double barHeightInches,
                   int guardExtension, int x, int y)
{
    m_input = data;
    m_guardExtension = guardExtension;
    const bool digitsOnly =
        std::all_of(data.begin(), data.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const bool encodable = digitsOnly && (data.size() == kDataDigits || data.size() == 13);
    CBarcode::Setup(encodable ? data.left(kDataDigits) : QString(), moduleWidthInches,
                    barHeightInches, x, y);
}

void CEAN13::Setup(long long number, double moduleWidthInches, double barHeightInches,
                   int guardExtension, int x, int y)
{
    const bool encodable = number >= 0 && number <= kLargestNumber;
    Setup(encodable ? QString::asprintf("%012lld", number) : QString(), moduleWidthInches,
          barHeightInches, guardExtension, x, y);
    m_input = QString::number(number);
}

bool CEAN13::IsValid() const
{
    return m_data.size() == kDataDigits;
}

std::optional<int> CEAN13::CheckDigit() const
{
    if (!IsValid())
        return std::nullopt;
    int sum = 0;
    for (int i = 0; i < kDataDigits; ++i)
        sum += m_data[i].digitValue() * (i % 2 == 0 ? 1 : 3);
    return (10 - sum % 10) % 10;
}

void CEAN13::DrawModules(QPainter& painter, QLatin1String pattern)
{
    for (const char module : pattern) {
        if (module == 'b')
            painter.fillRect(QRect(m_x, m_y, m_moduleWidth, m_barHeight + m_guardExtension),
                             Qt::black);
        m_x += m_moduleWidth;
    }
}

void CEAN13::DrawSymbol(QPainter& painter)
{
    const auto check = CheckDigit();
    if (!check)
        return;
    const auto digit = [this](int i) { return m_data[i].digitValue(); };
    const int guardExtension = m_guardExtension;

    DrawModules(painter, QLatin1String(kQuietZone));
    DrawModules(painter, QLatin1String(kEdgeGuard));
    m_guardExtension = 0;
    const char* parity = kParity[digit(0)];
    DrawModules(painter, QLatin1String(kSetA[digit(1)]));
    for (int i = 2; i <= 6; ++i)
        DrawModules(painter,
                    QLatin1String(parity[i - 2] == 'O' ? kSetA[digit(i)] : kSetB[digit(i)]));
    m_guardExtension = guardExtension;
    DrawModules(painter, QLatin1String(kCentreGuard));
    m_guardExtension = 0;
    for (int i = 7; i < kDataDigits; ++i)
        DrawModules(painter, QLatin1String(kSetC[digit(i)]));
    DrawModules(painter, QLatin1String(kSetC[*check]));
    m_guardExtension = guardExtension;
    DrawModules(painter, QLatin1String(kEdgeGuard));
    DrawModules(painter, QLatin1String(kQuietZone));
}

bool CEAN13::WriteBitmapFile(const QString& fileName)
{
    if (!IsValid()) {
        Log(0, QStringLiteral("Kein EAN-13-Barcode für '%1': darstellbar sind nur Nummern von 0 "
                              "bis 999999999999 (12 Ziffern).")
                   .arg(m_input));
        return false;
    }
    if (m_moduleWidth < 1 || m_barHeight < 1)
        return false;
    QImage image(std::max(kBarcodeBitmapWidth, kModules * m_moduleWidth), m_barHeight,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        m_x = 0;
        m_y = 0;
        DrawSymbol(painter);
    }
    const QImage bitmap = image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!bitmap.save(&file, "BMP")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace fakvo
