// The product list of the editor: the in-place cell editor (opening, committing, moving), the
// pending line with "(F5)", and the line commands.

#include "app/editor/documenteditor.h"

#include "app/editor/pendingfields.h"
#include "app/editor/productlist.h"
#include "app/model/dates.h"
#include "platform/prompt.h"
#include "storage/ui/productcontrol.h"
#include "support/log.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace fakvo {
namespace {

// The calendar of a reminder's date column; none when the user cancelled.
std::optional<QDate> PickDate(QWidget* parent, const QDate& start)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("datePicker"));
    dialog.setWindowTitle(QStringLiteral("Wählen Sie ein Datum"));
    auto* calendar = new QCalendarWidget(&dialog);
    calendar->setObjectName(QStringLiteral("calendar"));
    if (start.isValid())
        calendar->setSelectedDate(start);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(calendar);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return calendar->selectedDate();
}

int DateValue(const QDate& date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

} // namespace

void DocumentEditor::OnCellChosen(int row, int column)
{
    CommitOpenCell();
    switch (CellClickAction(column, TypeTraits(m_document.type).IsReminderList())) {
    case CellClick::None:
        break;
    case CellClick::Edit:
        OpenCellQueued(row, column);
        break;
    case CellClick::PickDate:
        PickReminderDate(row);
        break;
    case CellClick::RefuseLineTotal:
        FrageJaNein(LineTotalRefusal());
        break;
    }
}

void DocumentEditor::OpenCellQueued(int row, int column)
{
    // Opening waits until the click or key that asked for it is handled.
    QMetaObject::invokeMethod(
        this, [this, row, column] { OpenCellEditor(row, column); }, Qt::QueuedConnection);
}

void DocumentEditor::OpenCellEditor(int row, int column)
{
    if (row < 0 || row >= m_document.lines.size() || column <= 0 || column >= kProductColumnCount)
        return;
    CommitOpenCell();
    const bool reminder = TypeTraits(m_document.type).IsReminderList();
    if (reminder && column == static_cast<int>(ProductColumn::Quantity)) {
        PickReminderDate(row);
        return;
    }
    m_list->OpenEditor(row, column, CellEditorText(m_document.lines[row], column, reminder),
                       m_sizes, m_textFont);
    m_openCell = row * 10 + column + 1;
    FollowCellEditor(row, column);
}

void DocumentEditor::FollowCellEditor(int row, int column)
{
    // The extended product entry window stands just below the cell being edited.
    if (!m_productControl || !m_productControl->isVisible())
        return;
    const QRect cell = m_list->visualRect(m_list->model()->index(row, column));
    m_productControl->move(m_list->viewport()->mapToGlobal(cell.bottomLeft() + QPoint(0, 2)));
}

void DocumentEditor::CommitOpenCell()
{
    if (m_openCell == 0 || m_committing)
        return;
    m_committing = true;
    CellEditor* editor = m_list->Editor();
    const int row = editor->Row();
    const int column = editor->Column();
    if (row >= 0 && row < m_document.lines.size())
        CommitCellText(m_document.lines[row], column, editor->toPlainText(), Rules());
    m_openCell = 0;
    m_list->CloseEditor();
    ComputeTotals();
    m_list->MarkRow(row);
    m_list->setFocus();
    m_committing = false;
}

void DocumentEditor::PickReminderDate(int row)
{
    if (row < 0 || row >= m_document.lines.size())
        return;
    QString& cell = m_document.lines[row][ProductColumn::Quantity];
    const int current = ParseDate(cell, m_config);
    const QDate start(current / 10000, current / 100 % 100, current % 100);
    const auto chosen = PickDate(this, start.isValid() ? start : Now().date());
    if (!chosen)
        return;
    cell = FormatDate(DateValue(*chosen), 0, m_config);
    ShowLines();
    OpenCellQueued(row, static_cast<int>(ProductColumn::Quantity) + 1);
}

void DocumentEditor::MoveCell(CellMove move)
{
    if (m_openCell == 0)
        return;
    const CellPosition from{(m_openCell - 1) / 10, (m_openCell - 1) % 10};
    const MoveColumns columns{m_config.PRODUKTNUMMER != 0, m_config.MWSTEDITIERBAR != 0,
                              TypeTraits(m_document.type).IsReminderList()};
    CommitOpenCell();
    const auto target = NextCell(from, move, static_cast<int>(m_document.lines.size()), columns);
    if (!target)
        return;
    if (target->appendRow) {
        m_document.lines.append(EmptyRow(m_config.STANDARDMWST));
        ComputeTotals();
    }
    OpenCellQueued(target->position.row, target->position.column);
}

void DocumentEditor::GoToColumn(int column)
{
    CommitOpenCell();
    if (column == static_cast<int>(ProductColumn::ProductNumber) && m_config.PRODUKTNUMMER == 0) {
        QApplication::beep();
        return;
    }
    if (m_document.lines.isEmpty()) {
        m_document.lines.append(EmptyRow(m_config.STANDARDMWST));
        ComputeTotals();
    }
    const int marked = m_list->MarkedRow();
    OpenCellQueued(marked >= 0 ? marked : 0, column);
}

void DocumentEditor::ShowCellMenu(const QPoint& globalPosition)
{
    QMenu menu(QStringLiteral("Produktliste"), this);
    menu.addAction(QStringLiteral("Entsprechend mehrerer MwSt. Sätze wird die Spaltenbreite "
                                  "'Bezeichnung' angepaßt\tSTRG-W"),
                   this, &DocumentEditor::MeasureForSeveralVatRates);
    menu.addAction(QStringLiteral("Entferne feste Zeilenschaltungen in der Spalte "
                                  "'Bezeichnung'\tSTRG-U"),
                   this, &DocumentEditor::RemoveHardLineBreaks);
    menu.addAction(QStringLiteral("Die Mehrwertsteuer für eine Bruttorechnung aufrechnen"), this,
                   [this] { ConvertUnitPrices(PriceConversion::AddVat); });
    menu.addAction(QStringLiteral("Die Mehrwertsteuer für eine Nettorechnung abziehen"), this,
                   [this] { ConvertUnitPrices(PriceConversion::SubtractVat); });
    menu.exec(globalPosition);
}

void DocumentEditor::ConvertUnitPrices(PriceConversion conversion)
{
    const int open = m_openCell;
    CommitOpenCell();
    if (const auto refusal = ConvertPrices(m_document.lines, m_document.conditions.gross,
                                           conversion, m_config.EINZELPREISNACHKOMMASTELLEN)) {
        FrageJaNein(*refusal);
    }
    ComputeTotals();
    if (open != 0)
        OpenCellQueued((open - 1) / 10, (open - 1) % 10);
}

void DocumentEditor::RemoveHardLineBreaks()
{
    const int open = m_openCell;
    CommitOpenCell();
    for (ProductLine& line : m_document.lines)
        line[ProductColumn::Text] = fakvo::RemoveHardLineBreaks(line[ProductColumn::Text]);
    ShowLines();
    if (open != 0)
        OpenCellQueued((open - 1) / 10, (open - 1) % 10);
}

void DocumentEditor::MeasureForSeveralVatRates()
{
    const int open = m_openCell;
    CommitOpenCell();
    MeasureTextColumn(true);
    if (open != 0)
        OpenCellQueued((open - 1) / 10, (open - 1) % 10);
}

void DocumentEditor::SetPendingLine(const PendingLine& line)
{
    m_pending = line;
    m_pendingFields->Show(m_pending);
}

PendingLine DocumentEditor::Pending() const
{
    return m_pendingFields->Read();
}

void DocumentEditor::AppendPendingLine()
{
    CommitOpenCell();
    m_pending = m_pendingFields->Read();
    m_document.lines.append(LineFromPending(m_pending, m_config.STANDARDMWST, Rules()));
    ComputeTotals();
    m_list->MarkRow(static_cast<int>(m_document.lines.size()) - 1);
}

void DocumentEditor::ClearPendingExceptTiers()
{
    const QString tiers = m_pendingFields->Read().tiers;
    PendingLine cleared;
    cleared.tiers = tiers;
    SetPendingLine(cleared);
}

void DocumentEditor::ClearPendingLine()
{
    SetPendingLine(PendingLine{});
}

void DocumentEditor::ClearContent()
{
    CommitOpenCell();
    GatherInput();
    SetPendingLine(PendingLine{});
    m_document.lines.clear();
    switch (TypeTraits(m_document.type).layout) {
    case EditorLayout::Receipt:
        m_document.message = m_config.QUITTUNGVORLAGE;
        m_document.finalAmount = 0;
        break;
    case EditorLayout::Sms:
    case EditorLayout::EMail:
    case EditorLayout::Letter:
        m_document.message.clear();
        m_document.subject.clear();
        break;
    default:
        break;
    }
    ShowDocument();
    ComputeTotals();
}

void DocumentEditor::MoveMarkedRow(int step)
{
    CommitOpenCell();
    const int row = m_list->MarkedRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_document.lines.size())
        return;
    m_document.lines.move(row, to);
    ComputeTotals();
    m_list->MarkRow(to);
}

void DocumentEditor::DeleteMarkedRow()
{
    CommitOpenCell();
    const int row = m_list->MarkedRow();
    if (row < 0 || row >= m_document.lines.size())
        return;
    m_document.lines.removeAt(row);
    ComputeTotals();
    Log(0, QStringLiteral("Produkteintrag Nr. %1 wurde gelöscht.").arg(row + 1));
    m_list->MarkRow(std::min(row, static_cast<int>(m_document.lines.size()) - 1));
}

} // namespace fakvo
