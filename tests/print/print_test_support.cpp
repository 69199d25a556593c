#include "print_test_support.h"

#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>

namespace fakvo::test {

ToolResult RunTool(const QString& program, const QStringList& arguments)
{
    ToolResult result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return result;
    result.started = true;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        return result;
    }
    result.exitCode = process.exitCode();
    result.output = QString::fromUtf8(process.readAllStandardOutput());
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

std::vector<PdfWord> PdfWords(const QString& pdfFile)
{
    const ToolResult run = RunTool(QStringLiteral("pdftotext"),
                                   {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
    std::vector<PdfWord> words;
    if (!run.started || run.exitCode != 0)
        return words;
    static const QRegularExpression pattern(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = pattern.globalMatch(run.output); it.hasNext();) {
        const auto match = it.next();
        PdfWord word;
        word.xMin = match.captured(1).toDouble();
        word.yMin = match.captured(2).toDouble();
        word.xMax = match.captured(3).toDouble();
        word.yMax = match.captured(4).toDouble();
        word.text = match.captured(5)
                        .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
                        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                        .replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        words.push_back(word);
    }
    return words;
}

std::vector<PdfWord> FindWords(const std::vector<PdfWord>& words, const QString& text)
{
    std::vector<PdfWord> found;
    for (const PdfWord& word : words)
        if (word.text == text)
            found.push_back(word);
    return found;
}

std::vector<PdfFont> PdfFonts(const QString& pdfFile)
{
    const ToolResult run = RunTool(QStringLiteral("pdffonts"), {pdfFile});
    std::vector<PdfFont> fonts;
    if (!run.started || run.exitCode != 0)
        return fonts;
    const QStringList lines = run.output.split(QLatin1Char('\n'));
    // Columns: name, type (may hold blanks), encoding, emb, sub, uni, object, id.
    static const QRegularExpression row(
        QStringLiteral(R"(^(\S+)\s+.*\s(yes|no)\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)"));
    for (const QString& line : lines) {
        const auto match = row.match(line);
        if (!match.hasMatch())
            continue;
        PdfFont font;
        font.name = match.captured(1);
        const qsizetype plus = font.name.indexOf(QLatin1Char('+'));
        if (plus == 6)
            font.name = font.name.mid(plus + 1);
        font.embedded = match.captured(2) == u"yes";
        fonts.push_back(font);
    }
    return fonts;
}

PdfPage::PdfPage()
{
    m_file = m_dir.filePath(QStringLiteral("page.pdf"));
    m_writer = std::make_unique<QPdfWriter>(m_file);
    m_writer->setResolution(kDpi);
    m_writer->setPageSize(QPageSize(QPageSize::A4));
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    m_painter.begin(m_writer.get());
    m_page = std::make_unique<CPage>(0, 0, m_writer->width(), m_writer->height(), &m_painter);
}

PdfPage::~PdfPage()
{
    Finish();
}

QString PdfPage::Finish()
{
    if (m_painter.isActive())
        m_painter.end();
    return m_file;
}

ImagePage::ImagePage(double widthInches, double heightInches, int dpi, int mappingMode,
                     QPageLayout::Orientation orientation)
    : m_image(int(widthInches * dpi), int(heightInches * dpi), QImage::Format_RGB32)
{
    m_image.setDotsPerMeterX(qRound(dpi / 0.0254));
    m_image.setDotsPerMeterY(qRound(dpi / 0.0254));
    m_image.fill(Qt::white);
    m_painter.begin(&m_image);
    m_page = std::make_unique<CPage>(0, 0, m_image.width(), m_image.height(), &m_painter,
                                     mappingMode, orientation);
}

ImagePage::~ImagePage()
{
    Finish();
}

const QImage& ImagePage::Finish()
{
    if (m_painter.isActive())
        m_painter.end();
    return m_image;
}

bool IsDark(const QImage& image, int x, int y)
{
    return image.valid(x, y) && qGray(image.pixel(x, y)) < 128;
}

int DarkPixels(const QImage& image, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += IsDark(image, x, y) ? 1 : 0;
    return count;
}

} // namespace fakvo::test
