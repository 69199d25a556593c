#pragma once
// How texts are written into Internet mail header fields (RFC 5322, RFC 2047, RFC 2231).
// Header fields are 7-bit: printable ASCII stays as it is, anything else is carried in
// encoded words or encoded parameter values in UTF-8, so any text survives the trip.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace fakvo::mime {

// An unstructured field value such as a subject. Control characters become blanks.
QByteArray EncodeText(const QString& text);

// A mailbox: the friendly name (written as given when it is a plain phrase, quoted when it
// holds special characters, encoded when it is not ASCII) followed by "<address>".
QByteArray EncodeMailbox(const QString& name, const QString& address);

// A parameter "; attribute=value" for a content type or disposition: a token as it is,
// other ASCII as a quoted string, anything else as "attribute*=UTF-8''..." split into
// numbered sections when long.
QByteArray EncodeParameter(const QByteArray& attribute, const QString& value);

// The date and time as "Tue, 04 Jun 2024 10:12:13 +0200".
QByteArray FormatDate(const QDateTime& time);

// Folds a complete header line ("Name: value", without CR LF) at blanks outside quoted
// strings so that lines stay within 78 characters where the text allows; folded lines are
// joined with CR LF and start with the blank they were folded at.
QByteArray FoldLine(const QByteArray& line);

// Whether the address can go into a header field and an SMTP command as it is: printable
// ASCII without blanks, angle brackets, commas, semicolons or quotes.
bool IsPlainAddress(const QString& address);

} // namespace fakvo::mime
