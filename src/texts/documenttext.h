#pragma once
// The message text of SMS, e-mails, letters and receipts: its file in DocData (named by the
// journal id), loading it into the text the renderer prints, and the position of the
// signature marker in letters and reminders.

#include "app/model/documenttype.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace fakvo {

struct Configuration;

// The folder of the text files: DocData in the data folder (found whatever its case); in
// server mode the client's subfolder of it, named by the client number in eight digits.
// Ends in '/'.
QString DocumentTextFolder(const Configuration& config);

// "%07dS.TXT" for SMS, "%07dE.TXT" for e-mails, "%07dB.TXT" for letters, "%07dX.TXT" for
// receipts, with the journal id; none for types that keep no text file.
std::optional<QString> DocumentTextFileName(DocumentType type, int journalId);

// The path of a file in the text folder. None for a name that could lead elsewhere: empty,
// "." or "..", or holding a '/' or '\\'.
std::optional<QString> DocumentTextPath(const Configuration& config, const QString& fileName);

// Writes the document's text file, replacing an existing one: one line per line of `text`
// (CR LF or LF), each ending in CR LF, in Windows-1252. False when the type keeps no text
// file or the file cannot be written.
bool WriteDocumentText(const Configuration& config, DocumentType type, int journalId,
                       const QString& text);

// Where the signature of a letter goes for its text line `line` (counted from 1):
// page × 1000 + line within that page, with BRIEFTEXTZEILEN lines on the first page and on
// each following page (38 and 58 when a count is missing or below 1). 0 stays 0.
int LetterSignaturePosition(int line, const Configuration& config);

struct DocumentText
{
    QString text;              // the trimmed lines joined by CR LF, without leading or
                               // trailing empty lines
    int lineCount = 0;         // lines of `text`
    int signaturePosition = 0; // letters: page × 1000 + line; reminders: the line; else 0
    // Set when the document's text file could not be read; the text is then empty.
    std::optional<QString> failure;
};

// The text of a letter, e-mail, SMS, receipt or reminder. With a journal id the text comes
// from the document's text file (types without one take `givenText`), else from `givenText`.
// Every line is trimmed; for letters and reminders the last line holding "[[UNTERSCHRIFT]]" or
// "!!UNTERSCHRIFT" marks the signature, counted in the returned text's lines so the printed
// page and the marker agree.
DocumentText LoadDocumentText(const Configuration& config, DocumentType type,
                              std::optional<int> journalId, const QString& givenText);

// The lines of a text as typed (CR LF or LF between lines), without a last empty line after a
// final line break.
QStringList SplitTextLines(const QString& text);

} // namespace fakvo
