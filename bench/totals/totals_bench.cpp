// The amount computation of a 500-line document against a baseline that only reads and sums
// the lines' quantities and prices. Prints the ratio at the end.

#include "app/model/totals.h"
#include "common/ratioreporter.h"
#include "config/valueforms.h"

namespace {

QList<fakvo::ProductLine> Lines()
{
    QList<fakvo::ProductLine> lines;
    const char* rates[] = {"20", "10", "13", "0", "5"};
    for (int i = 0; i < 500; ++i) {
        fakvo::ProductLine line;
        line[fakvo::ProductColumn::Quantity] = QStringLiteral("%1 Stk.").arg(1 + i % 7);
        line[fakvo::ProductColumn::VatRate] = QString::fromLatin1(rates[i % 5]);
        line[fakvo::ProductColumn::UnitPrice] =
            QStringLiteral("%1,%2").arg(10 + i).arg(i % 100, 2, 10, QLatin1Char('0'));
        if (i % 10 == 0)
            line[fakvo::ProductColumn::PriceTiers] = QStringLiteral("5=9.50;10=8.90;");
        lines << line;
    }
    return lines;
}

void ComputeTotals500(benchmark::State& state)
{
    const QList<fakvo::ProductLine> original = Lines();
    const fakvo::AmountSettings settings;
    for (auto _ : state) {
        QList<fakvo::ProductLine> lines = original;
        fakvo::Conditions terms;
        terms.discount = QStringLiteral("3");
        terms.cashDiscount = QStringLiteral("2");
        benchmark::DoNotOptimize(
            fakvo::ComputeTotals(lines, terms, fakvo::DocumentType::Invoice, settings));
    }
}

void SumLines500(benchmark::State& state)
{
    const QList<fakvo::ProductLine> original = Lines();
    for (auto _ : state) {
        QList<fakvo::ProductLine> lines = original; // the same copy the computation pays for
        double sum = 0;
        for (const fakvo::ProductLine& line : lines)
            sum += fakvo::ParseDecimal(line[fakvo::ProductColumn::Quantity]) *
                   fakvo::ParseDecimal(
                       QString(line[fakvo::ProductColumn::UnitPrice]).replace(u',', u'.'));
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(ComputeTotals500);
BENCHMARK(SumLines500);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    fakvo::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("totals of 500 lines / summing the lines", "ComputeTotals500",
                        "SumLines500");
    benchmark::Shutdown();
    return 0;
}
