#include "support/crypt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <thread>
#include <vector>

using namespace fakvo;

namespace {

const QByteArray kMarker("Q.Z. CR V.4.00D\x1A", 16);
const QByteArray kPassword("Qzw7Tk2Lmp");

// A console that records what the cipher prints and answers password prompts from a list.
struct RecordingConsole
{
    QByteArray output;
    QList<QByteArray> prompts;
    QList<QByteArray> answers;

    CryptConsole Console()
    {
        CryptConsole console;
        console.write = [this](const QByteArray& text) { output += text; };
        console.readPassword = [this](const QByteArray& prompt) {
            prompts.append(prompt);
            return answers.isEmpty() ? QByteArray() : answers.takeFirst();
        };
        return console;
    }
};

int RunCrypt(const QList<QByteArray>& args, RecordingConsole& console)
{
    std::vector<const char*> argv;
    for (const QByteArray& arg : args)
        argv.push_back(arg.constData());
    return Crypt(static_cast<int>(argv.size()), argv.data(), console.Console());
}

int RunCrypt(const QList<QByteArray>& args)
{
    RecordingConsole console;
    return RunCrypt(args, console);
}

QByteArray Encode(const QString& path)
{
    return QFile::encodeName(path);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Reproducible content that uses every byte value and is not periodic in 17 or 32000.
QByteArray Content(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    std::uint32_t x = 12345;
    for (qsizetype i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(x >> 23);
    }
    return bytes;
}

QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray Done(const QString& path)
{
    return "Datei " + Encode(path) + " wird bearbeitet....\rDatei " + Encode(path) +
           " fertig.               \n";
}

class CryptTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("rechnung.pdf.bin"));
};

} // namespace

TEST_F(CryptTest, EncryptThenDecryptGivesBackTheSameBytesAtEveryBlockBoundary)
{
    for (qsizetype size : {0, 1, 31999, 32000, 32001, 100000}) {
        SCOPED_TRACE(size);
        const QByteArray plain = Content(size);
        WriteAll(file, plain);

        RecordingConsole console;
        ASSERT_EQ(RunCrypt({"cr", Encode(file), "/V", "/P:" + kPassword}, console), 0);
        EXPECT_EQ(console.output, Done(file));
        const QByteArray encrypted = ReadAll(file);
        EXPECT_EQ(encrypted.size(), size + 40);
        EXPECT_TRUE(encrypted.startsWith(kMarker));
        if (size > 0) {
            EXPECT_NE(encrypted.mid(40), plain);
        }

        console.output.clear();
        ASSERT_EQ(RunCrypt({"cr", Encode(file), "/E", "/P:" + kPassword}, console), 0);
        EXPECT_EQ(console.output, Done(file));
        EXPECT_EQ(ReadAll(file), plain);
        EXPECT_EQ(FolderEntries(dir.path()), QStringList{QStringLiteral("rechnung.pdf.bin")});
    }
}

// Worked by hand for the password "AB" (P0 = 65, P1 = 66, P2..P19 = 0):
//   b = 65 * 251 - 11 = 16304, s = 16304^2 = 265820416 = 0x0FD81900, low byte of b = 0xB0,
//   c0 = 0x00 - 66 + 38 = -28 = 0xE4, c1 = c0 - 0 - 0 - 118 = 0x6E, c2 = c1 - 2 - 0 - 118 = 0xF6,
//   K = (s + (0 + 1 + ... + 19) + 65 + 66) mod 256 = (0 + 190 + 131) mod 256 = 65.
// Content "abc\0\xFF": 'a'+65-97-0 = 0x41, 'b'+65-'a'-1 = 0x41, 'c'+65-'b'-2 = 0x40,
//   0+65-'c'-3 = -37 = 0xDB, 255+65-0-4 = 316 = 0x3C.
TEST_F(CryptTest, KnownAnswerForAShortFile)
{
    WriteAll(file, QByteArray("abc\0\xFF", 5));
    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/V", "/P:AB"}), 0);

    QByteArray expected = kMarker;
    expected += QByteArray("\x00\x19\xD8\x0F\xB0\xE4\x6E\xF6", 8);
    std::uint8_t c = 0xF6;
    for (int n = 2; n < 18; ++n) { // c(n+1) = cn - 2n - P(n+2) - 118, with P(n+2) = 0
        c = static_cast<std::uint8_t>(c - 2 * n - 118);
        expected += static_cast<char>(c);
    }
    expected += QByteArray("\x41\x41\x40\xDB\x3C", 5);
    EXPECT_EQ(ReadAll(file).toHex(' '), expected.toHex(' '));
}

TEST_F(CryptTest, EveryBlockRestartsTheRunningDifferenceAndTheIndex)
{
    const QByteArray plain = Content(32000 + 40);
    WriteAll(file, plain);
    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/V", "/P:AB"}), 0);
    const QByteArray encrypted = ReadAll(file);
    ASSERT_EQ(encrypted.size(), plain.size() + 40);

    const std::uint8_t key = 65; // for "AB", worked out above
    for (qsizetype block = 0; block < plain.size(); block += 32000) {
        std::uint8_t prev = 97;
        for (qsizetype i = 0; i < 32000 && block + i < plain.size(); ++i) {
            const auto p = static_cast<std::uint8_t>(plain[block + i]);
            const auto expected = static_cast<std::uint8_t>(p + key - prev - i % 17);
            ASSERT_EQ(static_cast<std::uint8_t>(encrypted[40 + block + i]), expected)
                << "at " << block + i;
            prev = p;
        }
    }
}

TEST_F(CryptTest, PasswordsOfEveryLengthAndByteValue)
{
    struct Case
    {
        QByteArray password;
        QByteArray wrong;
    };
    const Case cases[] = {
        {"", "a"},
        {"x", "y"},
        {kPassword, "Qzw7Tk2Lmq"},
        {"abcdefghijklmnopqrst", "abcdefghijklmnopqrs"},
        {"\xFF\xFE\x80 hohe Bytes", "\xFE\xFE\x80 hohe Bytes"}, // b * b no longer fits 31 bits
        {"\xB9", "\xB8"},
    };
    const QByteArray plain = Content(1000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.password.toHex().toStdString());
        WriteAll(file, plain);
        ASSERT_EQ(RunCrypt({"cr", Encode(file), "/V", "/P:" + c.password}), 0);
        const QByteArray encrypted = ReadAll(file);

        RecordingConsole console;
        EXPECT_EQ(RunCrypt({"cr", Encode(file), "/E", "/P:" + c.wrong}, console), 1);
        EXPECT_EQ(console.output,
                  "Datei " + Encode(file) + " wird bearbeitet....\tPasswort ist falsch !\a\n");
        EXPECT_EQ(ReadAll(file), encrypted);

        ASSERT_EQ(RunCrypt({"cr", Encode(file), "/E", "/P:" + c.password}), 0);
        EXPECT_EQ(ReadAll(file), plain);
    }
}

TEST_F(CryptTest, OnlyTheFirstTwentyPasswordBytesCount)
{
    WriteAll(file, "Inhalt");
    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/V", "/P:abcdefghijklmnopqrstUVW"}), 0);
    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/E", "/P:abcdefghijklmnopqrstXYZ"}), 0);
    EXPECT_EQ(ReadAll(file), "Inhalt");
}

TEST_F(CryptTest, RefusedFilesStayUntouched)
{
    const QByteArray plain = Content(5000);
    const QString shortFile = dir.filePath(QStringLiteral("kurz.bin"));
    const QByteArray shortEncrypted = kMarker + "12345";
    const QString program = dir.filePath(QStringLiteral("cr.exe"));
    WriteAll(file, plain);
    WriteAll(shortFile, shortEncrypted);
    WriteAll(program, "MZ");

    const QString encryptedFile = dir.filePath(QStringLiteral("verschluesselt.bin"));
    WriteAll(encryptedFile, plain);
    ASSERT_EQ(RunCrypt({"cr", Encode(encryptedFile), "/V", "/P:" + kPassword}), 0);
    const QByteArray encrypted = ReadAll(encryptedFile);

    const QString missing = dir.filePath(QStringLiteral("fehlt.bin"));
    struct Case
    {
        QList<QByteArray> args;
        QByteArray output;
    };
    const QByteArray working = " wird bearbeitet....";
    const Case cases[] = {
        {{"cr", Encode(file), "/E", "/P:" + kPassword},
         "Datei " + Encode(file) + working + "\rDatei " + Encode(file) +
             " ist nicht verschluesselt.\n"},
        {{"cr", Encode(encryptedFile), "/V", "/P:" + kPassword},
         "Datei " + Encode(encryptedFile) + working + "\rDatei '" + Encode(encryptedFile) +
             "' ist bereits verschluesselt.\n"},
        {{"cr", Encode(shortFile), "/E", "/P:" + kPassword},
         "Datei " + Encode(shortFile) + working + "\rDatei '" + Encode(shortFile) +
             "' kann nicht entschluesselt werden.\n"},
        {{"cr", Encode(missing), "/V", "/P:" + kPassword},
         "Datei " + Encode(missing) + " nicht gefunden !\n"},
        {{"cr", Encode(program), "/V", "/P:" + kPassword},
         "\rDatei " + Encode(program) + " kann nicht bearbeitet werden !!!\n"},
        {{"cr", Encode(file), "/e", "/p:" + kPassword, "/k"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        RecordingConsole console;
        EXPECT_EQ(RunCrypt(c.args, console), 1);
        EXPECT_EQ(console.output, c.output);
    }
    EXPECT_EQ(ReadAll(file), plain);
    EXPECT_EQ(ReadAll(shortFile), shortEncrypted);
    EXPECT_EQ(ReadAll(encryptedFile), encrypted);
    EXPECT_EQ(ReadAll(program), "MZ");
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(
        FolderEntries(dir.path()),
        (QStringList{QStringLiteral("cr.exe"), QStringLiteral("kurz.bin"),
                     QStringLiteral("rechnung.pdf.bin"), QStringLiteral("verschluesselt.bin")}));
}

TEST_F(CryptTest, ArgumentsOutsideTheSyntaxPrintTheUsageAndDoNothing)
{
    WriteAll(file, "Inhalt");
    const QByteArray f = Encode(file);
    const QList<QList<QByteArray>> cases = {
        {"cr"},
        {"cr", f},
        {"cr", f, "/X"},
        {"cr", f, "V"},
        {"cr", f, "/V", "Qzw7Tk2Lmp"},
        {"cr", f, "/V", "/P:abc", "/Q"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        RecordingConsole console;
        EXPECT_EQ(RunCrypt(args, console), 0);
        EXPECT_TRUE(console.output.contains("Syntax: CR <Dateiname> </V | /E> [/P:Passwort] [/K]"));
        EXPECT_TRUE(console.output.contains("/V = Verschluesseln"));
        EXPECT_TRUE(console.output.contains("/E = Entschluesseln"));
        EXPECT_TRUE(console.output.contains("/K = Keine Bildschirmausgabe"));
        EXPECT_TRUE(console.prompts.isEmpty());
        EXPECT_EQ(ReadAll(file), "Inhalt");
    }

    RecordingConsole quiet;
    EXPECT_EQ(RunCrypt({"cr", f, "/V", "/P:abc", "/K", "/K"}, quiet), 0);
    EXPECT_EQ(quiet.output, "");
    EXPECT_EQ(ReadAll(file), "Inhalt");
}

TEST_F(CryptTest, LowerCaseOptionsAndTheQuietSwitch)
{
    WriteAll(file, "Inhalt");
    RecordingConsole console;
    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/v", "/p:geheim", "/k"}, console), 0);
    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/e", "/P:geheim", "/K"}, console), 0);
    EXPECT_EQ(console.output, "");
    EXPECT_EQ(ReadAll(file), "Inhalt");
}

TEST_F(CryptTest, TypedPasswordsAreAskedTwiceForEncryptionAndPaddedWithBlanks)
{
    WriteAll(file, "Inhalt");
    RecordingConsole mismatch;
    mismatch.answers = {"geheim", "geheimer"};
    EXPECT_EQ(RunCrypt({"cr", Encode(file), "/V"}, mismatch), 1);
    EXPECT_EQ(mismatch.prompts, (QList<QByteArray>{"Bitte Passwort eingeben :",
                                                   "\rBitte Vergleichspasswort eingeben :"}));
    EXPECT_EQ(mismatch.output, "\nFehlerhafte Eingabe.\n");
    EXPECT_EQ(ReadAll(file), "Inhalt");

    RecordingConsole typed;
    typed.answers = {"geheim", "geheim"};
    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/V"}, typed), 0);
    // The typed password is "geheim" followed by 14 blanks, which the argument form does not add.
    EXPECT_EQ(RunCrypt({"cr", Encode(file), "/E", "/P:geheim"}), 1);
    EXPECT_EQ(RunCrypt({"cr", Encode(file), "/E", "/P:geheim              "}), 0);
    EXPECT_EQ(ReadAll(file), "Inhalt");

    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/V", "/P:geheim              "}), 0);
    RecordingConsole decrypt;
    decrypt.answers = {"geheim"};
    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/E"}, decrypt), 0);
    EXPECT_EQ(decrypt.prompts, QList<QByteArray>{"Bitte Passwort eingeben :"});
    EXPECT_EQ(ReadAll(file), "Inhalt");
}

// Each run writes its output next to its own input under a name of its own: runs at the same
// time never overwrite each other's output, a relative name is taken from the current folder,
// and an unrelated "cr669988.tmp" is left alone.
TEST_F(CryptTest, RunsAtTheSameTimeKeepTheirOutputApart)
{
    QTemporaryDir work;
    const QString foreign = dir.filePath(QStringLiteral("cr669988.tmp"));
    WriteAll(foreign, "fremd");
    const QString savedCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));

    constexpr int kFiles = 6;
    std::vector<QByteArray> plain;
    for (int i = 0; i < kFiles; ++i) {
        plain.push_back(Content(70000 + i * 1000));
        WriteAll(dir.filePath(QStringLiteral("f%1.bin").arg(i)), plain.back());
    }
    std::array<int, kFiles> results{};
    std::vector<std::thread> threads;
    for (int i = 0; i < kFiles; ++i) {
        threads.emplace_back([i, &results] {
            const QByteArray name = "f" + QByteArray::number(i) + ".bin";
            results[i] = RunCrypt({"cr", name, "/V", "/P:" + kPassword}) +
                         RunCrypt({"cr", name, "/E", "/P:" + kPassword}) +
                         RunCrypt({"cr", name, "/V", "/P:" + kPassword});
        });
    }
    for (std::thread& t : threads)
        t.join();
    ASSERT_TRUE(QDir::setCurrent(savedCurrent));

    for (int i = 0; i < kFiles; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(results[i], 0);
        const QString name = dir.filePath(QStringLiteral("f%1.bin").arg(i));
        ASSERT_EQ(RunCrypt({"cr", Encode(name), "/E", "/P:" + kPassword}), 0);
        EXPECT_EQ(ReadAll(name), plain[i]);
    }
    EXPECT_EQ(ReadAll(foreign), "fremd");
    EXPECT_EQ(FolderEntries(dir.path()).size(), kFiles + 1);
}

TEST_F(CryptTest, TheReplacedFileKeepsItsPermissions)
{
    WriteAll(file, "Inhalt");
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                             QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(file, permissions));
    ASSERT_EQ(RunCrypt({"cr", Encode(file), "/V", "/P:" + kPassword}), 0);
    const auto ownerGroupOther = QFileDevice::Permissions(0x7077);
    EXPECT_EQ(QFileInfo(file).permissions() & ownerGroupOther, permissions);
}

TEST_F(CryptTest, TheCommandLineProgram)
{
    const QByteArray plain = Content(40000);
    WriteAll(file, plain);
    for (const char* mode : {"/V", "/E"}) {
        QProcess program;
        program.start(QStringLiteral(FAKVO_CR_PROGRAM),
                      {file, QString::fromLatin1(mode), QStringLiteral("/P:geheim")});
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_EQ(program.readAllStandardOutput(), Done(file));
    }
    EXPECT_EQ(ReadAll(file), plain);

    QProcess usage;
    usage.start(QStringLiteral(FAKVO_CR_PROGRAM), {file});
    ASSERT_TRUE(usage.waitForFinished(30000));
    EXPECT_EQ(usage.exitCode(), 0);
    EXPECT_TRUE(usage.readAllStandardOutput().contains("Syntax: CR <Dateiname>"));
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
