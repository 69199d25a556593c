#include "crypt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace fakvo {
namespace {

constexpr qint64 kBlockSize = 32000;
constexpr int kHeaderSize = 40;
constexpr int kPasswordSize = 20;
constexpr std::uint8_t kBlockStart = 97; // 'a': the predecessor of every block's first byte
const QByteArray kMarker("Q.Z. CR V.4.00D\x1A", 16);

using Password = std::array<std::uint8_t, kPasswordSize>;
using Header = std::array<std::uint8_t, kHeaderSize>;

const char kUsage[] = "\n"
                      "+----------------------------------------------------------+\n"
                      "|  CR - Verschluesselung und Entschluesselung von Dateien  |\n"
                      "|                                                          |\n"
                      "|  Syntax: CR <Dateiname> </V | /E> [/P:Passwort] [/K]     |\n"
                      "|                                                          |\n"
                      "|  /V = Verschluesseln                                     |\n"
                      "|  /E = Entschluesseln                                     |\n"
                      "|  /P = Passwort (hoechstens 20 Zeichen)                   |\n"
                      "|  /K = Keine Bildschirmausgabe                            |\n"
                      "+----------------------------------------------------------+\n";

enum class Direction
{
    Encrypt,
    Decrypt
};

struct Arguments
{
    QByteArray file;
    Direction direction = Direction::Encrypt;
    bool hasPassword = false;
    QByteArray password;
    bool quiet = false;
};

bool IsOption(const char* arg, const char* option)
{
    return qstricmp(arg, option) == 0;
}

// Nothing when the vector does not follow the syntax.
std::optional<Arguments> ParseArguments(int argc, const char* const argv[])
{
    if (argc < 3 || argc > 5)
        return std::nullopt;
    Arguments args;
    args.file = argv[1];
    if (IsOption(argv[2], "/V"))
        args.direction = Direction::Encrypt;
    else if (IsOption(argv[2], "/E"))
        args.direction = Direction::Decrypt;
    else
        return std::nullopt;
    if (argc >= 4) {
        if (qstrnicmp(argv[3], "/P:", 3) != 0)
            return std::nullopt;
        args.hasPassword = true;
        args.password = QByteArray(argv[3] + 3);
    }
    if (argc == 5) {
        if (!IsOption(argv[4], "/K"))
            return std::nullopt;
        args.quiet = true;
    }
    return args;
}

Password PasswordBytes(const QByteArray& text, char fill)
{
    Password p;
    p.fill(static_cast<std::uint8_t>(fill));
    for (int i = 0; i < kPasswordSize && i < text.size(); ++i)
        p[i] = static_cast<std::uint8_t>(text[i]);
    return p;
}

// The password as text: its bytes up to the first zero byte.
QByteArray PasswordText(const Password& p)
{
    QByteArray text;
    for (std::uint8_t byte : p) {
        if (byte == 0)
            break;
        text.append(static_cast<char>(byte));
    }
    return text;
}

std::uint32_t SquareOfPassword(const Password& p)
{
    const std::int64_t b = std::int64_t(p[0]) * 251 - 11;
    return static_cast<std::uint32_t>(b * b);
}

std::uint8_t KeyByte(std::uint32_t s, const Password& p)
{
    std::uint32_t sum = s;
    for (int i = 0; i < kPasswordSize; ++i)
        sum += static_cast<std::uint32_t>(i) + p[i];
    return static_cast<std::uint8_t>(sum);
}

Header MakeHeader(const Password& p)
{
    Header h{};
    for (int i = 0; i < kMarker.size(); ++i)
        h[i] = static_cast<std::uint8_t>(kMarker[i]);
    const std::int64_t b = std::int64_t(p[0]) * 251 - 11;
    const std::uint32_t s = SquareOfPassword(p);
    for (int i = 0; i < 4; ++i)
        h[16 + i] = static_cast<std::uint8_t>(s >> (8 * i));
    h[20] = static_cast<std::uint8_t>(b);
    std::uint8_t c = static_cast<std::uint8_t>((s & 0xFF) - p[1] + 38);
    h[21] = c;
    for (int n = 0; n < 18; ++n) {
        c = static_cast<std::uint8_t>(c - 2 * n - p[n + 2] - 118);
        h[22 + n] = c;
    }
    return h;
}

std::uint32_t HeaderSquare(const Header& h)
{
    std::uint32_t s = 0;
    for (int i = 0; i < 4; ++i)
        s |= std::uint32_t(h[16 + i]) << (8 * i);
    return s;
}

std::uint32_t IntegerSquareRoot(std::uint32_t s)
{
    std::uint64_t r = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(s)));
    while (r * r > s)
        --r;
    while ((r + 1) * (r + 1) <= s)
        ++r;
    return static_cast<std::uint32_t>(r);
}

// The password bytes read back from a header.
Password PasswordFromHeader(const Header& h)
{
    Password p{};
    const std::uint32_t s = HeaderSquare(h);
    p[0] = static_cast<std::uint8_t>((IntegerSquareRoot(s) + 11) / 251);
    p[1] = static_cast<std::uint8_t>((s & 0xFF) - h[21] + 38);
    for (int n = 0; n < 18; ++n)
        p[n + 2] = static_cast<std::uint8_t>(h[21 + n] - h[22 + n] - 2 * n - 118);
    return p;
}

void EncryptBlock(QByteArray& block, std::uint8_t key)
{
    std::uint8_t prev = kBlockStart;
    for (qsizetype i = 0; i < block.size(); ++i) {
        const auto plain = static_cast<std::uint8_t>(block[i]);
        block[i] = static_cast<char>(plain + key - prev - i % 17);
        prev = plain;
    }
}

void DecryptBlock(QByteArray& block, std::uint8_t key)
{
    std::uint8_t prev = kBlockStart;
    for (qsizetype i = 0; i < block.size(); ++i) {
        const auto cipher = static_cast<std::uint8_t>(block[i]);
        const auto plain = static_cast<std::uint8_t>(prev + i % 17 + cipher - key);
        block[i] = static_cast<char>(plain);
        prev = plain;
    }
}

class Run
{
public:
    Run(const CryptConsole& console, bool quiet) : m_console(console), m_quiet(quiet) {}

    void Print(const char* format, const QByteArray& path = {}) const
    {
        if (m_quiet || !m_console.write)
            return;
        QByteArray text(format);
        text.replace("%s", path);
        m_console.write(text);
    }

    std::optional<Password> AskPassword(Direction direction) const
    {
        const auto ask = [this](const QByteArray& prompt) {
            return m_console.readPassword ? m_console.readPassword(prompt) : QByteArray();
        };
        const QByteArray first = ask("Bitte Passwort eingeben :");
        if (direction == Direction::Encrypt) {
            const QByteArray second = ask("\rBitte Vergleichspasswort eingeben :");
            if (PasswordBytes(first, ' ') != PasswordBytes(second, ' ')) {
                Print("\nFehlerhafte Eingabe.\n");
                return std::nullopt;
            }
        }
        return PasswordBytes(first, ' ');
    }

private:
    const CryptConsole& m_console;
    bool m_quiet;
};

bool WriteAll(QFile& file, const char* data, qint64 size)
{
    return file.write(data, size) == size;
}

// Reads one block; nothing on a read error.
std::optional<QByteArray> ReadBlock(QFile& file)
{
    QByteArray block(kBlockSize, Qt::Uninitialized);
    const qint64 got = file.read(block.data(), kBlockSize);
    if (got < 0)
        return std::nullopt;
    block.truncate(got);
    return block;
}

enum class Outcome
{
    Done,
    Failed
};

Outcome Encrypt(const Run& run, QFile& in, QFile& out, const Password& p, const QByteArray& path)
{
    const std::uint8_t key = KeyByte(SquareOfPassword(p), p);
    const Header header = MakeHeader(p);
    bool first = true;
    for (;;) {
        std::optional<QByteArray> block = ReadBlock(in);
        if (!block)
            return Outcome::Failed;
        if (first && block->startsWith(kMarker)) {
            run.Print("\rDatei '%s' ist bereits verschluesselt.\n", path);
            return Outcome::Failed;
        }
        if (first && !WriteAll(out, reinterpret_cast<const char*>(header.data()), kHeaderSize))
            return Outcome::Failed;
        first = false;
        if (block->isEmpty())
            return Outcome::Done;
        EncryptBlock(*block, key);
        if (!WriteAll(out, block->constData(), block->size()))
            return Outcome::Failed;
        if (block->size() < kBlockSize)
            return Outcome::Done;
    }
}

Outcome Decrypt(const Run& run, QFile& in, QFile& out, const Password& p, const QByteArray& path)
{
    Header header{};
    const qint64 got = in.read(reinterpret_cast<char*>(header.data()), kHeaderSize);
    const QByteArray start(reinterpret_cast<const char*>(header.data()),
                           static_cast<qsizetype>(std::max<qint64>(got, 0)));
    if (got >= 0 && !start.startsWith(kMarker)) {
        run.Print("\rDatei %s ist nicht verschluesselt.\n", path);
        return Outcome::Failed;
    }
    if (got != kHeaderSize) {
        run.Print("\rDatei '%s' kann nicht entschluesselt werden.\n", path);
        return Outcome::Failed;
    }
    const Password stored = PasswordFromHeader(header);
    if (PasswordText(stored) != PasswordText(p)) {
        run.Print("\tPasswort ist falsch !\a\n");
        return Outcome::Failed;
    }
    const std::uint8_t key = KeyByte(HeaderSquare(header), stored);
    for (;;) {
        std::optional<QByteArray> block = ReadBlock(in);
        if (!block)
            return Outcome::Failed;
        if (block->isEmpty())
            return Outcome::Done;
        DecryptBlock(*block, key);
        if (!WriteAll(out, block->constData(), block->size()))
            return Outcome::Failed;
        if (block->size() < kBlockSize)
            return Outcome::Done;
    }
}

// Puts the finished output in the input's place in one step, so that at every moment the
// file holds either the old or the new content.
bool ReplaceFile(QTemporaryFile& output, const QString& target)
{
    output.setPermissions(QFileInfo(target).permissions());
    if (!output.flush() || ::fsync(output.handle()) != 0)
        return false;
    output.close();
    const QByteArray from = QFile::encodeName(output.fileName());
    const QByteArray to = QFile::encodeName(target);
    if (std::rename(from.constData(), to.constData()) != 0)
        return false;
    output.setAutoRemove(false);
    return true;
}

} // namespace

CryptConsole StandardCryptConsole()
{
    CryptConsole console;
    console.write = [](const QByteArray& text) {
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
        std::fflush(stdout);
    };
    console.readPassword = [](const QByteArray& prompt) {
        std::fwrite(prompt.constData(), 1, static_cast<size_t>(prompt.size()), stdout);
        std::fflush(stdout);
        termios saved{};
        const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
        if (terminal) {
            termios silent = saved;
            silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
        }
        std::string line;
        for (int ch = std::getchar(); ch != EOF && ch != '\n'; ch = std::getchar())
            line.push_back(static_cast<char>(ch));
        if (terminal)
            ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        return QByteArray::fromStdString(line);
    };
    return console;
}

int Crypt(int argc, const char* const argv[])
{
    return Crypt(argc, argv, StandardCryptConsole());
}

int Crypt(int argc, const char* const argv[], const CryptConsole& console)
{
    bool quietAnywhere = false;
    for (int i = 3; i < argc; ++i)
        quietAnywhere = quietAnywhere || IsOption(argv[i], "/K");
    const std::optional<Arguments> args = ParseArguments(argc, argv);
    if (!args) {
        Run(console, quietAnywhere).Print(kUsage);
        return 0;
    }
    const Run run(console, args->quiet);

    const QFileInfo info(QFile::decodeName(args->file));
    const QString path = info.absoluteFilePath();
    const QByteArray shownPath = QFile::encodeName(path);
    if (!info.exists()) {
        run.Print("Datei %s nicht gefunden !\n", shownPath);
        return 1;
    }
    if (info.fileName().compare(QLatin1String("CR.EXE"), Qt::CaseInsensitive) == 0) {
        run.Print("\rDatei %s kann nicht bearbeitet werden !!!\n", shownPath);
        return 1;
    }

    Password password{};
    if (args->hasPassword) {
        password = PasswordBytes(args->password, '\0');
    } else {
        const std::optional<Password> typed = run.AskPassword(args->direction);
        if (!typed)
            return 1;
        password = *typed;
    }

    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        run.Print("Datei %s konnte nich geoeffnet werden !\n", shownPath);
        return 1;
    }
    run.Print("Datei %s wird bearbeitet....", shownPath);

    // A temporary file of its own next to the input: runs on other files never share it,
    // and the final rename stays within one file system.
    QTemporaryFile out(info.absoluteDir().filePath(QStringLiteral("cr669988XXXXXX.tmp")));
    if (!out.open()) {
        run.Print("\rOeffnen der Ausgabedatei %s nicht moeglich.\n",
                  QFile::encodeName(out.fileTemplate()));
        return 1;
    }

    const Outcome outcome = args->direction == Direction::Encrypt
                                ? Encrypt(run, in, out, password, shownPath)
                                : Decrypt(run, in, out, password, shownPath);
    in.close();
    if (outcome != Outcome::Done || !out.flush())
        return 1;

    const qint64 inputSize = QFileInfo(path).size();
    const qint64 expected =
        args->direction == Direction::Encrypt ? inputSize + kHeaderSize : inputSize - kHeaderSize;
    if (out.size() != expected || !ReplaceFile(out, path))
        return 1;
    run.Print("\rDatei %s fertig.               \n", shownPath);
    return 0;
}

} // namespace fakvo
