#include "app/model/phone.h"

#include "config/configuration.h"

#include <gtest/gtest.h>

using namespace fakvo;

namespace {

Configuration OwnNumber(int country, const QString& areaCode)
{
    Configuration config;
    config.EIGENERLAENDERCODE = country;
    config.EIGENETELEFONVORWAHL = areaCode;
    return config;
}

struct Case
{
    const char16_t* typed;
    const char16_t* dialled;
    const char16_t* compact;
};

void Check(const Configuration& config, std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        const QString typed = QString::fromUtf16(c.typed);
        EXPECT_EQ(CanonicalPhoneNumber(typed, false, config), QString::fromUtf16(c.dialled))
            << "'" << typed.toStdString() << "'";
        EXPECT_EQ(CanonicalPhoneNumber(typed, true, config), QString::fromUtf16(c.compact))
            << "'" << typed.toStdString() << "' compact";
    }
}

} // namespace

TEST(Phone, CanonicalFormsInSalzburg)
{
    Check(OwnNumber(43, QStringLiteral("662")),
          {
              {u"0662 123456", u"+43(662)123456", u"+43662123456"},
              {u"+49 (89) 1234-56", u"+49(89)123456", u"+4989123456"},
              {u"1234567", u"+43(662)1234567", u"+436621234567"},
              // Without a separator the area code takes four digits.
              {u"06641234567", u"+43(6641)234567", u"+436641234567"},
              {u"+4366412345678", u"+43(6641)2345678", u"+4366412345678"},
              {u"++49 89 12345", u"+49(89)12345", u"+498912345"},
              {u"0049 89 12345", u"+49(89)12345", u"+498912345"},
              {u"+1 212 5550123", u"+1(212)5550123", u"+12125550123"},
              {u"+420/2/1234567", u"+420(2)1234567", u"+42021234567"},
              {u" 0662 123456 ", u"+43(662)123456", u"+43662123456"},
          });
}

TEST(Phone, BracketedTrunkZeroAfterTheCountryCodeIsDropped)
{
    Check(OwnNumber(43, QStringLiteral("662")),
          {
              {u"+43 (0)662 123456", u"+43(662)123456", u"+43662123456"},
              {u"+43(0)662-123456", u"+43(662)123456", u"+43662123456"},
              {u"0043 (0) 662 123456", u"+43(662)123456", u"+43662123456"},
              {u"+49 (0)89 1234", u"+49(89)1234", u"+49891234"},
              // A bracketed area code without the zero was always read right.
              {u"+43 (662) 123456", u"+43(662)123456", u"+43662123456"},
          });
}

TEST(Phone, TextsWithoutSubscriberNumberGiveNothingToDial)
{
    // Short texts must never be read past their end; none of them is a number to dial.
    Check(OwnNumber(43, QStringLiteral("662")), {
                                                    {u"", u"", u""},
                                                    {u"   ", u"", u""},
                                                    {u"+", u"", u""},
                                                    {u"+4", u"", u""},
                                                    {u"+43", u"", u""},
                                                    {u"++", u"", u""},
                                                    {u"00", u"", u""},
                                                    {u"0", u"", u""},
                                                    {u"0662", u"", u""},
                                                    {u"-/-", u"", u""},
                                                });
}

TEST(Phone, NumbersWithoutPrefixTakeTheOwnCountryAndAreaCode)
{
    Check(OwnNumber(49, QStringLiteral("89")),
          {
              {u"123456", u"+49(89)123456", u"+4989123456"},
              {u"030 123456", u"+49(30)123456", u"+4930123456"},
              {u"+43 662 123456", u"+43(662)123456", u"+43662123456"},
          });
}
