// The personal salutation rules: which rule applies for an address row, what it makes of the
// row's title and names, and when the fallback ANREDELEER is used instead.

#include "config/configfile.h"
#include "config/configuration.h"
#include "texts/salutation.h"

#include <gtest/gtest.h>

using namespace fakvo;

namespace {

// The default rules with the columns of a typical address table: rule 1 on a "Du" flag,
// rules 2 and 3 on the gender word, rule 4 on the department.
Configuration RulesOnColumns()
{
    Configuration config;
    config.ODBCANREDE1 = QStringLiteral("DUZEN");
    config.ODBCANREDE2 = QStringLiteral("ANREDE");
    config.ODBCANREDE3 = QStringLiteral("ANREDE");
    config.ODBCANREDE4 = QStringLiteral("ABTEILUNG");
    return config;
}

AddressValues Row(const char16_t* title, const char16_t* first, const char16_t* last,
                  const QStringList& columns)
{
    AddressValues row;
    row.title = QString::fromUtf16(title);
    row.firstName = QString::fromUtf16(first);
    row.lastName = QString::fromUtf16(last);
    for (qsizetype i = 0; i < columns.size() && i < 5; ++i)
        row.salutationColumns[i] = columns[i];
    return row;
}

const QString kFrau = QStringLiteral("Frau");
const QString kHerr = QStringLiteral("Herr");

} // namespace

TEST(Salutation, RulesForAddressRows)
{
    struct Case
    {
        const char* what;
        std::function<void(Configuration&)> setup;
        AddressValues row;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"woman with title", nullptr, Row(u"Dr.", u"Eva", u"Zaduz", {{}, kFrau, kFrau, {}, {}}),
         QStringLiteral("Sehr geehrte Frau Dr. Zaduz!")},
        {"woman without title: no double blank", nullptr,
         Row(u"", u"Eva", u"Zaduz", {{}, kFrau, kFrau, {}, {}}),
         QStringLiteral("Sehr geehrte Frau Zaduz!")},
        {"man: rule 2 does not match, rule 3 does", nullptr,
         Row(u"Mag.", u"Max", u"Berger", {{}, kHerr, kHerr, {}, {}}),
         QStringLiteral("Sehr geehrter Herr Mag. Berger!")},
        {"first rule that applies wins", nullptr,
         Row(u"Mag.", u"Max", u"Berger", {QStringLiteral("1"), kHerr, kHerr, {}, {}}),
         QStringLiteral("Hallo Max!")},
        {"match text is contained, not equal", nullptr,
         Row(u"", u"Eva", u"Zaduz", {{}, QStringLiteral("Frau Prof."), {}, {}, {}}),
         QStringLiteral("Sehr geehrte Frau Zaduz!")},
        {"no matching column value", nullptr,
         Row(u"", u"Eva", u"Zaduz", {{}, QStringLiteral("Firma"), QStringLiteral("Firma"), {}, {}}),
         QStringLiteral("Sehr geehrte Damen und Herren!")},
        {"rule without any variable never applies", nullptr,
         Row(u"", u"Eva", u"Zaduz", {{}, {}, {}, QStringLiteral("Abteilung Einkauf"), {}}),
         QStringLiteral("Sehr geehrte Damen und Herren!")},
        {"the empty fifth rule never applies",
         [](Configuration& c) { c.ODBCANREDE5 = QStringLiteral("ANREDE"); },
         Row(u"", u"Eva", u"Zaduz", {{}, {}, {}, {}, kFrau}),
         QStringLiteral("Sehr geehrte Damen und Herren!")},
        {"empty match text matches every row",
         [](Configuration& c) {
             c.ANREDETEXT5 = QStringLiteral("Guten Tag !!VORNAME !!ZUNAME!¿¿");
         },
         Row(u"", u"Eva", u"Zaduz", {}), QStringLiteral("Guten Tag Eva Zaduz!")},
        {"a document-only variable found last: rule does not apply",
         [](Configuration& c) {
             c.ANREDETEXT2 = QStringLiteral("Liebe !!VORNAME, Nr. !!DOKUNR¿¿Fr");
         },
         Row(u"", u"Eva", u"Zaduz", {{}, kFrau, {}, {}, {}}),
         QStringLiteral("Sehr geehrte Damen und Herren!")},
        {"a document-only variable before a replaced one stays in the text",
         [](Configuration& c) { c.ANREDETEXT2 = QStringLiteral("Nr. !!DOKUNR an !!VAR1¿¿Fr"); },
         [] {
             AddressValues row = Row(u"", u"Eva", u"Zaduz", {{}, kFrau, {}, {}, {}});
             row.freeFields[0] = QStringLiteral("Eva");
             return row;
         }(),
         QStringLiteral("Nr. !!DOKUNR an Eva")},
        {"rule without separator never applies",
         [](Configuration& c) {
             c.ANREDETEXT1 = QStringLiteral("Hallo !!VORNAME!");
             c.ODBCANREDE1.clear();
         },
         Row(u"", u"Max", u"Berger", {}), QStringLiteral("Sehr geehrte Damen und Herren!")},
        {"pieces are trimmed; a second separator ends the match text",
         [](Configuration& c) { c.ANREDETEXT1 = QStringLiteral("  Servus !!VORNAME!  ¿¿ 1 ¿¿x"); },
         Row(u"", u"Max", u"Berger", {QStringLiteral("1"), {}, {}, {}, {}}),
         QStringLiteral("Servus Max!")},
        {"own fallback text",
         [](Configuration& c) { c.ANREDELEER = QStringLiteral("Liebe Kundin, lieber Kunde!"); },
         Row(u"", u"Eva", u"Zaduz", {}), QStringLiteral("Liebe Kundin, lieber Kunde!")},
        // "Wenn Vor und Zuname leer sind:" the fallback, never "Hallo !".
        {"no first and last name", nullptr,
         Row(u"", u"", u" ", {QStringLiteral("1"), kFrau, {}, {}, {}}),
         QStringLiteral("Sehr geehrte Damen und Herren!")},
        {"first name alone is enough for rule 1", nullptr,
         Row(u"", u"Max", u"", {QStringLiteral("1"), {}, {}, {}, {}}),
         QStringLiteral("Hallo Max!")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Configuration config = RulesOnColumns();
        if (c.setup)
            c.setup(config);
        EXPECT_EQ(ComputePersonalSalutation(c.row, config), c.expected);
    }
}

TEST(Salutation, DefaultConfigurationWithoutColumnsUsesTheFallback)
{
    const Configuration config;
    EXPECT_EQ(ComputePersonalSalutation(Row(u"Dr.", u"Eva", u"Zaduz", {}), config),
              QStringLiteral("Sehr geehrte Damen und Herren!"));
}

TEST(Salutation, SettingsSplitAndJoinAtTheFirstSeparator)
{
    Configuration config;
    config.lines = QStringList{
        QStringLiteral("# Anreden"),
        QStringLiteral("ANREDETEXT1=Hallo !!VORNAME!"),
        QStringLiteral("ANREDETEXT2=Sehr geehrte Frau !!ZUNAME!¿¿Fr¿¿au"),
        QStringLiteral("ODBCANREDE2=ANREDE,GESCHLECHT"),
    };
    const SalutationSettings read = ReadSalutationSettings(config);
    EXPECT_EQ(read.rules[0], (SalutationRule{QString(), QString(), QString()}));
    EXPECT_EQ(read.rules[1],
              (SalutationRule{QStringLiteral("Sehr geehrte Frau !!ZUNAME!"),
                              QStringLiteral("Fr¿¿au"), QStringLiteral("ANREDE,GESCHLECHT")}));
    // Keys the file does not name show the values in force.
    EXPECT_EQ(read.rules[2].text, QStringLiteral("Sehr geehrter Herr !!TITEL !!ZUNAME!"));
    EXPECT_EQ(read.rules[2].matchText, QStringLiteral("He"));
    EXPECT_EQ(read.emptyNamesText, QStringLiteral("Sehr geehrte Damen und Herren!"));

    PutSalutationSettings(config, read);
    EXPECT_EQ(FindConfigValue(config.lines, QStringLiteral("ANREDETEXT1")), QStringLiteral("¿¿"));
    EXPECT_EQ(FindConfigValue(config.lines, QStringLiteral("ANREDETEXT2")),
              QStringLiteral("Sehr geehrte Frau !!ZUNAME!¿¿Fr¿¿au"));
    // Lines of the file keep their place and text; the 8 missing keys are added.
    const qsizetype comment = config.lines.indexOf(QStringLiteral("# Anreden"));
    ASSERT_GE(comment, 0);
    EXPECT_EQ(config.lines[comment + 1], QStringLiteral("ANREDETEXT1=¿¿"));
    EXPECT_EQ(config.lines.size(), 4 + 8);
}

TEST(Salutation, AppendColumn)
{
    EXPECT_EQ(AppendColumn(QString(), QStringLiteral("ANREDE")), QStringLiteral("ANREDE"));
    EXPECT_EQ(AppendColumn(QStringLiteral("ANREDE"), QStringLiteral("TITEL")),
              QStringLiteral("ANREDE,TITEL"));
}
