#include "config/configfile.h"
#include "messaging/sendmail.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fakvo;

TEST(SmtpSettingsFromConfiguration, KeysAndTheirDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("standard.cfg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("SMTPSERVER= smtp.example.at "
               "\r\nSMTPPORT=587\r\nSMTPSICHERHEIT=1\r\nSMTPBENUTZER=rechnung\r\n"
               "SMTPPASSWORT=070706!\xBF!\r\n");
    file.close();
    Configuration config;
    ASSERT_TRUE(LoadConfiguration(config, path));
    const SmtpSettings s = SmtpSettingsFrom(config);
    EXPECT_EQ(s.server, QStringLiteral("smtp.example.at"));
    EXPECT_EQ(s.port, 587);
    EXPECT_EQ(s.security, SmtpSecurity::StartTls);
    EXPECT_EQ(s.user, QStringLiteral("rechnung"));
    EXPECT_EQ(s.password, QStringLiteral("abc"));

    const SmtpSettings plain = SmtpSettingsFrom(Configuration());
    EXPECT_EQ(plain.port, 25);
    EXPECT_EQ(plain.security, SmtpSecurity::None);
    EXPECT_TRUE(plain.user.isEmpty());
    config.SMTPSICHERHEIT = 7;
    EXPECT_EQ(SmtpSettingsFrom(config).security, SmtpSecurity::None);
}
