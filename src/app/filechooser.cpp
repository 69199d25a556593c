#include "app/filechooser.h"

#include <QDir>
#include <QFileDialog>

namespace fakvo {
namespace {

FileChooser& Installed()
{
    static FileChooser chooser;
    return chooser;
}

} // namespace

std::optional<QString> ChooseFile(QWidget* parent, const FileRequest& request)
{
    if (Installed())
        return Installed()(request);
    const QString start = request.proposal.isEmpty()
                              ? request.folder
                              : QDir(request.folder).filePath(request.proposal);
    const QString path =
        request.kind == FileRequest::Kind::Open
            ? QFileDialog::getOpenFileName(parent, request.title, start, request.filter)
            : QFileDialog::getSaveFileName(parent, request.title, start, request.filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

FileChooser SetFileChooser(FileChooser chooser)
{
    FileChooser previous = std::move(Installed());
    Installed() = std::move(chooser);
    return previous;
}

} // namespace fakvo
