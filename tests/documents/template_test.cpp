// Template files: names, the line format on disk, opening them onto a document, deleting them.

#include "app/document/documentstore.h"

#include "documenttestsupport.h"
#include "platform/prompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fakvo;
using namespace fakvo::test;

namespace {

class TemplateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        config.dataFolder = folder.path() + u'/';
        ASSERT_TRUE(QDir().mkpath(TemplateFolder(config)));
    }

    QString PathOf(const QString& name) const { return TemplateFolder(config) + name; }

    QByteArray Bytes(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool Write(const QString& path, const QByteArray& bytes) const
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // A document of `type` with nothing in it.
    static Document Blank(DocumentType type)
    {
        Document d;
        d.type = type;
        return d;
    }

    Prompts prompts{kAnswerNo};
    QTemporaryDir folder;
    Configuration config;
};

TEST(TemplateNames, ExtensionFilterAndCustomerTemplate)
{
    const struct
    {
        DocumentType type;
        const char* extension;
    } cases[] = {
        {DocumentType::Invoice, ".FVR"},
        {DocumentType::Offer, ".FVA"},
        {DocumentType::Reminder2, ".FVM"},
        {DocumentType::ManualReminder, ".FVM"},
        {DocumentType::Sms, ".FVS"},
        {DocumentType::Receipt, ".FVQ"},
        {DocumentType::ProformaInvoice, ".FVP"},
        {static_cast<DocumentType>(20), ".FVY"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TemplateExtension(c.type), QLatin1String(c.extension)) << c.extension;
    EXPECT_EQ(TemplateDialogFilter(DocumentType::Offer),
              QStringLiteral("FVA Dateien (*.FVA *.fva)"));

    Configuration config;
    config.HONORARNOTE = 1; // fee notes keep the invoice's short code
    EXPECT_EQ(CustomerTemplateName(1234, config), QStringLiteral("VORLAGE1234.FVR"));
    config.dataFolder = QStringLiteral("/daten/");
    EXPECT_EQ(CustomerTemplatePath(7, config), QStringLiteral("/daten/Vorlagen/VORLAGE7.FVR"));
    EXPECT_TRUE(TemplateBackupFolder(config).isEmpty());
    config.PDFSICHERUNGSPFAD = QStringLiteral("/sicher/");
    EXPECT_EQ(TemplateBackupFolder(config), QStringLiteral("/sicher/Vorlagen/"));
}

TEST_F(TemplateTest, InvoiceTemplateOnDiskAndBackGivesTheSameRows)
{
    Document invoice = SampleInvoice();
    invoice.conditions.discount = QStringLiteral("2.5");
    invoice.conditions.cashDiscount = QStringLiteral("3");
    invoice.conditions.paymentMethod = 2;
    invoice.conditions.paymentTerm = 30;
    invoice.conditions.shippingMethod = 5;
    invoice.conditions.reference = QStringLiteral("Bestellung\r\nvom 3. März");
    invoice.conditions.linesPerRow = 3;
    invoice.lines = {
        Line(QStringLiteral("2.5 Std."), QStringLiteral("B1"),
             QStringLiteral("Beratung\r\nvor Ort\nin Köln"), QStringLiteral("20"),
             QStringLiteral("80.00")),
        Line(QStringLiteral("60"), QStringLiteral("S\t7"), QStringLiteral("Schrauben €"),
             QStringLiteral("10"), QStringLiteral("8.90"), QStringLiteral("10=9.50;50=8.90;")),
    };
    invoice.lines[0][ProductColumn::LineTotal] = QStringLiteral("200.00");
    invoice.lines[1][ProductColumn::LineTotal] = QStringLiteral("534.00");

    const QString path = PathOf(CustomerTemplateName(1004, config));
    ASSERT_TRUE(SaveTemplate(path, invoice));
    EXPECT_EQ(Bytes(path), QByteArray("2.5\r\n3\r\n2\r\n30\r\n5\r\n0\r\n"
                                      "Bestellung vom 3. M\xE4rz\r\n3\r\n\r\n\r\n\r\n"
                                      "2.5 Std.\tB1\tBeratung\\nvor Ort\\nin K\xF6ln\t20\t80.00\t"
                                      "200.00\t\t\r\n"
                                      "60\tS 7\tSchrauben \x80\t10\t8.90\t534.00\t"
                                      "10=9.50;50=8.90;\t\r\n"));

    // Opened onto a document that had other rows and conditions.
    Document other = SampleInvoice();
    other.recipient.name = QStringLiteral("Anders AG");
    other.conditions.validity = 14;
    const TemplateContent content = OpenTemplate(path, other, config);
    ASSERT_TRUE(content.ok) << content.failure.toStdString();
    const Document& d = content.document;
    EXPECT_EQ(d.recipient.name, QStringLiteral("Anders AG")); // the recipient stays
    EXPECT_EQ(d.conditions.discount, QStringLiteral("2.5"));
    EXPECT_EQ(d.conditions.cashDiscount, QStringLiteral("3"));
    EXPECT_EQ(d.conditions.paymentMethod, 2);
    EXPECT_EQ(d.conditions.paymentTerm, 30);
    EXPECT_EQ(d.conditions.shippingMethod, 5);
    EXPECT_EQ(d.conditions.validity, 0);
    EXPECT_EQ(d.conditions.reference, QStringLiteral("Bestellung vom 3. März"));
    EXPECT_EQ(d.conditions.linesPerRow, 3);
    ASSERT_EQ(d.lines.size(), 2);
    Document expected = invoice;
    expected.lines[0][ProductColumn::Text] = QStringLiteral("Beratung\r\nvor Ort\r\nin Köln");
    expected.lines[1][ProductColumn::ProductNumber] = QStringLiteral("S 7");
    EXPECT_EQ(d.lines[0].cells, expected.lines[0].cells);
    EXPECT_EQ(d.lines[1].cells, expected.lines[1].cells);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(u'|').toStdString();
}

TEST_F(TemplateTest, ProductRowsNeedSevenOrEightPiecesAndLinesPerRowDefaults)
{
    config.PRODUKTZEILEN = 2;
    const QString path = PathOf(QStringLiteral("Muster.FVA"));
    ASSERT_TRUE(Write(path, "0\r\n0\r\n1\r\n14\r\n1\r\n30\r\nRef\r\n0\r\n\r\n\r\n\r\n"
                            "1\tA\tEins\t20\t10\r\n"                  // five pieces: skipped
                            "2\tB\tZwei\t20\t10\t20.00\t\r\n"         // seven pieces
                            "3\tC\tDrei\t20\t10\t30.00\t\t\r\n"       // eight pieces
                            "4\tD\tVier\t20\t10\t40.00\t\t\tx\r\n")); // nine pieces: skipped
    const TemplateContent content = OpenTemplate(path, Blank(DocumentType::Offer), config);
    ASSERT_TRUE(content.ok);
    EXPECT_EQ(content.document.conditions.linesPerRow, 2);
    EXPECT_EQ(content.document.conditions.validity, 30);
    ASSERT_EQ(content.document.lines.size(), 2);
    EXPECT_EQ(content.document.lines[0][ProductColumn::Text], QStringLiteral("Zwei"));
    EXPECT_EQ(content.document.lines[0][ProductColumn::LineTotal], QStringLiteral("20.00"));
    EXPECT_EQ(content.document.lines[1][ProductColumn::Text], QStringLiteral("Drei"));
}

TEST_F(TemplateTest, MessageTemplatesKeepSubjectAmountAndMessage)
{
    struct Case
    {
        DocumentType type;
        QByteArray bytes;
    };
    Document sample = SampleOfType(DocumentType::Letter);
    sample.subject = QStringLiteral("Angebot für Sie");
    sample.message = QStringLiteral("Sehr geehrte Frau Muster,\r\n\r\nbis bald.\r\n");
    sample.finalAmount = 12.5;
    const Case cases[] = {
        {DocumentType::Sms,
         "+43 664 1234567\r\n\r\nSehr geehrte Frau Muster,\r\n\r\nbis bald.\r\n"},
        {DocumentType::EMail, "office@muster.at\r\nAngebot f\xFCr Sie\r\nSehr geehrte Frau "
                              "Muster,\r\n\r\nbis bald.\r\n"},
        {DocumentType::Letter,
         "\r\nAngebot f\xFCr Sie\r\nSehr geehrte Frau Muster,\r\n\r\nbis bald.\r\n"},
        {DocumentType::Receipt, "\r\n12.50\r\nSehr geehrte Frau Muster,\r\n\r\nbis bald.\r\n"},
    };
    for (const Case& c : cases) {
        Document document = sample;
        document.type = c.type;
        const QString path = PathOf(QStringLiteral("Nachricht") + TemplateExtension(c.type));
        ASSERT_TRUE(SaveTemplate(path, document));
        EXPECT_EQ(Bytes(path), c.bytes) << TemplateExtension(c.type).toStdString();

        const TemplateContent content = OpenTemplate(path, Blank(c.type), config);
        ASSERT_TRUE(content.ok);
        EXPECT_EQ(content.document.message,
                  QStringLiteral("Sehr geehrte Frau Muster,\r\n\r\nbis bald."));
        const bool hasSubject = c.type == DocumentType::EMail || c.type == DocumentType::Letter;
        EXPECT_EQ(content.document.subject, hasSubject ? sample.subject : QString());
        EXPECT_EQ(content.document.finalAmount, c.type == DocumentType::Receipt ? 12.5 : 0.0);
        // Mobile number and address stay the current document's own.
        EXPECT_TRUE(content.document.recipient.mobile.isEmpty());
        EXPECT_TRUE(content.document.recipient.email.isEmpty());
    }
}

TEST_F(TemplateTest, RefusalsAndFailuresLeaveFilesAlone)
{
    const QString kept = PathOf(QStringLiteral("Storno.FVN"));
    ASSERT_TRUE(Write(kept, "alt\r\n"));

    // Types 3 and 10 keep no template; the existing file stays.
    EXPECT_FALSE(SaveTemplate(kept, Blank(DocumentType::CancelledInvoice)));
    EXPECT_FALSE(
        SaveTemplate(PathOf(QStringLiteral("Unbekannt.FVY")), Blank(DocumentType::Unknown)));
    EXPECT_EQ(Bytes(kept), QByteArray("alt\r\n"));
    // A name needs more than three characters.
    EXPECT_FALSE(SaveTemplate(PathOf(QStringLiteral("abc.FVR")), SampleInvoice()));
    EXPECT_FALSE(QFile::exists(PathOf(QStringLiteral("abc.FVR"))));
    // A folder that cannot be written.
    const QString blocked = PathOf(QStringLiteral("Datei"));
    ASSERT_TRUE(Write(blocked, "x"));
    EXPECT_FALSE(SaveTemplate(blocked + QStringLiteral("/Unter/Muster.FVR"), SampleInvoice()));
    const QString writeFailure =
        QStringLiteral("Fehler:Auf Datei '%1' kann nicht geschrieben werden!")
            .arg(blocked + QStringLiteral("/Unter/Muster.FVR"));
    EXPECT_EQ(prompts.messages,
              (QStringList{
                  QStringLiteral("Für diesen Dokumenttyp kann keine Vorlage gespeichert werden!"),
                  QStringLiteral("Für diesen Dokumenttyp kann keine Vorlage gespeichert werden!"),
                  QStringLiteral("Bitte geben Sie mehr als 3 Zeichen ein!"), writeFailure}));
    EXPECT_EQ(prompts.log, QStringList{writeFailure});

    // Opening: a missing file, one line, or too few lines for a product document.
    prompts.messages.clear();
    const QString missing = PathOf(QStringLiteral("Fehlt.FVR"));
    const QString oneLine = PathOf(QStringLiteral("Kurz.FVB"));
    ASSERT_TRUE(Write(oneLine, "\r\n"));
    const QString tenLines = PathOf(QStringLiteral("Zehn.FVR"));
    ASSERT_TRUE(Write(tenLines, "0\r\n0\r\n1\r\n14\r\n1\r\n0\r\n\r\n1\r\n\r\n\r\n"));
    const Document current = SampleInvoice();
    const TemplateContent notThere = OpenTemplate(missing, current, config);
    const TemplateContent tooShort = OpenTemplate(oneLine, Blank(DocumentType::Letter), config);
    const TemplateContent tooFew = OpenTemplate(tenLines, current, config);
    EXPECT_FALSE(notThere.ok || tooShort.ok || tooFew.ok);
    EXPECT_EQ(notThere.document, current);
    EXPECT_EQ(tooFew.document, current);
    const QStringList failures{
        QStringLiteral("Die Datei '%1' kann nicht geöffnet werden!").arg(missing),
        QStringLiteral("Die Vorlagendatei '%1' enthält zu wenige Zeilen für diesen "
                       "Dokumenttyp!")
            .arg(oneLine),
        QStringLiteral("Die Vorlagendatei '%1' enthält zu wenige Zeilen für diesen "
                       "Dokumenttyp!")
            .arg(tenLines)};
    EXPECT_EQ((QStringList{notThere.failure, tooShort.failure, tooFew.failure}), failures);
    EXPECT_EQ(prompts.messages, failures);
}

TEST_F(TemplateTest, DeletingAsksFirst)
{
    const QString path = PathOf(QStringLiteral("Weg.FVR"));
    ASSERT_TRUE(Write(path, "x"));
    const QString question =
        QStringLiteral("Soll diese Vorlage '%1' wirklich gelöscht werden?").arg(path);
    EXPECT_FALSE(DeleteTemplate(path));
    EXPECT_TRUE(QFile::exists(path));
    prompts.SetAnswer(kAnswerYes);
    EXPECT_TRUE(DeleteTemplate(path));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(prompts.questions, (QStringList{question, question}));
}

} // namespace
