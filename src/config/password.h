#pragma once
// Passwords in configuration files are kept scrambled, followed by the marker "!¿!".

#include <QString>

namespace fakvo {

// The marker that tells a scrambled password from one typed into the file by hand.
QString PasswordMarker();

// Plain text of 1 to 100 characters to lower-case hex pairs; any other length gives "".
QString ScramblePassword(const QString& plain);

// Hex pairs (at most 200 characters) back to plain text; unreadable input gives "".
QString UnscramblePassword(const QString& scrambled);

// A value as read from the file: with the marker anywhere, the markers are removed and the
// rest unscrambled; without it the value is the plain password.
QString PasswordFromFileValue(const QString& value);

// The value written to the file: scrambled plus marker, or empty for an empty password.
QString PasswordToFileValue(const QString& plain);

} // namespace fakvo
