#pragma once
// File helpers that stand in for the operating system's file services.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace fakvo {

// Writes the bytes to a temporary file in the target's folder and renames it over the
// target, so a crash or a full disk never leaves a half-written file. Returns false (and
// leaves the old file untouched) when any step fails.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Copies every regular file directly in `fromDir` into `toDir` (created when missing),
// overwriting files of the same name. Returns false when a copy failed.
bool CopyFolderFiles(const QString& fromDir, const QString& toDir);

// Finds a subfolder of `parent` whatever the case of its name ("Sql" finds "SQL").
// Returns the existing folder's path, or parent/name when there is none.
QString FindFolderAnyCase(const QString& parent, const QString& name);

// Opens a file in the user's plain-text editor: $VISUAL, else $EDITOR, else xdg-open.
// Returns false when nothing could be started.
bool OpenInTextEditor(const QString& path);

// Opens a file or address with the desktop's associated program (xdg-open).
bool OpenWithDesktop(const QString& fileOrUrl);

} // namespace fakvo
