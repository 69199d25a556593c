#include "app/editor/printwidths.h"

#include "config/configuration.h"

namespace fakvo {

int PrintedTextColumnWidth(const Configuration& config, bool reminderList, bool withVatColumn)
{
    if (reminderList)
        return config.MAHNTABELLE.columns[ReminderTableLayout::Text].width;
    const auto& columns = config.RECHTABELLE.columns;
    const int description = columns[ProductTableLayout::Description].width;
    return withVatColumn ? description : description + columns[ProductTableLayout::VatRate].width;
}

int PrintedMessageWidth(const Configuration& config)
{
    int width = 0;
    for (const TableColumn& column : config.RECHTABELLE.columns)
        width += column.width;
    return width;
}

int TenthsOfMillimetreToTwips(int tenths)
{
    return static_cast<int>(static_cast<long long>(tenths) * 1440 / 254);
}

QString MeasurementTestText()
{
    return QStringLiteral("ööääüüßß90").repeated(18);
}

MeasuringDeviceChoice ChooseMeasuringDevice(const QString& configured, const QStringList& available,
                                            const QString& defaultPrinter)
{
    if (available.isEmpty())
        return {};
    const QString wanted = configured.trimmed().isEmpty() ? defaultPrinter : configured.trimmed();
    if (!wanted.isEmpty() && available.contains(wanted))
        return {MeasuringDevice::Printer, wanted, false};
    return {MeasuringDevice::PdfPage, QString(), true};
}

QStringList PrinterMissingMessages()
{
    return {QStringLiteral("Es wurde kein Standarddrucker (oder ein Ungültiger) auf Ihrem PC "
                           "installiert!\n\nOhne installiertem Standarddrucker wird Faktavo auf "
                           "Ihrem PC nicht einwandfrei funktionieren!\n\nBitte speichern Sie den "
                           "gewählten Standarddrucker bei den Faktavo-Druckereinstellungen über "
                           "STRG-D."),
            QStringLiteral("Bitte klicken Sie im folgenden Dialog auf den Knopf 'Zurücksetzen der "
                           "Druckereinstellungen'!\n\nSollte danach dieser Fehler immer noch "
                           "auftreten, dann entfernen Sie bitte aus dem Druckertreibernamen alle "
                           "Leer- und Sonderzeichen!")};
}

} // namespace fakvo
