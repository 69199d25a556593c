#pragma once
// The log viewer "Protokoll": the application log of this workstation and profile, newest
// entries first, with "Drucken" and "Abbrechen".

#include <QDialog>

#include <functional>

namespace fakvo {

class CProtokoll : public QDialog
{
    Q_OBJECT
public:
    // `print` prints the shown lines; it reports its own failures.
    CProtokoll(const QString& text, std::function<void(const QString&)> print,
               QWidget* parent = nullptr);
};

} // namespace fakvo
