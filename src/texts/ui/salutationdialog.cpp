#include "texts/ui/salutationdialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace fakvo {
namespace {

QString RowName(const char* stem, int row)
{
    return QString::fromLatin1(stem) + QString::number(row + 1);
}

QWidget* LegendTable(const std::array<PlaceholderEntry, kPlaceholderCount>& legend, QWidget* parent)
{
    auto* table = new QTableWidget(static_cast<int>(legend.size()), 2, parent);
    table->setObjectName(QStringLiteral("textvariablen"));
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < table->rowCount(); ++i) {
        table->setItem(i, 0, new QTableWidgetItem(legend[i].name));
        table->setItem(i, 1, new QTableWidgetItem(legend[i].value.value_or(QString())));
    }
    table->resizeColumnToContents(0);
    return table;
}

} // namespace

CAnredeEinstellungen::CAnredeEinstellungen(
    const SalutationSettings& settings,
    const std::array<PlaceholderEntry, kPlaceholderCount>& legend, ColumnProvider columns,
    QWidget* parent)
    : QDialog(parent), m_columns(std::move(columns))
{
    setWindowTitle(QStringLiteral("Einstellungen der perönlichen Anrede"));
    auto* layout = new QVBoxLayout(this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Anredetext"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("wenn Text"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("im Feld"), this), 0, 2);
    for (int row = 0; row < static_cast<int>(m_rows.size()); ++row) {
        const SalutationRule& rule = settings.rules[row];
        RowEdits& edits = m_rows[row];
        edits.text = new QLineEdit(rule.text, this);
        edits.text->setObjectName(RowName("anredetext", row));
        edits.matchText = new QLineEdit(rule.matchText, this);
        edits.matchText->setObjectName(RowName("wenntext", row));
        edits.columns = new QLineEdit(rule.columns, this);
        edits.columns->setObjectName(RowName("imfeld", row));
        auto* choose = new QPushButton(QStringLiteral("..."), this);
        choose->setObjectName(RowName("auswahl", row));
        connect(choose, &QPushButton::clicked, this, [this, row] { ChooseColumn(row); });
        grid->addWidget(edits.text, row + 1, 0);
        grid->addWidget(edits.matchText, row + 1, 1);
        grid->addWidget(edits.columns, row + 1, 2);
        grid->addWidget(choose, row + 1, 3);
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 2);
    layout->addLayout(grid);

    auto* emptyRow = new QHBoxLayout;
    emptyRow->addWidget(new QLabel(QStringLiteral("Wenn Vor und Zuname leer sind:"), this));
    m_emptyNamesText = new QLineEdit(settings.emptyNamesText, this);
    m_emptyNamesText->setObjectName(QStringLiteral("anredeleer"));
    emptyRow->addWidget(m_emptyNamesText, 1);
    layout->addLayout(emptyRow);

    auto* legendBox = new QGroupBox(
        QStringLiteral(
            "Verfügbare Textvariablen (Datenquelle ist die aktuell markierte Empfängeradresse)"),
        this);
    auto* legendLayout = new QVBoxLayout(legendBox);
    legendLayout->addWidget(LegendTable(legend, legendBox));
    layout->addWidget(legendBox, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

SalutationSettings CAnredeEinstellungen::Settings() const
{
    SalutationSettings settings;
    for (size_t row = 0; row < m_rows.size(); ++row) {
        settings.rules[row].text = m_rows[row].text->text();
        settings.rules[row].matchText = m_rows[row].matchText->text();
        settings.rules[row].columns = m_rows[row].columns->text();
    }
    settings.emptyNamesText = m_emptyNamesText->text();
    return settings;
}

void CAnredeEinstellungen::ChooseColumn(int row)
{
    QInputDialog chooser(this);
    chooser.setObjectName(QStringLiteral("spaltenauswahl"));
    chooser.setWindowTitle(QStringLiteral("Selektiere ..."));
    chooser.setLabelText(QString());
    chooser.setComboBoxItems(m_columns ? m_columns() : QStringList());
    chooser.setComboBoxEditable(false);
    if (chooser.exec() != QDialog::Accepted || chooser.textValue().isEmpty())
        return;
    QLineEdit* field = m_rows[row].columns;
    field->setText(AppendColumn(field->text(), chooser.textValue()));
}

ConfigChangeResult ChangeSalutationSettings(Configuration& config, bool networkMode,
                                            const std::optional<AddressValues>& selectedAddress,
                                            ColumnProvider columns, QWidget* parent)
{
    return EditSalutationSettings(
        config, networkMode,
        [&](const Configuration& current,
            const SalutationSettings& settings) -> std::optional<SalutationSettings> {
            std::array<PlaceholderEntry, kPlaceholderCount> legend =
                PlaceholderTable(selectedAddress.value_or(AddressValues{}), current);
            if (!selectedAddress) {
                for (PlaceholderEntry& entry : legend)
                    entry.value.reset();
            }
            CAnredeEinstellungen dialog(settings, legend, columns, parent);
            if (dialog.exec() != QDialog::Accepted)
                return std::nullopt;
            return dialog.Settings();
        });
}

} // namespace fakvo
