#include "settingsdialog.h"

#include "config/configfile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace fakvo {
namespace {

// The small chooser "Selektiere ..." with one list box; returns the chosen entry or nothing.
std::optional<QString> SelectFromList(const QStringList& entries, QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Selektiere ..."));
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    list->addItems(entries);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || list->currentItem() == nullptr)
        return std::nullopt;
    return list->currentItem()->text();
}

} // namespace

CEinstellungen::CEinstellungen(const Configuration& config, SettingsCatalog catalog,
                               QWidget* parent)
    : QDialog(parent), m_catalog(std::move(catalog))
{
    setWindowTitle(QStringLiteral("Einstellungen"));
    // A page shows what the file says; keys the file does not name show their loaded value.
    // Taking the file's text avoids applying load rules twice (a leading "0" of the area
    // code is removed when loading; writing the loaded value back would lose the next one).
    for (const KeyEntry& entry : KeyTable()) {
        const QString key = QString::fromLatin1(entry.name);
        m_fileValues.insert(key,
                            FindConfigValue(config.lines, key).value_or(entry.fileValue(config)));
    }

    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    const auto& pages = SettingsPages();
    for (int i = 0; i < pages.size(); ++i)
        m_tabs->addTab(BuildPage(i, pages[i]), pages[i].caption);
    layout->addWidget(m_tabs);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_openedPages.insert(0);
    connect(m_tabs, &QTabWidget::currentChanged, this,
            [this](int index) { m_openedPages.insert(index); });
    UpdateVisibility();
    resize(720, 560);
}

QWidget* CEinstellungen::BuildPage(int pageIndex, const SettingsPage& page)
{
    auto* scroll = new QScrollArea(m_tabs);
    auto* body = new QWidget(scroll);
    auto* form = new QFormLayout(body);
    for (const SettingsField& field : page.fields) {
        if (!m_fileValues.contains(field.key))
            continue; // a key this build does not know yet
        FieldBinding binding;
        binding.field = field;
        binding.page = pageIndex;
        const QString display = FieldDisplayValue(field, m_fileValues.value(field.key));
        QWidget* editor = BuildEditor(binding, display);
        const int bindingIndex = static_cast<int>(m_bindings.size());
        if (field.kind == FieldKind::ListPiece && !field.fixedText.isEmpty()) {
            m_bindings.append(binding); // written, never shown
            continue;
        }
        auto* row = new QWidget(body);
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 0, 0, 0);
        editor->setParent(row);
        rowLayout->addWidget(editor, 1);
        if (QWidget* buttons = ChooserButtons(field, bindingIndex, row))
            rowLayout->addWidget(buttons);
        binding.row = row;
        form->addRow(field.label, row);
        m_bindings.append(binding);
    }
    scroll->setWidget(body);
    scroll->setWidgetResizable(true);
    return scroll;
}

QWidget* CEinstellungen::BuildEditor(FieldBinding& binding, const QString& display)
{
    const SettingsField& field = binding.field;
    switch (field.kind) {
    case FieldKind::Flag:
    case FieldKind::CheckText: {
        auto* box = new QCheckBox(field.kind == FieldKind::CheckText ? field.label : QString());
        box->setChecked(display.toInt() != 0);
        binding.get = [box] {
            return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        };
        binding.set = [box](const QString& v) { box->setChecked(v.toInt() != 0); };
        return box;
    }
    case FieldKind::Choice: {
        auto* combo = new QComboBox;
        combo->addItems(field.choices);
        combo->setCurrentIndex(
            std::clamp(display.toInt(), 0, static_cast<int>(field.choices.size()) - 1));
        binding.get = [combo] { return QString::number(combo->currentIndex()); };
        binding.set = [combo](const QString& v) { combo->setCurrentIndex(v.toInt()); };
        return combo;
    }
    case FieldKind::Radio: {
        auto* box = new QWidget;
        auto* layout = new QHBoxLayout(box);
        auto* group = new QButtonGroup(box);
        for (int i = 0; i < field.choices.size(); ++i) {
            auto* radio = new QRadioButton(field.choices[i], box);
            radio->setVisible(!field.hiddenChoices.contains(i));
            group->addButton(radio, i);
            layout->addWidget(radio);
        }
        if (QAbstractButton* current = group->button(display.toInt()))
            current->setChecked(true);
        connect(group, &QButtonGroup::idClicked, this, &CEinstellungen::UpdateVisibility);
        binding.get = [group] { return QString::number(std::max(0, group->checkedId())); };
        binding.set = [group](const QString& v) {
            if (QAbstractButton* button = group->button(v.toInt()))
                button->setChecked(true);
        };
        return box;
    }
    case FieldKind::TwoLines: {
        auto* box = new QWidget;
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        const QStringList lines = display.split(u'\n');
        auto* first = new QLineEdit(lines.value(0), box);
        auto* second = new QLineEdit(lines.value(1), box);
        layout->addWidget(first);
        layout->addWidget(second);
        binding.get = [first, second] { return first->text() + u'\n' + second->text(); };
        binding.set = [first, second](const QString& v) {
            first->setText(v.section(u'\n', 0, 0));
            second->setText(v.section(u'\n', 1, 1));
        };
        return box;
    }
    case FieldKind::ReceiptTemplate: {
        auto* edit = new QPlainTextEdit(display);
        binding.get = [edit] { return edit->toPlainText(); };
        binding.set = [edit](const QString& v) { edit->setPlainText(v); };
        return edit;
    }
    case FieldKind::Text:
    case FieldKind::Number:
    case FieldKind::Password:
    case FieldKind::ItemText:
    case FieldKind::ItemTextLeft:
    case FieldKind::ItemTextRight:
    case FieldKind::ListPiece:
        break;
    }
    auto* edit = new QLineEdit(display);
    if (field.kind == FieldKind::Password)
        edit->setEchoMode(QLineEdit::Password);
    binding.get = [edit] { return edit->text(); };
    binding.set = [edit](const QString& v) { edit->setText(v); };
    return edit;
}

QWidget* CEinstellungen::ChooserButtons(const SettingsField& field, int bindingIndex,
                                        QWidget* parent)
{
    QList<std::pair<QString, Chooser>> buttons;
    switch (field.chooser) {
    case Chooser::None:
        return nullptr;
    case Chooser::DataSource:
        buttons = {{QStringLiteral("ODBC..."), Chooser::DataSource},
                   {QStringLiteral("MS-Access..."), Chooser::DatabaseFile}};
        break;
    case Chooser::Tables:
        buttons = {{QStringLiteral("Tabellen..."), Chooser::Tables}};
        break;
    default:
        buttons = {{QStringLiteral("..."), field.chooser}};
        break;
    }
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const auto& [text, chooser] : buttons) {
        auto* button = new QPushButton(text, box);
        connect(button, &QPushButton::clicked, this,
                [this, field, bindingIndex, chooser = chooser] {
                    Choose(field, bindingIndex, chooser);
                });
        layout->addWidget(button);
    }
    return box;
}

void CEinstellungen::Choose(const SettingsField& field, int bindingIndex, Chooser chooser)
{
    FieldBinding& binding = m_bindings[bindingIndex];
    std::optional<QString> chosen;
    switch (chooser) {
    case Chooser::DataSource:
        chosen =
            SelectFromList(m_catalog.dataSources ? m_catalog.dataSources() : QStringList(), this);
        break;
    case Chooser::DatabaseFile: {
        const QString file = QFileDialog::getOpenFileName(
            this, QString(), QString(),
            QStringLiteral("MS-Access Dateien (*.mdb);;Alle Dateien (*.*)"));
        if (!file.isEmpty())
            chosen = u'!' + file;
        break;
    }
    case Chooser::Tables: {
        // The connection values typed on the page, not yet stored, are the ones to try.
        const QString prefix = field.key.left(field.key.size() - 5); // drop "TABLE"
        const QStringList tables =
            m_catalog.tables
                ? m_catalog.tables(field.tableSet, FieldValue(prefix + QStringLiteral("DSN")),
                                   FieldValue(prefix + QStringLiteral("UID")),
                                   FieldValue(prefix + QStringLiteral("PWD")))
                : QStringList();
        chosen = SelectFromList(tables, this);
        break;
    }
    case Chooser::AddressColumns:
    case Chooser::ProductColumns:
        chosen = SelectFromList(
            m_catalog.columns ? m_catalog.columns(field.tableSet) : QStringList(), this);
        break;
    case Chooser::File: {
        const QString file = QFileDialog::getOpenFileName(this, QString(), binding.get(),
                                                          QStringLiteral("Alle Dateien (*.*)"));
        if (!file.isEmpty())
            chosen = file;
        break;
    }
    case Chooser::None:
        break;
    }
    if (chosen)
        binding.set(*chosen);
}

void CEinstellungen::UpdateVisibility()
{
    for (const FieldBinding& binding : m_bindings) {
        if (binding.row == nullptr || binding.field.visibleWithKey.isEmpty())
            continue;
        const FieldBinding* controller = Find(binding.field.visibleWithKey, 0);
        const int value = controller ? controller->get().toInt() : 0;
        const bool visible = binding.field.visibleWithValues.contains(value);
        binding.row->setVisible(visible);
        if (auto* form = qobject_cast<QFormLayout*>(binding.row->parentWidget()->layout())) {
            if (QWidget* label = form->labelForField(binding.row))
                label->setVisible(visible);
        }
    }
}

const CEinstellungen::FieldBinding* CEinstellungen::Find(const QString& key, int piece) const
{
    for (const FieldBinding& binding : m_bindings) {
        if (binding.field.key == key && binding.field.piece == piece)
            return &binding;
    }
    return nullptr;
}

QString CEinstellungen::FieldValue(const QString& key, int piece) const
{
    const FieldBinding* binding = Find(key, piece);
    return binding ? binding->get() : QString();
}

void CEinstellungen::SetFieldValue(const QString& key, const QString& value, int piece)
{
    for (FieldBinding& binding : m_bindings) {
        if (binding.field.key == key && binding.field.piece == piece) {
            binding.set(value);
            UpdateVisibility();
            return;
        }
    }
}

void CEinstellungen::OpenPage(const QString& caption)
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (m_tabs->tabText(i) == caption)
            m_tabs->setCurrentIndex(i);
    }
}

void CEinstellungen::WriteOpenedPages(Configuration& config) const
{
    // Fields of one key (the pieces of a reminder level) build on each other's result.
    QHash<QString, QString> pending;
    QStringList order;
    for (const FieldBinding& binding : m_bindings) {
        if (!m_openedPages.contains(binding.page))
            continue;
        const QString& key = binding.field.key;
        if (!pending.contains(key)) {
            pending.insert(key, m_fileValues.value(key));
            order << key;
        }
        pending[key] = FieldFileValue(binding.field, binding.get(), pending.value(key));
    }
    for (const QString& key : order)
        ConfigSetValue(config, key, pending.value(key));
}

} // namespace fakvo
