#pragma once
// The record dialog "Datensatz - Bearbeiten-Anfügen-Löschen" (`CDatenSatz`): one row of the
// address or the product table in a property grid, one grid row per column labelled with the
// column's name, type and size ("[AUTOWERT]" for the columns the database fills, which stay
// read-only). "Ändern - F4" writes the row back, "Anfügen - F2" appends it as a new row,
// "Löschen - F8" deletes it after asking; Tab and cursor down go to the next grid row, cursor
// up to the previous one.
//
// A write that fails keeps the dialog open with the values as typed, so nothing typed is lost;
// the caller reads ChangedId() or AppendedId() after the dialog closed and shows that record.

#include "storage/recordeditor.h"

#include <QDialog>
#include <QStringList>

class QTableWidget;

namespace fakvo {

class CDatenSatz : public QDialog
{
    Q_OBJECT
public:
    // Opens on the record with this id (0: none, an empty grid for appending).
    CDatenSatz(RecordEditor editor, long long recordId, QWidget* parent = nullptr);

    // The caption for each table set.
    static QString CaptionOf(TableSet set);

    long long ChangedId() const { return m_changedId; }
    long long AppendedId() const { return m_appendedId; }
    bool Deleted() const { return m_deleted; }

    // The grid values, as they will be written (backslash-n as CR LF).
    QStringList Values() const;

    // The buttons' actions.
    void ReadFields();  // "Felder einlesen"
    void ClearFields(); // "Felder leeren"
    void Change();      // "Ändern - F4"
    void Append();      // "Anfügen - F2"
    void Delete();      // "Löschen - F8"

    QTableWidget* Grid() const { return m_grid; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Fill(const RecordFields& fields);
    void CommitEdit();
    // Closes the dialog after a write that returned an id.
    void Written(long long id, long long* target);

    RecordEditor m_editor;
    long long m_recordId = 0;
    QStringList m_names;
    QStringList m_types;
    QTableWidget* m_grid = nullptr;
    long long m_changedId = 0;
    long long m_appendedId = 0;
    bool m_deleted = false;
    bool m_shownOnce = false;
};

} // namespace fakvo
