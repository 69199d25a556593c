#include "app/commandline.h"

#include <gtest/gtest.h>

using namespace fakvo;

namespace {

CommandLineResult Parse(const QStringList& args, const QStringList& existing = {})
{
    return ParseCommandLine(args, [&](const QString& p) { return existing.contains(p); });
}

const QString kFormatMessage = QStringLiteral(
    "Ungültiges Parameterformat! Beispiel:\n\n-G1003;C:\\Programme\\Fakvo\\Vorlagen\\test.fvr\n");

} // namespace

TEST(CommandLine, FlagsInEitherCaseAndEitherSign)
{
    const auto r = Parse({QStringLiteral("-e"), QStringLiteral("/F"), QStringLiteral("-n"),
                          QStringLiteral("-O"), QStringLiteral("/v"), QStringLiteral("-I1")});
    EXPECT_FALSE(r.endNow);
    EXPECT_TRUE(r.options.endAfterJob);
    EXPECT_TRUE(r.options.noPdf);
    EXPECT_TRUE(r.options.noNetwork);
    EXPECT_TRUE(r.options.skipSystemQuery);
    EXPECT_TRUE(r.options.plainFiles);
    EXPECT_TRUE(r.options.allowSecondInstance);
    EXPECT_FALSE(Parse({QStringLiteral("-I0")}).options.allowSecondInstance);
}

TEST(CommandLine, UnknownLetterEndsSilently)
{
    const auto r = Parse({QStringLiteral("-N"), QStringLiteral("-Z")});
    EXPECT_TRUE(r.endNow);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_TRUE(Parse({QStringLiteral("/z")}).endNow);
}

TEST(CommandLine, ProfileByNumberOrFile)
{
    EXPECT_EQ(Parse({QStringLiteral("-K1")}).options.profileIndex, 1);
    const auto file = Parse({QStringLiteral("-Kfirma.cfg")});
    EXPECT_EQ(file.options.profileIndex, 0);
    EXPECT_EQ(file.options.explicitConfigFile, QStringLiteral("firma.cfg"));
    // A path with dashes and blanks stays whole, also when the shell split it.
    const auto path = Parse({QStringLiteral("-K/home/anna-maria/meine"),
                             QStringLiteral("firma.cfg"), QStringLiteral("-N")});
    EXPECT_EQ(path.options.explicitConfigFile, QStringLiteral("/home/anna-maria/meine firma.cfg"));
    EXPECT_TRUE(path.options.noNetwork);
    EXPECT_EQ(Parse({QStringLiteral("-K")}).options.explicitConfigFile, QString());
}

TEST(CommandLine, AutomaticDocument)
{
    const QString tmpl = QStringLiteral("/home/anna-maria/Vorlagen/test.fvr");
    const auto ok = Parse({QStringLiteral("-G1003;") + tmpl}, {tmpl});
    EXPECT_FALSE(ok.endNow);
    EXPECT_EQ(ok.options.autoCustomerNumber, 1003);
    EXPECT_EQ(ok.options.autoTemplateFile, tmpl);
    EXPECT_TRUE(ok.options.printAfterSave);

    const auto noSeparator = Parse({QStringLiteral("-G1003")});
    EXPECT_FALSE(noSeparator.endNow);
    EXPECT_EQ(noSeparator.messages, QStringList{kFormatMessage});
    EXPECT_EQ(noSeparator.options.autoCustomerNumber, 0);

    const auto bare = Parse({QStringLiteral("-G")});
    EXPECT_TRUE(bare.options.printAfterSave);
    EXPECT_TRUE(bare.messages.isEmpty());

    const auto missing = Parse({QStringLiteral("-G7;/x/nix.fvr")});
    EXPECT_TRUE(missing.endNow);
    EXPECT_EQ(missing.messages,
              QStringList{QStringLiteral("Die Datei '/x/nix.fvr' kann nicht gefunden werden!")});
}

TEST(CommandLine, LetterJobShippingAndServerMode)
{
    const QString job = QStringLiteral("/tmp/brief.txt");
    const auto r = Parse({QStringLiteral("-D") + job, QStringLiteral("-PPOSTARO")}, {job});
    EXPECT_EQ(r.options.letterJobFile, job);
    EXPECT_TRUE(r.options.letterShippingGiven);
    EXPECT_EQ(r.options.letterShipping, LetterShipping::LetterService);
    EXPECT_EQ(Parse({QStringLiteral("-PEMAIL")}).options.letterShipping, LetterShipping::EMail);
    EXPECT_EQ(Parse({QStringLiteral("-Pirgendwas")}).options.letterShipping, LetterShipping::Post);
    EXPECT_TRUE(Parse({QStringLiteral("-D/nicht/da")}).endNow);

    const auto server = Parse({QStringLiteral("-S12")});
    EXPECT_TRUE(server.options.serverMode);
    EXPECT_EQ(server.options.serverClientNumber, 12);
}

TEST(CommandLine, ExistingPathWithSlashIsNoOption)
{
    // "/Vorlagen" names a folder here, so it is not the option V.
    const auto r =
        Parse({QStringLiteral("-N"), QStringLiteral("/Vorlagen")}, {QStringLiteral("/Vorlagen")});
    EXPECT_FALSE(r.options.plainFiles);
    EXPECT_FALSE(r.endNow);
}
