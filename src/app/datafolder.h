#pragma once
// Where Faktavo keeps its data: the data folder and its subfolders, the start data a new data
// folder is made from, and the identity of this workstation.

#include "platform/workstation.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace fakvo {

// The data folder (ending in '/'): the current folder when it holds a DocData folder, else
// the folder Fakvo in the user's home.
QString ChooseDataFolder(const QString& currentDir, const QString& homeDir);

// The start data shipped with the program: StartDat beside the executable (any case), else
// the installed share folder, else the source tree's copy for a build that runs in place.
QString FindStartData(const QString& applicationDir);

// Fills a new data folder from the start data: its files, the files of DocData, SQL,
// Vorlagen and Hilfe. Existing files are overwritten. False when a copy failed.
bool FillNewDataFolder(const QString& startData, const QString& dataFolder);

// Creates the working subfolders where missing. Returns the messages for the folders that
// could not be created ("Fehler:Das Verzeichnis '%s' kann nicht ertellt werden!").
QStringList CreateDataSubfolders(const QString& dataFolder, bool serverMode);

// The per-workstation file stem: eight hex digits, a point and two more from the adapter's
// hardware address (bytes 1, 2, 3, 5 and 6); "Fakvotmp.db" without an adapter; in network
// mode the computer name followed by ".xx" when that name has at most 30 characters.
QString WorkstationFileStem(const std::optional<HardwareAddress>& address, bool networkMode,
                            const QString& computerName);

} // namespace fakvo
