// The editor's commands that reach the journal, the template files, the address table and the
// product table.

#include "app/editor/documenteditor.h"

#include "app/document/documentstore.h"
#include "app/editor/messagefields.h"
#include "app/editor/recipientrules.h"
#include "app/editor/selectionlist.h"
#include "app/editor/storelookups.h"
#include "app/filechooser.h"
#include "app/model/codes.h"
#include "platform/prompt.h"
#include "storage/worksettings.h"

#include <QScopeGuard>

#include <QFileInfo>
#include <QLineEdit>
#include <QTextEdit>

namespace fakvo {

int DocumentEditor::KeptPaymentMethod() const
{
    WorkSettings* settings = Settings();
    return settings && settings->IsStored(WorkSetting::PaymentMethod)
               ? static_cast<int>(settings->ReadSetting(WorkSetting::PaymentMethod))
               : kDefaultPaymentMethod;
}

DatabaseSettings DocumentEditor::DatabaseSettingsNow() const
{
    return m_env.databaseSettings ? m_env.databaseSettings() : DatabaseSettings{};
}

StoreContext DocumentEditor::Context() const
{
    StoreContext context;
    context.config = &m_config;
    context.database = DatabaseSettingsNow();
    context.profileIndex = m_env.profileIndex ? m_env.profileIndex() : 0;
    context.keptPaymentMethod = KeptPaymentMethod();
    context.clock = m_env.now;
    context.lastLoadedDate = m_loadedDate;
    context.lastLoadedNumber = m_loadedNumber;
    return context;
}

void DocumentEditor::ShowStoreOutcome(const StoreOutcome& outcome)
{
    if (!outcome.statusText.isEmpty())
        ShowStatus(outcome.statusText);
    switch (outcome.focus) {
    case StoreField::ReceiptAmount:
        m_message->AmountField()->setFocus();
        break;
    case StoreField::Message:
        m_message->MessageField()->setFocus();
        break;
    case StoreField::None:
        break;
    }
}

StoreOutcome DocumentEditor::SaveNewDocument()
{
    CommitOpenCell();
    GatherInput();
    const QList<int> marked = m_selection->Mode() == SelectionMode::Addresses
                                  ? m_selection->SelectedRows()
                                  : QList<int>();
    if (marked.size() >= 2 && ConfirmSerialDocuments(static_cast<int>(marked.size())))
        return SaveSerialDocuments(marked);
    Document stored = m_document;
    const StoreOutcome outcome = fakvo::SaveNewDocument(stored, Context());
    if (outcome.stored) {
        m_document = stored;
        ShowDocument();
        ComputeTotals();
    }
    ShowStoreOutcome(outcome);
    return outcome;
}

StoreOutcome DocumentEditor::SaveChangedDocument()
{
    CommitOpenCell();
    GatherInput();
    Document changed = m_document;
    changed.id = m_loadedId;
    // A document locked by another workstation cannot be changed; the lock tells the user why.
    if (m_loadedId > 0 && m_env.lockDocument && !m_env.lockDocument(m_loadedId))
        return {};
    const auto unlock = qScopeGuard([this] {
        if (m_loadedId > 0 && m_env.unlockDocument)
            m_env.unlockDocument(m_loadedId);
    });
    if (m_loadedId > 0 &&
        FrageJaNein(QStringLiteral("Wollen Sie wirklich dieses Dokument verändern?"),
                    PromptMode::Question) != kAnswerYes)
        return {};
    const StoreOutcome outcome = fakvo::SaveChangedDocument(changed, m_loadedNumber, Context());
    if (outcome.stored)
        ShowLoaded(changed);
    ShowStoreOutcome(outcome);
    return outcome;
}

StoreOutcome DocumentEditor::SaveSerialDocuments(const QList<int>& rows)
{
    const fakvo::TakeAddress take = [this, &rows](Document& document, int index) {
        const std::optional<TakenAddress> taken =
            index >= 0 && index < rows.size() ? m_lookups->Address(rows[index]) : std::nullopt;
        if (!taken)
            return false;
        ApplyTakenAddress(document, *taken, m_config.EIGENERLAENDERCODE);
        return true;
    };
    const SerialOutcome serial =
        fakvo::SaveSerialDocuments(m_document, static_cast<int>(rows.size()), take, Context());
    if (serial.last) {
        m_document = *serial.last;
        ShowDocument();
        ComputeTotals();
    }
    const StoreOutcome last = serial.stored.isEmpty() ? StoreOutcome{} : serial.stored.last();
    ShowStoreOutcome(last);
    return last;
}

bool DocumentEditor::LoadDocument(int rowId)
{
    if (m_largeList)
        ToggleLargeList();
    const std::optional<Document> loaded = fakvo::LoadDocument(rowId, Context());
    if (!loaded)
        return false;
    ShowLoaded(*loaded);
    LookUpLoadedCustomer();
    return true;
}

void DocumentEditor::ShowLoaded(const Document& loaded)
{
    CommitOpenCell();
    m_loadedId = loaded.id;
    m_loadedNumber = loaded.number;
    m_loadedDate = loaded.date;
    m_loadedLabel =
        DocumentNumberLabel(loaded.type, loaded.number, loaded.conditions.reminderLevel, m_config);
    SelectDocumentType(loaded.type);
    m_document = loaded;
    UseEditorLineBreaks(m_document.lines);
    SetPendingLine(PendingLine{});
    ShowCaption();
    ShowDocument();
    ComputeTotals();
}

void DocumentEditor::OpenTemplateFile(bool fromBackup)
{
    CommitOpenCell();
    GatherInput();
    FileRequest request;
    request.kind = FileRequest::Kind::Open;
    request.title = QStringLiteral("Öffnen einer Vorlage");
    request.folder = fromBackup ? TemplateBackupFolder(m_config) : TemplateFolder(m_config);
    request.filter = TemplateDialogFilter(m_document.type);
    const std::optional<QString> path = ChooseFile(this, request);
    if (path)
        ApplyTemplate(*path);
}

bool DocumentEditor::ApplyTemplate(const QString& path)
{
    const TemplateContent content = OpenTemplate(path, m_document, m_config);
    if (!content.ok)
        return false;
    m_document = content.document;
    UseEditorLineBreaks(m_document.lines);
    ShowDocument();
    ComputeTotals();
    ShowConditionsLine();
    return true;
}

void DocumentEditor::SaveAsTemplate()
{
    CommitOpenCell();
    GatherInput();
    FileRequest request;
    request.kind = FileRequest::Kind::Save;
    request.title = QStringLiteral("Speichere diesen Text als Vorlage");
    request.folder = TemplateFolder(m_config);
    request.filter = TemplateDialogFilter(m_document.type);
    if (m_document.type == DocumentType::Invoice && m_document.recipient.customerNumber != 0)
        request.proposal = CustomerTemplateName(m_document.recipient.customerNumber, m_config);
    const std::optional<QString> path = ChooseFile(this, request);
    if (!path)
        return;
    // A name typed without the extension gets the one of the type.
    QString file = *path;
    if (QFileInfo(file).suffix().isEmpty())
        file += TemplateExtension(m_document.type);
    SaveTemplate(file, m_document);
}

void DocumentEditor::DeleteTemplateFile()
{
    FileRequest request;
    request.kind = FileRequest::Kind::Open;
    request.title = QStringLiteral("Löschen einer Vorlage");
    request.folder = TemplateFolder(m_config);
    request.filter = TemplateDialogFilter(m_document.type);
    if (const std::optional<QString> path = ChooseFile(this, request))
        DeleteTemplate(*path);
}

} // namespace fakvo
