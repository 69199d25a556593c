#include "dbasetable.h"

#include "codec.h"

#include <QDate>

#include <algorithm>
#include <array>
#include <climits>
#include <string_view>

namespace fakvo {
namespace {

constexpr int kHeaderSize = 32;
constexpr int kDescriptorSize = 32;
constexpr char kHeaderEnd = 0x0D;
constexpr char kFileEnd = 0x1A;
// The Windows ANSI language driver mark, so readers that honour it pick Windows-1252.
constexpr char kLanguageDriverAnsi = 0x03;

// dBASE III limits for the tables we create.
constexpr int kMaxCreateFields = 128;
constexpr int kMaxCharacterLength = 254;
constexpr int kMaxNumericLength = 19;
constexpr int kMaxRecordLength = 4000;

// Versions whose header, descriptors and records share the dBASE III layout: dBASE III/IV/V
// with and without memo, FoxPro and Visual FoxPro. Memo contents are not read.
bool KnownVersion(unsigned char version)
{
    constexpr std::array<unsigned char, 9> kVersions = {0x03, 0x04, 0x05, 0x30, 0x31,
                                                        0x83, 0x8B, 0xCB, 0xF5};
    return std::find(kVersions.begin(), kVersions.end(), version) != kVersions.end();
}

bool KnownType(char type)
{
    return type != '\0' && std::string_view("CNDLFM").find(type) != std::string_view::npos;
}

unsigned int ReadUint(const QByteArray& bytes, int at, int size)
{
    unsigned int value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

void PutUint(QByteArray& bytes, int at, unsigned int value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Last-update date and record count: header bytes 1 to 7.
QByteArray DateAndCount(qint64 count)
{
    const QDate today = QDate::currentDate();
    QByteArray bytes(7, '\0');
    bytes[0] = static_cast<char>(std::clamp(today.year() - 1900, 0, 255));
    bytes[1] = static_cast<char>(today.month());
    bytes[2] = static_cast<char>(today.day());
    PutUint(bytes, 3, static_cast<unsigned int>(count), 4);
    return bytes;
}

bool ValidName(const QString& name)
{
    if (name.isEmpty() || name.size() > 10 ||
        !(name.at(0).isLetter() && name.at(0).unicode() < 0x80))
        return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
    });
}

bool ValidFieldList(const QList<DbaseField>& fields)
{
    if (fields.isEmpty() || fields.size() > kMaxCreateFields)
        return false;
    int recordLength = 1;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const DbaseField& f = fields.at(i);
        if (!ValidName(f.name))
            return false;
        for (qsizetype j = 0; j < i; ++j) {
            if (fields.at(j).name == f.name)
                return false;
        }
        if (f.type == DbaseType::Character) {
            if (f.length < 1 || f.length > kMaxCharacterLength || f.decimals != 0)
                return false;
        } else if (f.type == DbaseType::Numeric) {
            if (f.length < 1 || f.length > kMaxNumericLength || f.decimals < 0 ||
                (f.decimals > 0 && f.decimals > f.length - 2))
                return false;
        } else {
            return false;
        }
        recordLength += f.length;
    }
    return recordLength <= kMaxRecordLength;
}

// Right-aligns `digits` in a field of `length` bytes; a value that does not fit becomes '*'
// throughout, as dBASE shows an overflowing number.
QByteArray RightAligned(const QByteArray& digits, int length)
{
    if (digits.size() > length)
        return QByteArray(length, '*');
    return QByteArray(length - digits.size(), ' ') + digits;
}

} // namespace

DbaseTable::~DbaseTable()
{
    Close();
}

bool DbaseTable::Fail(DbaseError error)
{
    error_ = error;
    return false;
}

qint64 DbaseTable::RecordOffset(qint64 n) const
{
    return headerLength_ + (n - 1) * recordLength_;
}

QByteArray DbaseTable::BlankRecord() const
{
    return QByteArray(recordLength_, ' ');
}

bool DbaseTable::Create(const QString& path, const QList<DbaseField>& fields)
{
    Close();
    if (!ValidFieldList(fields))
        return Fail(DbaseError::BadFieldList);

    int recordLength = 1;
    for (const DbaseField& f : fields)
        recordLength += f.length;
    const int headerLength = kHeaderSize + kDescriptorSize * static_cast<int>(fields.size()) + 1;

    QByteArray header(headerLength, '\0');
    header[0] = 0x03;
    header.replace(1, 7, DateAndCount(0));
    PutUint(header, 8, static_cast<unsigned int>(headerLength), 2);
    PutUint(header, 10, static_cast<unsigned int>(recordLength), 2);
    header[29] = kLanguageDriverAnsi;
    int at = kHeaderSize;
    for (const DbaseField& f : fields) {
        header.replace(at, f.name.size(), f.name.toLatin1());
        header[at + 11] = static_cast<char>(f.type);
        header[at + 16] = static_cast<char>(f.length);
        header[at + 17] = static_cast<char>(f.decimals);
        at += kDescriptorSize;
    }
    header[at] = kHeaderEnd;
    header.append(kFileEnd);

    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered))
        return Fail(QFile::exists(path) ? DbaseError::FileExists : DbaseError::CannotCreate);
    if (file_.write(header) != header.size()) {
        file_.close();
        QFile::remove(path);
        return Fail(DbaseError::CannotCreate);
    }

    path_ = path;
    fields_ = fields;
    offsets_.clear();
    int offset = 1;
    for (const DbaseField& f : fields) {
        offsets_.append(offset);
        offset += f.length;
    }
    headerLength_ = headerLength;
    recordLength_ = recordLength;
    count_ = 0;
    current_ = 0;
    changed_ = false;
    appending_ = false;
    record_.clear();
    error_ = DbaseError::None;
    return true;
}

bool DbaseTable::Open(const QString& path)
{
    Close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return Fail(DbaseError::CannotOpen);
    path_ = path;
    if (!ReadHeader()) {
        const DbaseError error = error_;
        file_.close();
        path_.clear();
        return Fail(error);
    }
    current_ = 0;
    changed_ = false;
    appending_ = false;
    record_.clear();
    error_ = DbaseError::None;
    return true;
}

bool DbaseTable::ReadHeader()
{
    const qint64 fileSize = file_.size();
    if (fileSize < kHeaderSize + 1 || !file_.seek(0))
        return Fail(DbaseError::BadHeader);
    const QByteArray fixed = file_.read(kHeaderSize);
    if (fixed.size() != kHeaderSize || !KnownVersion(static_cast<unsigned char>(fixed.at(0))))
        return Fail(DbaseError::BadHeader);
    const qint64 count = ReadUint(fixed, 4, 4);
    const int headerLength = static_cast<int>(ReadUint(fixed, 8, 2));
    const int recordLength = static_cast<int>(ReadUint(fixed, 10, 2));
    if (headerLength < kHeaderSize + kDescriptorSize + 1 || headerLength > fileSize ||
        recordLength < 2)
        return Fail(DbaseError::BadHeader);

    if (!file_.seek(0))
        return Fail(DbaseError::BadHeader);
    const QByteArray header = file_.read(headerLength);
    if (header.size() != headerLength)
        return Fail(DbaseError::BadHeader);

    QList<DbaseField> fields;
    QList<int> offsets;
    int at = kHeaderSize;
    int offset = 1;
    while (at < headerLength && header.at(at) != kHeaderEnd) {
        if (at + kDescriptorSize > headerLength)
            return Fail(DbaseError::BadFields);
        const QByteArray rawName = header.mid(at, 11);
        const qsizetype nul = rawName.indexOf('\0');
        const QByteArray name = nul < 0 ? rawName : rawName.left(nul);
        const bool printable =
            std::all_of(name.begin(), name.end(), [](char c) { return c > 0x20 && c < 0x7F; });
        DbaseField field;
        field.length = static_cast<unsigned char>(header.at(at + 16));
        field.decimals = static_cast<unsigned char>(header.at(at + 17));
        const char type = header.at(at + 11);
        if (name.isEmpty() || !printable || !KnownType(type) || field.length == 0)
            return Fail(DbaseError::BadFields);
        field.name = QString::fromLatin1(name);
        field.type = static_cast<DbaseType>(type);
        fields.append(field);
        offsets.append(offset);
        offset += field.length;
        at += kDescriptorSize;
    }
    if (at >= headerLength || fields.isEmpty() || offset != recordLength)
        return Fail(DbaseError::BadFields);
    if (count > INT_MAX || (fileSize - headerLength) / recordLength < count)
        return Fail(DbaseError::BadSize);

    fields_ = fields;
    offsets_ = offsets;
    headerLength_ = headerLength;
    recordLength_ = recordLength;
    count_ = count;
    return true;
}

void DbaseTable::Close()
{
    if (!file_.isOpen())
        return;
    WriteCurrent();
    file_.close();
    path_.clear();
    fields_.clear();
    offsets_.clear();
    record_.clear();
    count_ = 0;
    current_ = 0;
    changed_ = false;
    appending_ = false;
}

int DbaseTable::RecordCount()
{
    if (!file_.isOpen()) {
        error_ = DbaseError::NotOpen;
        return -1;
    }
    // A file removed or replaced behind the table's back would swallow every later write.
    if (!QFile::exists(path_)) {
        error_ = DbaseError::CannotOpen;
        return -1;
    }
    if (!file_.seek(4)) {
        error_ = DbaseError::ReadFailed;
        return -1;
    }
    const QByteArray bytes = file_.read(4);
    if (bytes.size() != 4) {
        error_ = DbaseError::ReadFailed;
        return -1;
    }
    const qint64 count = ReadUint(bytes, 0, 4);
    if (count > INT_MAX || (file_.size() - headerLength_) / recordLength_ < count) {
        error_ = DbaseError::BadSize;
        return -1;
    }
    count_ = count;
    if (current_ > count_) {
        current_ = 0;
        changed_ = false;
    }
    return static_cast<int>(count_);
}

bool DbaseTable::Go(int n)
{
    if (!file_.isOpen())
        return Fail(DbaseError::NotOpen);
    if (!WriteCurrent())
        return false;
    appending_ = false;
    current_ = 0;
    if (n < 1 || n > count_)
        return Fail(DbaseError::NoSuchRecord);
    if (!file_.seek(RecordOffset(n)))
        return Fail(DbaseError::ReadFailed);
    const QByteArray record = file_.read(recordLength_);
    if (record.size() != recordLength_)
        return Fail(DbaseError::ReadFailed);
    record_ = record;
    current_ = n;
    return true;
}

int DbaseTable::FieldIndex(const QString& name) const
{
    for (qsizetype i = 0; i < fields_.size(); ++i) {
        if (fields_.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

QString DbaseTable::FieldText(int field) const
{
    if ((current_ == 0 && !appending_) || field < 0 || field >= fields_.size())
        return {};
    QByteArray bytes = record_.mid(offsets_.at(field), fields_.at(field).length);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return FromCp1252(bytes);
}

long long DbaseTable::FieldNumber(int field) const
{
    return NumberFromText(FieldText(field));
}

long long DbaseTable::NumberFromText(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    long long value = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i) {
        const int digit = text.at(i).unicode() - u'0';
        if (value > (LLONG_MAX - digit) / 10)
            return negative ? LLONG_MIN : LLONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

bool DbaseTable::AssignText(int field, const QString& text)
{
    if (!file_.isOpen())
        return Fail(DbaseError::NotOpen);
    if (current_ == 0 && !appending_)
        return Fail(DbaseError::NoCurrentRecord);
    if (field < 0 || field >= fields_.size())
        return Fail(DbaseError::NoSuchField);
    const DbaseField& f = fields_.at(field);
    QByteArray bytes;
    if (f.type == DbaseType::Numeric || f.type == DbaseType::Float) {
        bytes = RightAligned(ToCp1252(text.trimmed()), f.length);
    } else {
        bytes = ToCp1252(text).left(f.length);
        bytes.append(QByteArray(f.length - bytes.size(), ' '));
    }
    record_.replace(offsets_.at(field), f.length, bytes);
    changed_ = current_ > 0;
    return true;
}

bool DbaseTable::AssignNumber(int field, long long value)
{
    if (!file_.isOpen())
        return Fail(DbaseError::NotOpen);
    if (current_ == 0 && !appending_)
        return Fail(DbaseError::NoCurrentRecord);
    if (field < 0 || field >= fields_.size())
        return Fail(DbaseError::NoSuchField);
    const DbaseField& f = fields_.at(field);
    QByteArray digits = QByteArray::number(value);
    if (f.decimals > 0)
        digits += '.' + QByteArray(f.decimals, '0');
    record_.replace(offsets_.at(field), f.length, RightAligned(digits, f.length));
    changed_ = current_ > 0;
    return true;
}

bool DbaseTable::WriteCurrent()
{
    if (!changed_ || current_ == 0)
        return true;
    changed_ = false;
    if (!file_.seek(RecordOffset(current_)) || file_.write(record_) != record_.size())
        return Fail(DbaseError::WriteFailed);
    return WriteHeader();
}

bool DbaseTable::WriteHeader()
{
    const QByteArray bytes = DateAndCount(count_);
    if (!file_.seek(1) || file_.write(bytes) != bytes.size())
        return Fail(DbaseError::WriteFailed);
    return true;
}

bool DbaseTable::AppendStart()
{
    if (!file_.isOpen())
        return Fail(DbaseError::NotOpen);
    if (!WriteCurrent())
        return false;
    current_ = 0;
    record_ = BlankRecord();
    appending_ = true;
    return true;
}

bool DbaseTable::Append()
{
    if (!file_.isOpen())
        return Fail(DbaseError::NotOpen);
    if (!appending_)
        return Fail(DbaseError::NoCurrentRecord);
    return AppendRecord(record_);
}

bool DbaseTable::AppendBlank()
{
    if (!file_.isOpen())
        return Fail(DbaseError::NotOpen);
    if (!WriteCurrent())
        return false;
    return AppendRecord(BlankRecord());
}

bool DbaseTable::AppendRecord(const QByteArray& record)
{
    appending_ = false;
    current_ = 0;
    if (count_ >= INT_MAX)
        return Fail(DbaseError::WriteFailed);
    // The record and the end marker first, the count last: an interrupted append leaves the
    // table as it was.
    const QByteArray bytes = record + kFileEnd;
    if (!file_.seek(RecordOffset(count_ + 1)) || file_.write(bytes) != bytes.size())
        return Fail(DbaseError::WriteFailed);
    ++count_;
    if (!WriteHeader()) {
        --count_;
        return false;
    }
    record_ = record;
    current_ = static_cast<int>(count_);
    changed_ = false;
    return true;
}

bool DbaseTable::Flush()
{
    if (!file_.isOpen())
        return Fail(DbaseError::NotOpen);
    if (!WriteCurrent())
        return false;
    if (!file_.flush())
        return Fail(DbaseError::WriteFailed);
    return true;
}

bool DbaseTable::Zap(int first, int last)
{
    if (!file_.isOpen())
        return Fail(DbaseError::NotOpen);
    if (!WriteCurrent())
        return false;
    current_ = 0;
    appending_ = false;
    if (first < 1)
        return Fail(DbaseError::NoSuchRecord);
    const qint64 end = std::min<qint64>(last, count_);
    if (first > end)
        return true;

    // Move the records behind the range forward in chunks of about 64 KB.
    const qint64 chunk = std::max<qint64>(1, 65536 / recordLength_);
    qint64 to = first;
    for (qint64 from = end + 1; from <= count_;) {
        const qint64 n = std::min(chunk, count_ - from + 1);
        if (!file_.seek(RecordOffset(from)))
            return Fail(DbaseError::ReadFailed);
        const QByteArray block = file_.read(n * recordLength_);
        if (block.size() != n * recordLength_)
            return Fail(DbaseError::ReadFailed);
        if (!file_.seek(RecordOffset(to)) || file_.write(block) != block.size())
            return Fail(DbaseError::WriteFailed);
        from += n;
        to += n;
    }
    count_ -= end - first + 1;
    const qint64 newEnd = RecordOffset(count_ + 1);
    if (!file_.seek(newEnd) || file_.write(QByteArray(1, kFileEnd)) != 1 ||
        !file_.resize(newEnd + 1))
        return Fail(DbaseError::WriteFailed);
    return WriteHeader();
}

} // namespace fakvo
