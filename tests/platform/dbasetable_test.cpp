#include "platform/dbasetable.h"

#include "python_dbf.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>

#include "common/testsupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace fakvo;
using fakvo::test::ReadBytes;
using fakvo::test::WriteBytes;
using fakvo::test::ReadWithDbfread;
using fakvo::test::RunPython;

namespace {

const QList<DbaseField> kFields = {
    {QStringLiteral("NAME"), DbaseType::Character, 12, 0},
    {QStringLiteral("MENGE"), DbaseType::Numeric, 6, 0},
    {QStringLiteral("PREIS"), DbaseType::Numeric, 8, 2},
};
// Header 32 + 3 descriptors + terminator; record = flag + 12 + 6 + 8.
constexpr int kHeaderLength = 32 + 3 * 32 + 1;
constexpr int kRecordLength = 1 + 12 + 6 + 8;

// A table of `n` records NAME "Satz i", MENGE i, PREIS i.
QString MakeTable(const QTemporaryDir& dir, int n, const QString& name = QStringLiteral("t.dbf"))
{
    const QString path = dir.filePath(name);
    DbaseTable table;
    EXPECT_TRUE(table.Create(path, kFields));
    for (int i = 1; i <= n; ++i) {
        EXPECT_TRUE(table.AppendStart());
        EXPECT_TRUE(table.AssignText(0, QStringLiteral("Satz %1").arg(i)));
        EXPECT_TRUE(table.AssignNumber(1, i));
        EXPECT_TRUE(table.AssignNumber(2, i));
        EXPECT_TRUE(table.Append());
    }
    table.Close();
    return path;
}

} // namespace

TEST(DbaseTable, WritesStandardFileThatDbfreadReadsWithSameValues)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("werte.dbf"));
    const QDate before = QDate::currentDate();
    {
        DbaseTable table;
        ASSERT_TRUE(table.Create(path, kFields));
        EXPECT_EQ(table.RecordCount(), 0);
        ASSERT_TRUE(table.AppendStart());
        // Windows-1252 text, cut at 12 characters.
        EXPECT_TRUE(table.AssignText(table.FieldIndex(QStringLiteral("name")),
                                     QStringLiteral("Müller € Söhne GmbH")));
        EXPECT_TRUE(table.AssignNumber(1, -42));
        EXPECT_TRUE(table.AssignNumber(2, 1234));
        ASSERT_TRUE(table.Append());
        ASSERT_TRUE(table.AppendBlank());
        ASSERT_TRUE(table.AppendStart());
        EXPECT_TRUE(table.AssignText(0, QStringLiteral("kurz")));
        EXPECT_TRUE(table.AssignNumber(1, 1234567)); // does not fit in 6
        EXPECT_TRUE(table.AssignText(2, QStringLiteral("7")));
        ASSERT_TRUE(table.Append());
        EXPECT_EQ(table.RecordCount(), 3);
        EXPECT_TRUE(table.Flush());
    }
    const QDate after = QDate::currentDate();

    const QByteArray bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), kHeaderLength + 3 * kRecordLength + 1);
    EXPECT_EQ(bytes.at(0), 0x03);
    EXPECT_EQ(bytes.at(kHeaderLength - 1), 0x0D);
    EXPECT_EQ(bytes.back(), 0x1A);
    EXPECT_EQ(bytes.mid(kHeaderLength, kRecordLength),
              QByteArray(" M\xFCller \x80 S\xF6h   -42 1234.00"));
    EXPECT_EQ(bytes.mid(kHeaderLength + 2 * kRecordLength, kRecordLength),
              QByteArray(" kurz        ******       7"));

    const QJsonObject dbf = ReadWithDbfread(path);
    EXPECT_EQ(dbf[u"version"].toInt(), 3);
    EXPECT_EQ(dbf[u"count"].toInt(), 3);
    const QJsonArray date = dbf[u"date"].toArray();
    const QDate written(date.at(0).toInt(), date.at(1).toInt(), date.at(2).toInt());
    EXPECT_TRUE(written == before || written == after);
    EXPECT_EQ(dbf[u"fields"].toArray(),
              QJsonDocument::fromJson(R"([["NAME","C",12,0],["MENGE","N",6,0],["PREIS","N",8,2]])")
                  .array());
    const QJsonArray records = dbf[u"records"].toArray();
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records.at(0).toObject()[u"NAME"].toString(), QStringLiteral("Müller € Söh"));
    EXPECT_EQ(records.at(0).toObject()[u"MENGE"].toInt(), -42);
    EXPECT_EQ(records.at(0).toObject()[u"PREIS"].toDouble(), 1234.0);
    EXPECT_EQ(records.at(1).toObject()[u"NAME"].toString(), QString());
    EXPECT_TRUE(records.at(1).toObject()[u"MENGE"].isNull());
    EXPECT_EQ(records.at(2).toObject()[u"PREIS"].toInt(), 7);

    // And our own reader gives the same values back.
    DbaseTable table;
    ASSERT_TRUE(table.Open(path));
    ASSERT_EQ(table.RecordCount(), 3);
    ASSERT_TRUE(table.Go(1));
    EXPECT_EQ(table.FieldText(0), QStringLiteral("Müller € Söh"));
    EXPECT_EQ(table.FieldNumber(1), -42);
    EXPECT_EQ(table.FieldNumber(2), 1234);
    ASSERT_TRUE(table.Go(2));
    EXPECT_EQ(table.FieldText(0), QString(12, u' '));
    EXPECT_EQ(table.FieldNumber(1), 0);
}

TEST(DbaseTable, ReadsTableWrittenByAnotherTool)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fremd.dbf"));
    // Laid out byte by byte after the published dBASE III description, with a deleted record,
    // a date and a logical field and a header stamped 1999-12-31.
    RunPython(QStringLiteral(R"(
import struct, sys
fields = [(b'KUNDE', b'C', 20, 0), (b'BETRAG', b'N', 10, 2), (b'DATUM', b'D', 8, 0),
          (b'BEZAHLT', b'L', 1, 0)]
rows = [(' ', 'Österreich GmbH & Co', '    123.45', '20240131', 'T'),
        ('*', 'gelöscht', '      1.00', '20000101', 'F'),
        (' ', 'Zoë „Café“', '     -0.50', '        ', '?')]
reclen = 1 + sum(f[2] for f in fields)
hdrlen = 32 + 32 * len(fields) + 1
out = bytearray(struct.pack('<BBBBLHH20x', 3, 99, 12, 31, len(rows), hdrlen, reclen))
for name, typ, length, dec in fields:
    out += struct.pack('<11scLBB14x', name, typ, 0, length, dec)
out += b'\r'
for row in rows:
    rec = row[0].encode('ascii')
    for (name, typ, length, dec), value in zip(fields, row[1:]):
        rec += value.encode('cp1252').ljust(length, b' ')
    assert len(rec) == reclen
    out += rec
out += b'\x1a'
open(sys.argv[1], 'wb').write(out)
)"),
              {path});

    DbaseTable table;
    ASSERT_TRUE(table.Open(path)) << static_cast<int>(table.LastError());
    ASSERT_EQ(table.RecordCount(), 3);
    ASSERT_EQ(table.Fields().size(), 4);
    EXPECT_EQ(table.Fields().at(1).type, DbaseType::Numeric);
    EXPECT_EQ(table.Fields().at(1).decimals, 2);
    EXPECT_EQ(table.FieldIndex(QStringLiteral("Bezahlt")), 3);
    EXPECT_EQ(table.FieldIndex(QStringLiteral("FEHLT")), -1);

    struct Row
    {
        QString kunde;
        long long betrag;
        QString datum;
        QString bezahlt;
    };
    const Row expected[] = {
        {QStringLiteral("Österreich GmbH & Co"), 123, QStringLiteral("20240131"),
         QStringLiteral("T")},
        {QStringLiteral("gelöscht"), 1, QStringLiteral("20000101"), QStringLiteral("F")},
        {QStringLiteral("Zoë „Café“"), 0, QStringLiteral("        "), QStringLiteral("?")},
    };
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(table.Go(n));
        const Row& row = expected[n - 1];
        EXPECT_EQ(table.FieldText(0).trimmed(), row.kunde.left(20));
        EXPECT_EQ(table.FieldNumber(1), row.betrag);
        EXPECT_EQ(table.FieldText(2), row.datum);
        EXPECT_EQ(table.FieldText(3), row.bezahlt);
    }

    // Changing a foreign table keeps it readable for its own kind of reader.
    ASSERT_TRUE(table.Go(3));
    ASSERT_TRUE(table.AssignText(0, QStringLiteral("Zoë geändert")));
    ASSERT_TRUE(table.AppendStart());
    ASSERT_TRUE(table.AssignText(0, QStringLiteral("neu")));
    ASSERT_TRUE(table.AssignNumber(1, 5));
    ASSERT_TRUE(table.Append());
    table.Close();
    const QJsonObject dbf = ReadWithDbfread(path);
    EXPECT_EQ(dbf[u"count"].toInt(), 4);
    EXPECT_EQ(dbf[u"deleted"].toInt(), 1);
    const QJsonArray records = dbf[u"records"].toArray();
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records.at(1).toObject()[u"KUNDE"].toString(), QStringLiteral("Zoë geändert"));
    EXPECT_EQ(records.at(2).toObject()[u"KUNDE"].toString(), QStringLiteral("neu"));
    EXPECT_EQ(records.at(2).toObject()[u"BETRAG"].toDouble(), 5.0);
}

TEST(DbaseTable, ChangedRecordIsWrittenWhenMovingOnOrClosing)
{
    QTemporaryDir dir;
    const QString path = MakeTable(dir, 3);
    {
        DbaseTable table;
        ASSERT_TRUE(table.Open(path));
        ASSERT_TRUE(table.Go(2));
        ASSERT_TRUE(table.AssignText(0, QStringLiteral("zwei")));
        ASSERT_TRUE(table.Go(3));
        ASSERT_TRUE(table.AssignNumber(1, 33));
    } // closed by the destructor
    const QJsonArray records = ReadWithDbfread(path)[u"records"].toArray();
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records.at(0).toObject()[u"NAME"].toString(), QStringLiteral("Satz 1"));
    EXPECT_EQ(records.at(1).toObject()[u"NAME"].toString(), QStringLiteral("zwei"));
    EXPECT_EQ(records.at(2).toObject()[u"MENGE"].toInt(), 33);
}

TEST(DbaseTable, ZapRemovesRangeAndKeepsOrderOfTheRest)
{
    struct Case
    {
        int first;
        int last;
        bool ok;
        QList<int> remaining;
    };
    const Case cases[] = {
        {3, 5, true, {1, 2, 6, 7, 8, 9, 10}},
        {1, 1, true, {2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {8, 99, true, {1, 2, 3, 4, 5, 6, 7}}, // the end is cut to the record count
        {1, 10, true, {}},
        {11, 20, true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {6, 5, true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {0, 3, false, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        QTemporaryDir dir;
        const QString path = MakeTable(dir, 10);
        DbaseTable table;
        ASSERT_TRUE(table.Open(path));
        EXPECT_EQ(table.Zap(c.first, c.last), c.ok);
        EXPECT_EQ(table.RecordCount(), c.remaining.size());
        EXPECT_EQ(table.RecNo(), 0);
        EXPECT_FALSE(table.AssignText(0, QStringLiteral("x"))) << "no current record after zap";
        table.Close();

        EXPECT_EQ(ReadBytes(path).size(), kHeaderLength + c.remaining.size() * kRecordLength + 1);
        const QJsonArray records = ReadWithDbfread(path)[u"records"].toArray();
        QList<int> ids;
        for (const auto& r : records)
            ids.append(r.toObject()[u"MENGE"].toInt());
        EXPECT_EQ(ids, c.remaining);
    }
}

TEST(DbaseTable, ZapMovesTablesLargerThanOneChunk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.dbf"));
    DbaseTable table;
    ASSERT_TRUE(table.Create(path, {{QStringLiteral("ID"), DbaseType::Numeric, 10, 0},
                                    {QStringLiteral("TEXT"), DbaseType::Character, 200, 0}}));
    for (int i = 1; i <= 1500; ++i) {
        ASSERT_TRUE(table.AppendStart());
        ASSERT_TRUE(table.AssignNumber(0, i));
        ASSERT_TRUE(table.AssignText(1, QString(200, QChar(u'a' + i % 26))));
        ASSERT_TRUE(table.Append());
    }
    ASSERT_TRUE(table.Zap(1, 250));
    ASSERT_EQ(table.RecordCount(), 1250);
    for (int n = 1; n <= 1250; ++n) {
        ASSERT_TRUE(table.Go(n));
        ASSERT_EQ(table.FieldNumber(0), n + 250);
        ASSERT_EQ(table.FieldText(1), QString(200, QChar(u'a' + (n + 250) % 26)));
    }
}

TEST(DbaseTable, MisuseFailsWithoutTouchingTheFile)
{
    QTemporaryDir dir;
    const QString path = MakeTable(dir, 2);
    const QByteArray original = ReadBytes(path);

    DbaseTable table;
    EXPECT_EQ(table.RecordCount(), -1);
    EXPECT_FALSE(table.Go(1));
    EXPECT_EQ(table.LastError(), DbaseError::NotOpen);
    ASSERT_TRUE(table.Open(path));
    EXPECT_FALSE(table.AssignText(0, QStringLiteral("x")));
    EXPECT_EQ(table.LastError(), DbaseError::NoCurrentRecord);
    for (int n : {0, -1, 3, 1000}) {
        EXPECT_FALSE(table.Go(n)) << n;
        EXPECT_EQ(table.LastError(), DbaseError::NoSuchRecord);
        EXPECT_FALSE(table.AssignNumber(1, 9)) << "a failed go leaves no record to change";
    }
    EXPECT_EQ(table.FieldText(0), QString());
    ASSERT_TRUE(table.Go(1));
    EXPECT_FALSE(table.AssignText(3, QStringLiteral("x")));
    EXPECT_EQ(table.LastError(), DbaseError::NoSuchField);
    EXPECT_FALSE(table.AssignText(-1, QStringLiteral("x")));
    EXPECT_EQ(table.FieldText(7), QString());
    EXPECT_FALSE(table.Append()) << "append without AppendStart";
    table.Close();
    EXPECT_EQ(ReadBytes(path), original);

    // Create never replaces an existing file.
    EXPECT_FALSE(table.Create(path, kFields));
    EXPECT_EQ(table.LastError(), DbaseError::FileExists);
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_FALSE(table.Open(dir.filePath(QStringLiteral("fehlt.dbf"))));
    EXPECT_EQ(table.LastError(), DbaseError::CannotOpen);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("fehlt.dbf"))));
}

TEST(DbaseTable, CreateRefusesFieldListsDbaseCannotStore)
{
    const QList<QList<DbaseField>> bad = {
        {},
        {{QStringLiteral(""), DbaseType::Character, 5, 0}},
        {{QStringLiteral("ELFZEICHENXX"), DbaseType::Character, 5, 0}},
        {{QStringLiteral("klein"), DbaseType::Character, 5, 0}},
        {{QStringLiteral("1A"), DbaseType::Character, 5, 0}},
        {{QStringLiteral("A"), DbaseType::Character, 0, 0}},
        {{QStringLiteral("A"), DbaseType::Character, 255, 0}},
        {{QStringLiteral("A"), DbaseType::Numeric, 20, 0}},
        {{QStringLiteral("A"), DbaseType::Numeric, 5, 4}},
        {{QStringLiteral("A"), DbaseType::Date, 8, 0}},
        {{QStringLiteral("A"), DbaseType::Character, 5, 0},
         {QStringLiteral("A"), DbaseType::Numeric, 5, 0}},
    };
    QTemporaryDir dir;
    for (qsizetype i = 0; i < bad.size(); ++i) {
        const QString path = dir.filePath(QStringLiteral("f%1.dbf").arg(i));
        DbaseTable table;
        EXPECT_FALSE(table.Create(path, bad.at(i))) << i;
        EXPECT_EQ(table.LastError(), DbaseError::BadFieldList) << i;
        EXPECT_FALSE(QFile::exists(path)) << i;
    }
}

TEST(DbaseTable, RecordCountTurnsNegativeWhenTheFileIsBrokenOrGone)
{
    QTemporaryDir dir;
    const QString path = MakeTable(dir, 3);
    DbaseTable table;
    ASSERT_TRUE(table.Open(path));
    ASSERT_EQ(table.RecordCount(), 3);
    ASSERT_TRUE(QFile::resize(path, kHeaderLength + 2 * kRecordLength + 5));
    EXPECT_EQ(table.RecordCount(), -1);
    EXPECT_EQ(table.LastError(), DbaseError::BadSize);

    ASSERT_TRUE(table.Open(MakeTable(dir, 3, QStringLiteral("b.dbf"))));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("b.dbf"))));
    EXPECT_EQ(table.RecordCount(), -1);
}

TEST(DbaseTable, DamagedHeadersAreRefused)
{
    QTemporaryDir dir;
    const QByteArray valid = ReadBytes(MakeTable(dir, 3));
    auto with = [&](int at, QByteArray bytes) {
        return QByteArray(valid).replace(at, bytes.size(), bytes);
    };
    struct Case
    {
        const char* what;
        QByteArray bytes;
        DbaseError error;
    };
    const Case cases[] = {
        {"empty file", {}, DbaseError::BadHeader},
        {"short header", valid.left(20), DbaseError::BadHeader},
        {"unknown version", with(0, QByteArray(1, 0x02)), DbaseError::BadHeader},
        {"header length zero", with(8, QByteArray(2, 0)), DbaseError::BadHeader},
        {"header length past the end", with(8, QByteArray("\xFF\x7F")), DbaseError::BadHeader},
        {"record length zero", with(10, QByteArray(2, 0)), DbaseError::BadHeader},
        {"record length not the fields' sum", with(10, QByteArray("\x1C\x00", 2)),
         DbaseError::BadFields},
        {"field length zero", with(32 + 16, QByteArray(1, 0)), DbaseError::BadFields},
        {"unknown field type", with(32 + 11, QByteArray("X")), DbaseError::BadFields},
        {"empty field name", with(32, QByteArray(1, 0)), DbaseError::BadFields},
        {"no terminator", with(kHeaderLength - 1, QByteArray(1, 0)), DbaseError::BadFields},
        {"absurd record count", with(4, QByteArray("\xFF\xFF\xFF\xFF")), DbaseError::BadSize},
        {"count one too high", with(4, QByteArray("\x04\x00", 2)), DbaseError::BadSize},
        {"truncated last record", valid.left(valid.size() - 3), DbaseError::BadSize},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QStringLiteral("kaputt.dbf"));
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        DbaseTable table;
        EXPECT_FALSE(table.Open(path));
        EXPECT_EQ(table.LastError(), c.error);
        EXPECT_FALSE(table.IsOpen());
        EXPECT_EQ(table.RecordCount(), -1);
        EXPECT_EQ(ReadBytes(path), c.bytes) << "a refused file stays as it was";
    }
}

namespace {
// Everything a caller may do with an opened table; every step must stay inside the file.
void Exercise(DbaseTable& table)
{
    const int count = table.RecordCount();
    for (int n = 0; n <= count + 1; ++n) {
        table.Go(n);
        for (int f = -1; f <= table.Fields().size(); ++f) {
            table.FieldText(f);
            table.FieldNumber(f);
        }
    }
    table.Go(1);
    table.AssignText(0, QStringLiteral("geändert"));
    table.AssignNumber(table.Fields().size() - 1, 12345);
    table.AppendStart();
    table.AssignText(0, QStringLiteral("neu"));
    table.Append();
    table.AppendBlank();
    table.Zap(1, 1);
    table.Flush();
    table.Close();
}
} // namespace

TEST(DbaseTable, TruncatedFilesAreRefusedOrReadSafely)
{
    QTemporaryDir dir;
    const QByteArray valid = ReadBytes(MakeTable(dir, 5));
    const qsizetype recordsEnd = kHeaderLength + 5 * kRecordLength;
    const QString path = dir.filePath(QStringLiteral("kurz.dbf"));
    for (qsizetype length = 0; length < valid.size(); ++length) {
        SCOPED_TRACE(length);
        ASSERT_TRUE(WriteBytes(path, valid.left(length)));
        DbaseTable table;
        // Only the end marker may be missing.
        ASSERT_EQ(table.Open(path), length >= recordsEnd);
        if (table.IsOpen()) {
            Exercise(table);
            // Five records, one appended, one blank appended, one zapped.
            ASSERT_TRUE(table.Open(path)) << "our writes keep the table whole";
            EXPECT_EQ(table.RecordCount(), 6);
        } else {
            EXPECT_EQ(ReadBytes(path), valid.left(length));
        }
    }
}

TEST(DbaseTable, CorruptedFilesAreRefusedOrReadSafely)
{
    QTemporaryDir dir;
    const QByteArray valid = ReadBytes(MakeTable(dir, 5));
    const QString path = dir.filePath(QStringLiteral("kaputt.dbf"));
    int opened = 0;
    int refused = 0;
    auto check = [&](const QByteArray& bytes) {
        ASSERT_TRUE(WriteBytes(path, bytes));
        DbaseTable table;
        if (!table.Open(path)) {
            ++refused;
            EXPECT_NE(table.LastError(), DbaseError::None);
            EXPECT_EQ(ReadBytes(path), bytes);
            return;
        }
        ++opened;
        const qsizetype size = bytes.size();
        Exercise(table);
        // One record appended and one zapped: the file never grows by more than a record.
        EXPECT_LE(ReadBytes(path).size(), size + kRecordLength);
        EXPECT_TRUE(table.Open(path)) << "our writes keep the table whole";
    };

    // Every bit of the header and the first record, one at a time.
    for (int at = 0; at < kHeaderLength + kRecordLength; ++at) {
        for (int bit = 0; bit < 8; ++bit) {
            QByteArray bytes = valid;
            bytes[at] = static_cast<char>(bytes.at(at) ^ (1 << bit));
            check(bytes);
        }
    }
    // Bytes set to their extremes anywhere in the file.
    for (int at = 0; at < valid.size(); ++at) {
        for (char value : {'\0', '\xFF', '\x0D', '\x1A'}) {
            QByteArray bytes = valid;
            bytes[at] = value;
            check(bytes);
        }
    }
    // Several random bytes at once, from a fixed seed so a failure repeats.
    std::mt19937 random(20240131);
    std::uniform_int_distribution<int> position(0, static_cast<int>(valid.size()) - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = valid;
        for (int k = 0; k < 1 + round % 6; ++k)
            bytes[position(random)] = static_cast<char>(byte(random));
        check(bytes);
    }
    EXPECT_GT(opened, 0);
    EXPECT_GT(refused, 0);
}
