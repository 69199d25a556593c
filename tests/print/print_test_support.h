#pragma once
// Shared helpers of the print tests: pages drawn into a PDF file or an image, and the
// poppler and zbar tools that read them back.

#include "print/page.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace fakvo::test {

struct ToolResult
{
    bool started = false;
    int exitCode = -1;
    QString output; // standard output
    QString errors; // standard error
};

// Runs a peer program and waits for it (at most 60 s).
ToolResult RunTool(const QString& program, const QStringList& arguments);

// One word as pdftotext -bbox reports it, in points from the top-left corner.
struct PdfWord
{
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
    double yMax = 0;
};
std::vector<PdfWord> PdfWords(const QString& pdfFile);
// The words whose text equals `text`.
std::vector<PdfWord> FindWords(const std::vector<PdfWord>& words, const QString& text);

struct PdfFont
{
    QString name; // without the subset prefix
    bool embedded = false;
};
std::vector<PdfFont> PdfFonts(const QString& pdfFile);

// An A4 portrait page without margins at 600 dpi, drawn into a PDF file in a temporary folder.
class PdfPage
{
public:
    static constexpr int kDpi = 600;
    PdfPage();
    ~PdfPage();
    CPage& Page() { return *m_page; }
    QPainter& Painter() { return m_painter; }
    // Starts the next device page.
    void NewPage() { m_writer->newPage(); }
    // Ends the document and returns the file name; the page stays for its conversions.
    QString Finish();
    QString Folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    std::unique_ptr<CPage> m_page;
};

// A white image page of the given size in inches and resolution.
class ImagePage
{
public:
    ImagePage(double widthInches, double heightInches, int dpi,
              int mappingMode = CPage::kDeviceMapping,
              QPageLayout::Orientation orientation = QPageLayout::Portrait);
    ~ImagePage();
    CPage& Page() { return *m_page; }
    // Ends painting and returns the image; the page stays for its conversions.
    const QImage& Finish();

private:
    QImage m_image;
    QPainter m_painter;
    std::unique_ptr<CPage> m_page;
};

// Points of a PDF page to pixels at PdfPage::kDpi.
inline double PointsToPixels(double points)
{
    return points * PdfPage::kDpi / 72.0;
}

bool IsDark(const QImage& image, int x, int y);
// Number of dark pixels in the rectangle.
int DarkPixels(const QImage& image, const QRect& rect);

} // namespace fakvo::test
