#include "config/password.h"
#include "config/settingspages.h"

#include <gtest/gtest.h>

using namespace fakvo;

namespace {
SettingsField Field(FieldKind kind, QStringList choices = {}, int piece = 0, QString fixed = {})
{
    SettingsField field;
    field.kind = kind;
    field.choices = std::move(choices);
    field.piece = piece;
    field.fixedText = std::move(fixed);
    return field;
}
} // namespace

TEST(SettingsPages, HowEachFieldKindWritesItsValue)
{
    struct Case
    {
        SettingsField field;
        const char16_t* entered;
        const char16_t* current;
        const char16_t* written;
    };
    const Case cases[] = {
        {Field(FieldKind::Text), u" Text mit Blank ", u"alt", u" Text mit Blank "},
        {Field(FieldKind::Number), u"0042x", u"", u"42"},
        {Field(FieldKind::Flag), u"1", u"0", u"1"},
        {Field(FieldKind::Choice), u"2", u"0", u"2"},
        {Field(FieldKind::ItemText), u"ATU12345678", u"1050,400,left,alt",
         u"1050,400,left,ATU12345678"},
        {Field(FieldKind::ItemText), u"X", u"", u",,,X"},
        {Field(FieldKind::ItemTextRight), u"123/4567", u"1340,700,left,alt",
         u"1340,700,right,123/4567"},
        {Field(FieldKind::ItemTextLeft), u"St.Nr.:", u"1050,700", u"1050,700,left,St.Nr.:"},
        {Field(FieldKind::TwoLines), u"Bank\nAustria", u"", u"Bank\\nAustria"},
        {Field(FieldKind::ReceiptTemplate), u" Betrag = 5 \nDanke", u"",
         u"Betrag \u00BF 5\\nDanke\\n"},
        {Field(FieldKind::ListPiece, {}, 1), u"5.50", u"14,0,mahn2.txt", u"14,5.50,mahn2.txt"},
        {Field(FieldKind::ListPiece, {}, 1, QStringLiteral("0.0")), u"9", u"0,3,x.txt",
         u"0,0.0,x.txt"},
        {Field(FieldKind::ListPiece, {}, 2), u"m.txt", u"7", u"7,,m.txt"},
        {Field(FieldKind::CheckText, {QStringLiteral("A4"), QStringLiteral("A3")}), u"1", u"A4",
         u"A3"},
        {Field(FieldKind::CheckText, {QStringLiteral("A4"), QStringLiteral("A3")}), u"0", u"A3",
         u"A4"},
    };
    for (const Case& c : cases) {
        const QString written =
            FieldFileValue(c.field, QString::fromUtf16(c.entered), QString::fromUtf16(c.current));
        EXPECT_EQ(written, QString::fromUtf16(c.written))
            << QString::fromUtf16(c.entered).toStdString();
    }
}

TEST(SettingsPages, DisplayedValuesRoundTrip)
{
    const SettingsField password = Field(FieldKind::Password);
    const QString stored = FieldFileValue(password, QStringLiteral("Geheim"), QString());
    EXPECT_EQ(stored, PasswordToFileValue(QStringLiteral("Geheim")));
    EXPECT_EQ(FieldDisplayValue(password, stored), QStringLiteral("Geheim"));

    const SettingsField receipt = Field(FieldKind::ReceiptTemplate);
    EXPECT_EQ(FieldDisplayValue(receipt, QStringLiteral("A\u00BFB\\nC\\n")),
              QStringLiteral("A=B\nC\n"));
    EXPECT_EQ(FieldDisplayValue(Field(FieldKind::ItemText), QStringLiteral("1,2,left,ATU1")),
              QStringLiteral("ATU1"));
    EXPECT_EQ(FieldDisplayValue(Field(FieldKind::ListPiece, {}, 2), QStringLiteral("14,5.5,t.txt")),
              QStringLiteral("t.txt"));
}

TEST(SettingsPages, PagesInTheirOrder)
{
    QStringList captions;
    for (const SettingsPage& page : SettingsPages())
        captions << page.caption;
    EXPECT_EQ(captions.join(u'|'),
              QStringLiteral("Absender|Dokument|Rechnung|Zahlschein|Quittung|Mahnung|"
                             "E-Mail(Tapi/Fax)|SMS|Adressen|Produkte|Dok. Übersicht"));
}
