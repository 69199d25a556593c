#pragma once
// The settings sheet "Einstellungen": one tab per page, each field editing one key. Run it
// inside the configuration's change transaction; on OK, WriteOpenedPages puts the values of
// every page that was opened into the line list (pages never opened write nothing).

#include "config/configuration.h"
#include "config/settingspages.h"

#include <QDialog>
#include <QHash>
#include <QSet>

#include <functional>

class QTabWidget;

namespace fakvo {

// Where the choosers get their lists; empty lists until a database layer is wired in.
struct SettingsCatalog
{
    std::function<QStringList()> dataSources;
    // Tables of a table set, for the data source, user and password typed on the page.
    std::function<QStringList(TableSet, const QString& dataSource, const QString& user,
                              const QString& password)>
        tables;
    std::function<QStringList(TableSet)> columns;
};

class CEinstellungen : public QDialog
{
    Q_OBJECT
public:
    CEinstellungen(const Configuration& config, SettingsCatalog catalog, QWidget* parent = nullptr);

    void WriteOpenedPages(Configuration& config) const;

    // For tests and the choosers: the value a field holds now, and setting it.
    QString FieldValue(const QString& key, int piece = 0) const;
    void SetFieldValue(const QString& key, const QString& value, int piece = 0);
    void OpenPage(const QString& caption);

private:
    struct FieldBinding
    {
        SettingsField field;
        int page = 0;
        std::function<QString()> get;
        std::function<void(const QString&)> set;
        QWidget* row = nullptr;
    };

    QWidget* BuildPage(int pageIndex, const SettingsPage& page);
    QWidget* BuildEditor(FieldBinding& binding, const QString& display);
    QWidget* ChooserButtons(const SettingsField& field, int bindingIndex, QWidget* parent);
    void Choose(const SettingsField& field, int bindingIndex, Chooser chooser);
    void UpdateVisibility();
    const FieldBinding* Find(const QString& key, int piece) const;

    QHash<QString, QString> m_fileValues; // each key's value in the file when the sheet opened
    SettingsCatalog m_catalog;
    QTabWidget* m_tabs = nullptr;
    QList<FieldBinding> m_bindings;
    QSet<int> m_openedPages;
};

} // namespace fakvo
