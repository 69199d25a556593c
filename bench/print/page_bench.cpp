// A full A4 page of 60 product rows with word-wrapped descriptions drawn into a PDF writer:
// through the page engine, against the same texts drawn with bare QPainter::drawText calls.
// Prints the ratio engine / bare after the runs.
#include "common/ratioreporter.h"
#include "print/page.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace fakvo;

namespace {

constexpr int kDpi = 600;
constexpr int kRows = 60;
constexpr int kPoints = 7;
constexpr double kTop = 0.8;
constexpr double kRowHeight = 0.16;

struct Column
{
    double left;
    double right;
    unsigned flags;
};
// Quantity, description (wrapped), unit price, line total.
constexpr Column kColumns[] = {{0.6, 1.2, kTextCentre | kTextSingleLine},
                               {1.2, 4.6, kTextLeft},
                               {4.6, 5.8, kTextRight | kTextSingleLine},
                               {5.8, 7.2, kTextRight | kTextSingleLine}};

std::vector<std::vector<QString>> ProductRows()
{
    std::vector<std::vector<QString>> rows;
    for (int i = 0; i < kRows; ++i) {
        rows.push_back(
            {QString::number(i % 7 + 1),
             QStringLiteral("Artikel %1: Edelstahlschraube M%2 x %3 mm, verzinkt, "
                            "Packung zu 100 Stück, für Holz und Metall geeignet")
                 .arg(1000 + i)
                 .arg(i % 12 + 3)
                 .arg(10 + i),
             QStringLiteral("%1,%2").arg(12 + i).arg(i % 100, 2, 10, QLatin1Char('0')),
             QStringLiteral("%1,%2").arg(84 + 7 * i).arg(i % 100, 2, 10, QLatin1Char('0'))});
    }
    return rows;
}

int BareFlags(unsigned flags)
{
    const int alignment = (flags & kTextCentre)  ? Qt::AlignHCenter
                          : (flags & kTextRight) ? Qt::AlignRight
                                                 : Qt::AlignLeft;
    return alignment | ((flags & kTextSingleLine) ? Qt::TextSingleLine : Qt::TextWordWrap);
}

// Runs `draw` on a fresh A4 PDF writer in memory.
template <typename Draw> void DrawPdfPage(Draw draw)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    draw(painter, writer);
    painter.end();
    benchmark::DoNotOptimize(buffer.data().size());
}

void EnginePage(benchmark::State& state)
{
    const auto rows = ProductRows();
    for (auto _ : state) {
        DrawPdfPage([&rows](QPainter& painter, QPdfWriter& writer) {
            CPage page(0, 0, writer.width(), writer.height(), &painter);
            page.SetFont(QStringLiteral("Arial"));
            for (int r = 0; r < kRows; ++r) {
                const double top = kTop + r * kRowHeight;
                for (int c = 0; c < 4; ++c)
                    page.PrintTextInRect(top, kColumns[c].left, top + kRowHeight, kColumns[c].right,
                                         kColumns[c].flags, kPoints, rows[r][c]);
            }
        });
    }
}

void BarePainterPage(benchmark::State& state)
{
    const auto rows = ProductRows();
    for (auto _ : state) {
        DrawPdfPage([&rows](QPainter& painter, QPdfWriter&) {
            QFont font(QStringLiteral("Arial"));
            font.setPixelSize(kPoints * kDpi / 72);
            painter.setFont(font);
            const auto px = [](double inches) { return int(inches * kDpi); };
            for (int r = 0; r < kRows; ++r) {
                const double top = kTop + r * kRowHeight;
                for (int c = 0; c < 4; ++c) {
                    const QRect rect(px(kColumns[c].left), px(top),
                                     px(kColumns[c].right) - px(kColumns[c].left), px(kRowHeight));
                    painter.drawText(rect, BareFlags(kColumns[c].flags), rows[r][c]);
                }
            }
        });
    }
}

BENCHMARK(EnginePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BarePainterPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fakvo::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("engine / bare QPainter", "EnginePage", "BarePainterPage");
    benchmark::Shutdown();
    return 0;
}
