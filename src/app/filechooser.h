#pragma once
// The file dialogs of the window layer behind one seam: the application shows the system's
// dialog, tests install scripted answers.

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace fakvo {

struct FileRequest
{
    enum class Kind
    {
        Open,
        Save,
    };
    Kind kind = Kind::Open;
    QString title;
    QString folder;   // where the dialog starts
    QString proposal; // the proposed file name (save dialogs)
    QString filter;   // "FVR Dateien (*.FVR)"
};

// The chosen path, or none when the user cancelled.
std::optional<QString> ChooseFile(QWidget* parent, const FileRequest& request);

using FileChooser = std::function<std::optional<QString>(const FileRequest& request)>;

// Installs a chooser in place of the dialogs and returns the previous one (empty: dialogs).
FileChooser SetFileChooser(FileChooser chooser);

} // namespace fakvo
