#pragma once
// What the print-true line breaks of the editor are measured against: the printed widths of
// the text column and of the message text, and the device the measurement uses.

#include <QString>
#include <QStringList>

namespace fakvo {

struct Configuration;

// The printed width, in tenths of a millimetre, of the product list's text column. Product
// documents: the description width of RECHTABELLE plus the VAT column's width, since a
// document with one VAT rate prints no VAT column; `withVatColumn` (Ctrl+W, documents with
// several rates) measures the description alone. Reminders: the third width of MAHNTABELLE.
int PrintedTextColumnWidth(const Configuration& config, bool reminderList, bool withVatColumn);

// The printed width of a message text (letters, e-mails, SMS, receipts): the text documents
// print across the six columns of RECHTABELLE.
int PrintedMessageWidth(const Configuration& config);

// Tenths of a millimetre in twips (1/1440 inch): value ÷ 254 × 1440.
int TenthsOfMillimetreToTwips(int tenths);

// The test text of the measurement: "ööääüüßß90" 18 times.
QString MeasurementTestText();

enum class MeasuringDevice
{
    Printer, // the configured document printer, or the system's default printer
    PdfPage, // an A4 PDF page: on a system without printers, or as the stand-in for a
             // printer that cannot be opened
};

struct MeasuringDeviceChoice
{
    MeasuringDevice device = MeasuringDevice::PdfPage;
    QString printerName;
    // The printer named (or the default one) does not exist: the user is told, and the
    // measurement uses a PDF page meanwhile.
    bool printerMissing = false;

    bool operator==(const MeasuringDeviceChoice&) const = default;
};

// `configured`: printer 1 of the working settings; `available` and `defaultPrinter` as the
// print system reports them.
MeasuringDeviceChoice ChooseMeasuringDevice(const QString& configured, const QStringList& available,
                                            const QString& defaultPrinter);

// The two messages shown when no printer can be opened for the measurement.
QStringList PrinterMissingMessages();

} // namespace fakvo
