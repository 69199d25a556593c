#include "app/document/documentstore.h"

#include "app/document/storerules.h"
#include "config/configfile.h"
#include "platform/prompt.h"
#include "storage/databasesettings.h"
#include "support/log.h"
#include "texts/documenttext.h"

namespace fakvo {
namespace {

constexpr int kShippingFax = 5;

const QString kEntryNotFound = QStringLiteral("Keine Dokumentdaten gefunden!");

QDateTime Now(const StoreContext& context)
{
    if (context.clock)
        return context.clock();
    if (context.database.clock)
        return context.database.clock();
    return QDateTime::currentDateTime();
}

// The database settings on the context's clock, so numbers, dates and stamps agree.
DatabaseSettings SettingsOf(const StoreContext& context)
{
    DatabaseSettings settings = context.database;
    if (context.clock)
        settings.clock = context.clock;
    return settings;
}

int DateOf(const QDateTime& moment)
{
    const QDate d = moment.date();
    return d.year() * 10000 + d.month() * 100 + d.day();
}

int TimeOf(const QDateTime& moment)
{
    const QTime t = moment.time();
    return t.hour() * 10000 + t.minute() * 100 + t.second();
}

StoreOutcome Refuse(const QString& text, StoreField focus = StoreField::None)
{
    FrageJaNein(text);
    StoreOutcome outcome;
    outcome.refusal = text;
    outcome.focus = focus;
    return outcome;
}

StoreField FocusOf(Refusal::Field field)
{
    switch (field) {
    case Refusal::Field::ReceiptAmount:
        return StoreField::ReceiptAmount;
    case Refusal::Field::Message:
        return StoreField::Message;
    case Refusal::Field::None:
        break;
    }
    return StoreField::None;
}

void Report(long long number, const QString& text)
{
    Log(number, text);
    FrageJaNein(text);
}

// The message of an SMS, e-mail, letter or receipt from its text file, lines joined by CR LF.
QString ReadMessage(const Configuration& config, DocumentType type, int rowId)
{
    const std::optional<QString> name = DocumentTextFileName(type, rowId);
    const std::optional<QString> path = name ? DocumentTextPath(config, *name) : std::nullopt;
    if (!path)
        return {};
    bool opened = false;
    const QStringList lines = ReadWholeLines(*path, &opened);
    if (!opened)
        Report(0, QStringLiteral("Die Datei '%1' kann nicht geöffnet werden!").arg(*path));
    return lines.join(QStringLiteral("\r\n"));
}

// The steps both store commands share; `loadedNumber` is set for a rewrite.
StoreOutcome Store(Document& document, std::optional<long long> loadedNumber,
                   const StoreContext& context)
{
    if (!context.config)
        return {};
    const Configuration& config = *context.config;
    const bool rewrite = loadedNumber.has_value();

    NormaliseConditions(document.conditions, document.type);
    if (const std::optional<Refusal> refusal = ContentRefusal(document))
        return Refuse(refusal->text, FocusOf(refusal->field));
    if (!rewrite)
        ReferToLoadedDocument(document, context.lastLoadedDate, context.lastLoadedNumber);

    const QDateTime now = Now(context);
    if (rewrite) {
        if (document.id <= 0)
            return Refuse(kEntryNotFound);
        if (const std::optional<QString> refusal = RewriteRefusal(
                document.type, *loadedNumber, now.date().year(), config.STARTRECHNUNGSNUMMER))
            return Refuse(*refusal);
    } else {
        // A new document is always stored with today's date.
        document.date = DateOf(now);
    }

    const StoredAmounts amounts = ComputeStoredAmounts(document, config);
    EntryValues values;
    values.today = DateOf(now);
    values.time = TimeOf(now);
    values.profileIndex = context.profileIndex;
    values.keptPaymentMethod = context.keptPaymentMethod;
    values.rewrite = rewrite;
    values.loadedNumber = loadedNumber.value_or(0);
    const JournalEntry entry = JournalEntryFor(document, amounts, values);

    Database database(SettingsOf(context));
    Journal journal(database, JournalSettingsFrom(config, context.keptPaymentMethod));
    const StoreResult result =
        journal.StoreDocument(entry, JournalLinesFor(document, config), rewrite);
    if (result.rowId <= 0)
        return {}; // the journal has shown and logged why

    document.id = result.rowId;
    if (result.number != 0)
        document.number = static_cast<int>(result.number);
    if (document.date < 1)
        document.date = values.today;
    document.time = values.time;
    document.paidOn = entry.paidOn;
    document.profileNumber = context.profileIndex;

    StoreOutcome outcome;
    outcome.stored = true;
    outcome.rowId = document.id;
    outcome.number = document.number;

    const QString logText = StoredLogText(document, config);
    Log(document.number, logText);
    if (document.type == DocumentType::Sms || document.type == DocumentType::EMail)
        outcome.statusText = logText;

    if (TypeTraits(document.type).HasMessageText() &&
        !WriteDocumentText(config, document.type, document.id, document.message)) {
        const QString name = DocumentTextFileName(document.type, document.id).value_or(QString());
        Report(document.number,
               QStringLiteral("Fehler:Auf Datei '%1' kann nicht geschrieben werden!")
                   .arg(DocumentTextFolder(config) + name));
    }

    // A rewrite shows the entry as the journal now holds it.
    if (rewrite) {
        if (std::optional<Document> reloaded = LoadDocument(document.id, context))
            document = std::move(*reloaded);
    }

    if (entry.shipping == kShippingFax && document.recipient.fax.trimmed().size() < 2)
        outcome.statusText = QStringLiteral("Es wurde keine gültige Faxnummer gespeichert!");

    // SMS and e-mails are never printed, so they get no PDF copy.
    if (!config.PDFSICHERUNGSPFAD.isEmpty() && document.type != DocumentType::Sms &&
        document.type != DocumentType::EMail) {
        if (context.pdfBackup)
            context.pdfBackup(document);
        else
            Log(document.number,
                QStringLiteral("PDF-Sicherung ist in dieser Version noch nicht verfügbar"));
    }
    return outcome;
}

} // namespace

StoreOutcome SaveNewDocument(Document& document, const StoreContext& context)
{
    return Store(document, std::nullopt, context);
}

StoreOutcome SaveChangedDocument(Document& document, int loadedNumber, const StoreContext& context)
{
    // Without a shown number the loaded entry's own one counts, so an invoice is never taken
    // for a document that may become one.
    return Store(document, loadedNumber > 0 ? loadedNumber : document.number, context);
}

std::optional<Document> LoadDocument(int rowId, const StoreContext& context)
{
    if (!context.config || rowId <= 0)
        return std::nullopt;
    Database database(SettingsOf(context));
    Journal journal(database, JournalSettingsFrom(*context.config, context.keptPaymentMethod));
    const std::optional<JournalRecord> record = journal.ReadEntry(rowId, 0, context.period);
    if (!record)
        return std::nullopt;
    Document document = DocumentFromRecord(*record, *context.config, context.keptPaymentMethod);
    if (TypeTraits(document.type).HasMessageText())
        document.message = ReadMessage(*context.config, document.type, document.id);
    return document;
}

void ReferToLoadedDocument(Document& document, int loadedDate, int loadedNumber)
{
    if (document.type != DocumentType::Receipt && document.type != DocumentType::ManualReminder)
        return;
    Conditions& c = document.conditions;
    if (loadedNumber != 0) {
        c.paymentTerm = loadedDate;
        c.reference = QStringLiteral("Re.: ") + QString::number(loadedNumber);
    }
    c.cashDiscount = QString::number(-c.reminderLevel);
}

} // namespace fakvo
