#pragma once
// Faktavo's own dBASE III table files: the small local tables of each workstation (working
// settings, application log). The files keep the standard layout, so any dBASE reader opens
// them: a 32-byte header (version 0x03, date of the last update, record count, header and
// record length), one 32-byte descriptor per field, the terminator 0x0D, then the records,
// each a deletion flag followed by the fields, and the end marker 0x1A. Text is stored in
// Windows-1252.
//
// The table keeps the file open and one current record in memory. Assignments change the
// current record; it is written when the table moves to another record, appends, flushes or
// closes. A file that does not hold together (short header, bad descriptors, record length
// that does not fit the fields, fewer records than the header counts) is refused when
// opened; no operation ever writes outside the header and the records the file holds.

#include <QFile>
#include <QList>
#include <QString>

namespace fakvo {

enum class DbaseType : char
{
    Character = 'C',
    Numeric = 'N',
    Date = 'D',
    Logical = 'L',
    Float = 'F',
    Memo = 'M',
};

struct DbaseField
{
    QString name; // 1 to 10 characters A-Z, 0-9, '_'
    DbaseType type = DbaseType::Character;
    int length = 1;
    int decimals = 0;
};

enum class DbaseError
{
    None,
    NotOpen,
    FileExists,   // create refuses to replace a file
    CannotCreate, // the file could not be created or written
    CannotOpen,   // missing or unreadable file
    BadHeader,    // short file, unknown version, impossible lengths
    BadFields,    // field descriptors that do not describe the records
    BadSize,      // the file holds fewer records than its header counts
    BadFieldList, // a field list given to Create that dBASE III cannot store
    NoSuchRecord, // record number outside 1 .. record count
    NoSuchField,  // field index outside the table's fields
    NoCurrentRecord,
    ReadFailed,
    WriteFailed,
};

class DbaseTable
{
public:
    DbaseTable() = default;
    ~DbaseTable();
    DbaseTable(const DbaseTable&) = delete;
    DbaseTable& operator=(const DbaseTable&) = delete;

    // Creates a table without records and leaves it open. An existing file is never replaced.
    bool Create(const QString& path, const QList<DbaseField>& fields);
    // Opens an existing table for reading and writing.
    bool Open(const QString& path);
    // Writes the current record when it changed and closes the file.
    void Close();

    bool IsOpen() const { return file_.isOpen(); }
    QString Path() const { return path_; }
    DbaseError LastError() const { return error_; }

    // The number of records, read anew from the header and checked against the file's size;
    // -1 when the table is not open, its file has gone or it no longer holds together.
    int RecordCount();

    // Makes record n (1-based) current. On failure there is no current record.
    bool Go(int n);
    // The current record's number, 0 when there is none.
    int RecNo() const { return current_; }

    const QList<DbaseField>& Fields() const { return fields_; }
    // Index of the field named `name` (any case), or -1.
    int FieldIndex(const QString& name) const;

    // The field's text as stored, blanks included, up to the first NUL byte; empty when
    // there is no current record or no such field.
    QString FieldText(int field) const;
    // The field read as an integer by NumberFromText.
    long long FieldNumber(int field) const;
    // A number read from text the way atol reads it: leading blanks, a sign, the digits up to
    // the first other character; 0 when there are none.
    static long long NumberFromText(const QString& text);

    // Character fields take the text left-aligned and blank-padded, cut at the field length;
    // numeric fields right-aligned, and '*' throughout when it does not fit.
    bool AssignText(int field, const QString& text);
    // The value right-aligned with the field's decimals; '*' throughout when it does not fit.
    bool AssignNumber(int field, long long value);

    // Starts a new record in memory with every field blank; fill it with the Assign calls
    // and write it with Append.
    bool AppendStart();
    // Appends the record assembled since AppendStart; it becomes the current record.
    bool Append();
    // Appends a record with every field blank; it becomes the current record.
    bool AppendBlank();

    // Writes the current record when changed and hands the file's buffers to the system.
    bool Flush();

    // Removes records first .. last (last is cut to the record count); the others keep their
    // order. Afterwards there is no current record.
    bool Zap(int first, int last);

private:
    bool Fail(DbaseError error);
    bool ReadHeader();
    bool WriteHeader();
    bool WriteCurrent();
    bool AppendRecord(const QByteArray& record);
    QByteArray BlankRecord() const;
    qint64 RecordOffset(qint64 n) const;

    QFile file_;
    QString path_;
    QList<DbaseField> fields_;
    QList<int> offsets_; // each field's offset inside a record (after the deletion flag)
    int headerLength_ = 0;
    int recordLength_ = 0;
    qint64 count_ = 0;
    int current_ = 0;
    bool changed_ = false;
    bool appending_ = false;
    QByteArray record_;
    DbaseError error_ = DbaseError::None;
};

} // namespace fakvo
