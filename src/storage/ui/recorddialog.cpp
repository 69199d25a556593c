#include "storage/ui/recorddialog.h"

#include "platform/prompt.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace fakvo {

namespace {

// A stored value as the grid shows it: line breaks as backslash-n, which writing turns back.
QString GridText(const QString& value)
{
    QString text = value;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return text;
}

} // namespace

CDatenSatz::CDatenSatz(RecordEditor editor, long long recordId, QWidget* parent)
    : QDialog(parent), m_editor(std::move(editor)), m_recordId(recordId)
{
    setWindowTitle(CaptionOf(m_editor.Set()));
    m_grid = new QTableWidget(this);
    m_grid->setColumnCount(1);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Wert")});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // Selecting a row opens the edit field over its value.
    m_grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_grid->setTabKeyNavigation(true);

    const auto button = [this](const QString& text, void (CDatenSatz::*action)()) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(QStringLiteral("Felder einlesen"), &CDatenSatz::ReadFields));
    buttons->addWidget(button(QStringLiteral("Felder leeren"), &CDatenSatz::ClearFields));
    buttons->addStretch();
    buttons->addWidget(button(QStringLiteral("Ändern - F4"), &CDatenSatz::Change));
    buttons->addWidget(button(QStringLiteral("Anfügen - F2"), &CDatenSatz::Append));
    buttons->addWidget(button(QStringLiteral("Löschen - F8"), &CDatenSatz::Delete));
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);

    const auto key = [this](Qt::Key k, void (CDatenSatz::*action)()) {
        auto* shortcut = new QShortcut(QKeySequence(k), this);
        connect(shortcut, &QShortcut::activated, this, action);
    };
    key(Qt::Key_F4, &CDatenSatz::Change);
    key(Qt::Key_F2, &CDatenSatz::Append);
    key(Qt::Key_F8, &CDatenSatz::Delete);

    resize(640, 480);
    ReadFields();
}

QString CDatenSatz::CaptionOf(TableSet set)
{
    return set == TableSet::Products
               ? QStringLiteral("'Produkt'-Datensatz - bearbeiten, anfügen löschen")
               : QStringLiteral("'Adress'-Datensatz - bearbeiten, anfügen löschen");
}

void CDatenSatz::Fill(const RecordFields& fields)
{
    m_names = fields.names;
    m_types = fields.types;
    m_grid->clearContents();
    m_grid->setRowCount(static_cast<int>(m_names.size()));
    for (int row = 0; row < m_names.size(); ++row) {
        const bool automatic = IsAutoColumn(m_names[row], m_editor.AutoColumns());
        m_grid->setVerticalHeaderItem(row, new QTableWidgetItem(RecordFieldLabel(
                                               m_names[row], m_types.value(row), automatic)));
        auto* item = new QTableWidgetItem(GridText(fields.values.value(row)));
        if (automatic)
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        m_grid->setItem(row, 0, item);
    }
}

void CDatenSatz::ReadFields()
{
    Fill(m_editor.Read(m_recordId));
}

void CDatenSatz::ClearFields()
{
    CommitEdit();
    for (int row = 0; row < m_grid->rowCount(); ++row)
        if (QTableWidgetItem* item = m_grid->item(row, 0))
            item->setText(QString());
}

void CDatenSatz::CommitEdit()
{
    // Moving the current cell away commits an open edit field.
    m_grid->setCurrentIndex(QModelIndex());
}

QStringList CDatenSatz::Values() const
{
    QStringList values;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const QTableWidgetItem* item = m_grid->item(row, 0);
        values << StoredFieldValue(item ? item->text() : QString());
    }
    return values;
}

void CDatenSatz::Written(long long id, long long* target)
{
    if (id == 0)
        return;
    *target = id;
    accept();
}

void CDatenSatz::Change()
{
    CommitEdit();
    Written(m_editor.WriteRecord(true, m_names, m_types, Values()), &m_changedId);
}

void CDatenSatz::Append()
{
    CommitEdit();
    Written(m_editor.WriteRecord(false, m_names, m_types, Values()), &m_appendedId);
}

void CDatenSatz::Delete()
{
    const QString question =
        QStringLiteral("Wollen Sie den Datensatz mit der %1=%2 wirklich löschen?")
            .arg(m_editor.IdColumn())
            .arg(m_recordId);
    if (FrageJaNein(question, PromptMode::Question) == kAnswerYes) {
        m_deleted = m_editor.DeleteRecordById(m_recordId);
        if (!m_deleted)
            FrageJaNein(QStringLiteral("Der Datensatz konnte nicht gelöscht werden!"));
    }
    reject();
}

void CDatenSatz::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // The first row that takes a value is ready for editing at once.
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        QTableWidgetItem* item = m_grid->item(row, 0);
        if (item && (item->flags() & Qt::ItemIsEditable)) {
            m_grid->setFocus();
            m_grid->setCurrentCell(row, 0);
            return;
        }
    }
}

} // namespace fakvo
