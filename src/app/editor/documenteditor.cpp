// The editor's areas, the document shown in them, type changes, totals, the status line,
// the conditions and the line-break measurement. Product-list editing is in
// documenteditor_products.cpp, the stores' commands in documenteditor_store.cpp.

#include "app/editor/documenteditor.h"

#include "app/editor/conditionsdialog.h"
#include "app/editor/conditionsrules.h"
#include "app/editor/linemeasure.h"
#include "app/editor/messagefields.h"
#include "app/editor/pendingfields.h"
#include "app/editor/productlist.h"
#include "app/editor/recipientblock.h"
#include "app/editor/recipientrules.h"
#include "app/editor/selectionlist.h"
#include "app/editor/statusline.h"
#include "app/editor/storelookups.h"
#include "app/editor/totalsfields.h"
#include "app/editor/typebar.h"
#include "app/editor/typecommands.h"
#include "app/model/codes.h"
#include "app/model/dates.h"
#include "platform/prompt.h"
#include "storage/worksettings.h"
#include "support/log.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fakvo {
namespace {

QPushButton* CommandButton(const QString& text, const char* name, const QString& tip,
                           QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setProperty("fakvoTip", tip);
    return button;
}

int ScreenDpiX(const QWidget* widget)
{
    const QScreen* screen = widget->screen();
    return screen ? static_cast<int>(screen->logicalDotsPerInchX()) : 96;
}

int ScreenDpiY(const QWidget* widget)
{
    const QScreen* screen = widget->screen();
    return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : 96;
}

} // namespace

DocumentEditor::DocumentEditor(const Configuration& config, EditorEnvironment environment,
                               QWidget* parent)
    : QWidget(parent), m_config(config), m_env(std::move(environment)),
      m_lookups(std::make_unique<StoreLookups>(config))
{
    setObjectName(QStringLiteral("documentEditor"));
    BuildAreas();
    ConnectAreas();
    RebuildListColumns();
    ApplyLayout();
    ShowCaption();
    ShowDocument();
}

DocumentEditor::~DocumentEditor() = default;

void DocumentEditor::BuildAreas()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_typeBar = new TypeBar(this);
    layout->addWidget(m_typeBar);

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    m_left = BuildLeftColumn();
    row->addWidget(m_left);
    m_contentArea = new QWidget(this);
    auto* content = new QVBoxLayout(m_contentArea);
    content->setContentsMargins(0, 0, 0, 0);
    m_productArea = BuildProductArea();
    content->addWidget(m_productArea, 1);
    m_message = new MessageFields(m_contentArea);
    content->addWidget(m_message, 1);
    row->addWidget(m_contentArea, 3);
    m_selection = new SelectionList(this);
    m_selection->setMinimumWidth(240);
    row->addWidget(m_selection, 1);
    layout->addLayout(row, 1);

    m_status = new StatusLine(this);
    m_status->setObjectName(QStringLiteral("statusLine"));
    layout->addWidget(m_status);
}

QWidget* DocumentEditor::BuildLeftColumn()
{
    auto* left = new QWidget(this);
    left->setObjectName(QStringLiteral("leftColumn"));
    left->setFixedWidth(380);
    auto* layout = new QVBoxLayout(left);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    m_caption = new QLabel(left);
    m_caption->setObjectName(QStringLiteral("typeCaption"));
    QFont captionFont(QStringLiteral("Arial"));
    captionFont.setPixelSize(24);
    captionFont.setFixedPitch(true);
    m_caption->setFont(captionFont);
    m_caption->setAutoFillBackground(true);
    m_caption->setContextMenuPolicy(Qt::CustomContextMenu);
    m_caption->setProperty("fakvoTip", QStringLiteral("Der gewählte Dokumenttyp; die rechte "
                                                      "Maustaste öffnet die Typenauswahl."));
    layout->addWidget(m_caption);

    m_recipient = new RecipientBlock(left);
    layout->addWidget(m_recipient);
    m_conditionsLine = new QLabel(left);
    m_conditionsLine->setObjectName(QStringLiteral("conditionsLine"));
    m_conditionsLine->setWordWrap(true);
    layout->addWidget(m_conditionsLine);

    auto* search = new QHBoxLayout;
    auto* searchLabel = new QLabel(QStringLiteral("Empf. Suche:"), left);
    m_search = new QLineEdit(left);
    m_search->setObjectName(QStringLiteral("searchText"));
    m_search->setProperty("fakvoTip", QStringLiteral("Suchtext für die Adresssuche (F6)."));
    searchLabel->setBuddy(m_search);
    auto* searchButton = CommandButton(QStringLiteral("Suche!(F6)"), "searchAddresses",
                                       QStringLiteral("Sucht Adressen mit dem Suchtext."), left);
    m_fieldButton = CommandButton(QStringLiteral("Feld ... (F11)"), "searchColumn",
                                  QStringLiteral("Wählt das Feld, in dem gesucht wird."), left);
    search->addWidget(searchLabel);
    search->addWidget(m_search, 1);
    search->addWidget(searchButton);
    search->addWidget(m_fieldButton);
    layout->addLayout(search);
    connect(searchButton, &QPushButton::clicked, this, &DocumentEditor::SearchAddresses);
    connect(m_fieldButton, &QPushButton::clicked, this,
            [this] { ShowNotAvailable(QStringLiteral("Die Feldauswahl der Adresssuche")); });

    auto* buttons = new QGridLayout;
    buttons->setSpacing(2);
    auto* saveNew =
        CommandButton(QStringLiteral("Speichere neues Dokument (F2)"), "saveNew",
                      QStringLiteral("Speichert das Dokument mit einer neuen Nummer."), left);
    auto* saveChanged = CommandButton(QStringLiteral("Speichere Veränderung (F4)"), "saveChanged",
                                      QStringLiteral("Speichert die Veränderung des geladenen "
                                                     "Dokuments."),
                                      left);
    auto* allAddresses =
        CommandButton(QStringLiteral("Zeige ges. Adressliste (STRG-F6)"), "allAddresses",
                      QStringLiteral("Zeigt alle Adressen in der Auswahlliste."), left);
    auto* allProducts =
        CommandButton(QStringLiteral("Zeige ges. Produktliste (STRG-F3)"), "allProducts",
                      QStringLiteral("Zeigt alle Produkte in der Auswahlliste."), left);
    auto* pdf = CommandButton(QStringLiteral("PDF"), "pdf",
                              QStringLiteral("Druckt das Dokument in eine PDF-Datei."), left);
    auto* preview = CommandButton(QStringLiteral("Vorschau"), "preview",
                                  QStringLiteral("Zeigt die Druckvorschau."), left);
    m_printButton = CommandButton(QStringLiteral("Drucken (F7)"), "print",
                                  QStringLiteral("Druckt das Dokument."), left);
    auto* conditions = CommandButton(QStringLiteral("Konditionen"), "conditions",
                                     QStringLiteral("Konditionen & Optionen des Dokuments "
                                                    "(ALT-O)."),
                                     left);
    buttons->addWidget(saveNew, 0, 0, 1, 2);
    buttons->addWidget(saveChanged, 1, 0, 1, 2);
    buttons->addWidget(allAddresses, 2, 0, 1, 2);
    buttons->addWidget(allProducts, 3, 0, 1, 2);
    buttons->addWidget(pdf, 0, 2);
    buttons->addWidget(preview, 1, 2);
    buttons->addWidget(m_printButton, 2, 2);
    buttons->addWidget(conditions, 3, 2);
    layout->addLayout(buttons);
    connect(saveNew, &QPushButton::clicked, this, &DocumentEditor::SaveNewDocument);
    connect(saveChanged, &QPushButton::clicked, this, &DocumentEditor::SaveChangedDocument);
    connect(conditions, &QPushButton::clicked, this, &DocumentEditor::EditConditions);
    connect(allAddresses, &QPushButton::clicked, this, &DocumentEditor::SearchAllAddresses);
    connect(allProducts, &QPushButton::clicked, this, &DocumentEditor::SearchAllProducts);
    for (QPushButton* printing : {pdf, preview, m_printButton})
        connect(printing, &QPushButton::clicked, this,
                [this] { ShowNotAvailable(QStringLiteral("Das Drucken")); });

    auto* dateRow = new QHBoxLayout;
    auto* dateLabel = new QLabel(QStringLiteral("Datum"), left);
    m_date = new QLineEdit(left);
    m_date->setObjectName(QStringLiteral("date"));
    m_date->setProperty("fakvoTip", QStringLiteral("Das Dokumentdatum."));
    dateLabel->setBuddy(m_date);
    dateRow->addWidget(dateLabel);
    dateRow->addWidget(m_date, 1);
    layout->addLayout(dateRow);
    layout->addStretch(1);
    return left;
}

QWidget* DocumentEditor::BuildProductArea()
{
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("productArea"));
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_pendingFields = new PendingFields(area);
    layout->addWidget(m_pendingFields);
    m_list = new ProductListView(this, area);
    m_list->setMinimumHeight(90);
    layout->addWidget(m_list, 1);
    m_totalsFields = new TotalsFields(area);
    layout->addWidget(m_totalsFields);
    return area;
}

void DocumentEditor::ConnectAreas()
{
    connect(m_typeBar, &TypeBar::typeChosen, this, &DocumentEditor::SelectDocumentType);
    connect(m_typeBar, &TypeBar::typeListRequested, this, &DocumentEditor::typeListRequested);
    connect(m_typeBar, &TypeBar::invoicesByPaymentRequested, this, [this] {
        SelectDocumentType(DocumentType::Invoice);
        emit invoicesByPaymentRequested();
    });
    connect(m_typeBar, &TypeBar::templateRequested, this, [this](DocumentType type) {
        // The receipt button opens a template of the current type without selecting receipts.
        if (type != DocumentType::Receipt)
            SelectDocumentType(type);
        OpenTemplateFile(false);
    });
    connect(m_typeBar, &TypeBar::typeDoubleClicked, this, [this](DocumentType type) {
        if (type == DocumentType::Reminder2)
            SelectDocumentType(DocumentType::Reminder3);
        else if (type == DocumentType::EMail)
            emit mailClientRequested();
    });
    connect(m_typeBar->TipsBox(), &QCheckBox::toggled, this, [this](bool on) {
        ShowTips(on);
        if (WorkSettings* settings = Settings())
            settings->WriteSettingNumber(WorkSetting::HelpTips, on ? 1 : 0);
    });

    connect(m_recipient, &RecipientBlock::edited, this, &DocumentEditor::GatherInput);
    connect(m_recipient, &RecipientBlock::customerNumberEntered, this,
            &DocumentEditor::LookUpCustomer);
    connect(m_recipient, &RecipientBlock::clearRequested, this, &DocumentEditor::ClearRecipient);
    connect(m_message, &MessageFields::edited, this, &DocumentEditor::GatherInput);
    connect(m_date, &QLineEdit::textEdited, this, &DocumentEditor::GatherInput);
    connect(m_caption, &QLabel::customContextMenuRequested, this, &DocumentEditor::ShowTypeMenu);

    connect(m_pendingFields, &PendingFields::appendRequested, this,
            &DocumentEditor::AppendPendingLine);
    connect(m_pendingFields, &PendingFields::searchRequested, this,
            &DocumentEditor::SearchProducts);
    connect(m_list, &ProductListView::cellChosen, this, &DocumentEditor::OnCellChosen);
    CellEditor* cell = m_list->Editor();
    connect(cell, &CellEditor::leaveRequested, this, &DocumentEditor::CommitOpenCell);
    connect(cell, &CellEditor::backwardRequested, this, [this] { MoveCell(CellMove::Backward); });
    connect(cell, &CellEditor::lookupRequested, this, &DocumentEditor::SearchProducts);
    connect(cell, &CellEditor::contextMenuRequested, this, &DocumentEditor::ShowCellMenu);
    connect(m_totalsFields, &TotalsFields::finalAmountClicked, this,
            &DocumentEditor::ComputeTotals);
    connect(m_selection, &SelectionList::rowChosen, this, &DocumentEditor::OnSelectionChosen);
}

const Document& DocumentEditor::document() const
{
    return m_document;
}

WorkSettings* DocumentEditor::Settings() const
{
    return m_env.workSettings ? m_env.workSettings() : nullptr;
}

QDateTime DocumentEditor::Now() const
{
    return m_env.now ? m_env.now() : QDateTime::currentDateTime();
}

int DocumentEditor::Today() const
{
    const QDate today = Now().date();
    return today.year() * 10000 + today.month() * 100 + today.day();
}

CellRules DocumentEditor::Rules() const
{
    return {m_config.EINZELPREISNACHKOMMASTELLEN, TypeTraits(m_document.type).IsReminderList()};
}

void DocumentEditor::GatherInput()
{
    m_recipient->ReadInto(m_document.recipient);
    m_message->ReadInto(m_document);
    m_document.date = ParseDate(m_date->text(), m_config);
}

void DocumentEditor::ShowDocument()
{
    m_recipient->Show(m_document.recipient);
    m_message->Show(m_document);
    m_date->setText(FormatDate(m_document.date, 0, m_config));
    m_pendingFields->Show(m_pending);
    ShowConditionsLine();
    ShowLines();
}

void DocumentEditor::ApplyDefaults()
{
    Conditions& c = m_document.conditions;
    if (WorkSettings* settings = Settings()) {
        c.discount = settings->Text(WorkSetting::Discount);
        c.cashDiscount = settings->Text(WorkSetting::CashDiscount);
        c.paymentMethod = settings->IsStored(WorkSetting::PaymentMethod)
                              ? static_cast<int>(settings->ReadSetting(WorkSetting::PaymentMethod))
                              : kDefaultPaymentMethod;
        c.shippingMethod = static_cast<int>(settings->ReadSetting(WorkSetting::ShippingMethod));
        c.linesPerRow = static_cast<int>(settings->ReadSetting(WorkSetting::ProductLines));
        c.validity = static_cast<int>(settings->ReadSetting(WorkSetting::Validity));
        c.paymentTerm = static_cast<int>(settings->ReadSetting(WorkSetting::PaymentTerm));
        const QSignalBlocker blocker(m_typeBar->TipsBox());
        m_typeBar->TipsBox()->setChecked(settings->ReadSetting(WorkSetting::HelpTips) != 0);
    }
    if (c.linesPerRow < 1 || c.linesPerRow > 3)
        c.linesPerRow = std::clamp(m_config.PRODUKTZEILEN, 1, 3);
    c.clerk = m_env.clerk ? m_env.clerk() : QString();
    m_document.date = Today();
    ShowTips(m_typeBar->TipsBox()->isChecked());
    ConfigurationChanged();
    SelectDocumentType(m_document.type);
}

void DocumentEditor::ReplaceDocument(const Document& document)
{
    CommitOpenCell();
    m_document = document;
    ShowDocument();
    ComputeTotals();
}

void DocumentEditor::ConfigurationChanged()
{
    CommitOpenCell();
    RebuildListColumns();
    MeasureLineBreaks(true);
    ShowDocument();
}

void DocumentEditor::SelectDocumentType(DocumentType type)
{
    CommitOpenCell();
    GatherInput();
    const DocumentTypeTraits& traits = TypeTraits(type);
    m_document.type = type;
    ShowConditionsLine();
    if (m_largeList)
        ToggleLargeList();
    m_document.conditions = ConditionsForType(m_document.conditions, type);
    ShowCaption();
    if (traits.shippingPresetFromConfig) {
        if (WorkSettings* settings = Settings())
            m_document.conditions.shippingMethod =
                static_cast<int>(settings->ReadSetting(WorkSetting::ShippingMethod));
    }
    if (type == DocumentType::Receipt && m_document.message.isEmpty())
        m_document.message = m_config.QUITTUNGVORLAGE;
    ApplyLayout();
    ShowDocument();
    ComputeTotals();
}

void DocumentEditor::ShowCaption()
{
    const DocumentTypeTraits& traits = TypeTraits(m_document.type);
    m_caption->setText(
        DocumentCaption(m_document.type, m_document.conditions.reminderLevel, m_config));
    QPalette palette = m_caption->palette();
    palette.setColor(QPalette::WindowText, QColor(traits.captionText.red, traits.captionText.green,
                                                  traits.captionText.blue));
    palette.setColor(QPalette::Window,
                     QColor(traits.captionBackground.red, traits.captionBackground.green,
                            traits.captionBackground.blue));
    m_caption->setPalette(palette);
}

void DocumentEditor::ShowTypeMenu(const QPoint& position)
{
    QMenu menu(QStringLiteral("Selektiere Dokumententype"), this);
    for (const TypeCommand& command : TypeCommands()) {
        if (command.type == DocumentType::ManualReminder)
            menu.addAction(ReminderGenerationText(), this,
                           &DocumentEditor::reminderGenerationRequested);
        const DocumentType type = command.type;
        menu.addAction(command.text, this, [this, type] { SelectDocumentType(type); });
    }
    menu.exec(m_caption->mapToGlobal(position));
}

void DocumentEditor::ShowConditionsLine()
{
    const QString line =
        ConditionsLine(m_document.conditions, m_document.type, m_config.KONDITIONENANZ != 0);
    m_conditionsLine->setText(line);
    m_conditionsLine->setVisible(!line.isEmpty());
}

void DocumentEditor::ApplyLayout()
{
    const EditorLayout layout = TypeTraits(m_document.type).layout;
    const bool products =
        layout == EditorLayout::ProductList || layout == EditorLayout::ReminderList;
    m_productArea->setVisible(products);
    m_message->setVisible(!products);
    if (!products)
        m_message->SetLayout(layout);
    m_printButton->setText(layout == EditorLayout::Sms || layout == EditorLayout::EMail
                               ? QStringLiteral("Senden (F7)")
                               : QStringLiteral("Drucken (F7)"));
    const bool reminder = layout == EditorLayout::ReminderList;
    if (products && (reminder != m_reminderColumns || !m_columnsBuilt))
        RebuildListColumns();
}

void DocumentEditor::RebuildListColumns()
{
    m_reminderColumns = TypeTraits(m_document.type).IsReminderList();
    m_columnsBuilt = true;
    const bool productNumbers = m_config.PRODUKTNUMMER != 0;
    const bool vatEditable = m_config.MWSTEDITIERBAR != 0;
    m_list->SetColumns(ProductListColumns(m_reminderColumns, productNumbers, vatEditable));
    m_pendingFields->SetColumns(productNumbers || m_reminderColumns,
                                vatEditable && !m_reminderColumns);
    if (isVisible() || m_sizes.textWidth > 0)
        MeasureTextColumn(false);
}

void DocumentEditor::ShowLines()
{
    m_list->ShowLines(m_document.lines);
}

void DocumentEditor::ComputeTotals()
{
    GatherInput();
    const DocumentType type = m_document.type;
    const AmountSettings settings = AmountSettingsFrom(m_config);
    const TotalsRun run =
        fakvo::ComputeTotals(m_document.lines, m_document.conditions, type, settings);
    m_totals = run.totals;
    const std::array<QString, 6> texts = TotalsFieldTexts(m_totals, type);
    m_totalsFields->Show(texts);
    m_document.vatTotalText = type == DocumentType::Invoice ? texts[3] : QString();
    ShowLines();

    const int rows = static_cast<int>(m_document.lines.size());
    WorkSettings* work = Settings();
    const int pages = EstimatePages(rows, m_document.conditions.linesPerRow, type,
                                    m_document.conditions.paymentMethod, settings,
                                    work && work->ReadSetting(WorkSetting::Duplex) != 0);
    const QString estimate = TypeTraits(type).HasProductLines() || TypeTraits(type).IsReminderList()
                                 ? PageEstimateText(rows, pages)
                                 : QString();
    if (!run.warnings.isEmpty())
        ShowStatus(run.warnings.join(u'\n'));
    else if (!estimate.isEmpty() && estimate != m_lastEstimate)
        ShowStatus(estimate);
    m_lastEstimate = estimate;
}

void DocumentEditor::ShowStatus(const QString& text)
{
    m_status->Show(text);
    Log(0, text);
}

QString DocumentEditor::StatusText() const
{
    return m_status->Text();
}

void DocumentEditor::ShowTips(bool on)
{
    const QList<QWidget*> widgets = findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const QVariant tip = widget->property("fakvoTip");
        if (tip.isValid())
            widget->setToolTip(on ? tip.toString() : QString());
    }
}

LineMeasure DocumentEditor::MeasureAt(int printedWidth, bool* printerMissing) const
{
    WorkSettings* settings = Settings();
    const MeasuringDeviceChoice choice = ChooseMeasuringDevice(
        settings ? settings->Text(WorkSetting::Printer1) : QString(),
        QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName());
    MeasuringPage page(choice);
    const bool missing = choice.printerMissing || !page.Device();
    if (printerMissing)
        *printerMissing = missing;
    // A printer that is gone or cannot be opened: a PDF page stands in, so the editor still
    // breaks its lines near where paper will.
    std::optional<MeasuringPage> standIn;
    if (missing)
        standIn.emplace(MeasuringDeviceChoice{});
    const QPaintDevice* device = missing ? standIn->Device() : page.Device();
    return fakvo::MeasureLineBreaks(PrintFont(m_config.FONT, m_config.STANDARDFONTGROESSE), *device,
                                    TenthsOfMillimetreToTwips(printedWidth), ScreenDpiX(this),
                                    ScreenDpiY(this));
}

void DocumentEditor::MeasureLineBreaks(bool tellUser)
{
    bool missing = false;
    const LineMeasure message = MeasureAt(PrintedMessageWidth(m_config), &missing);
    if (missing && tellUser) {
        for (const QString& text : PrinterMissingMessages())
            FrageJaNein(text);
    }
    MeasureTextColumn(false);
    m_message->SetTextFont(m_textFont);
    m_message->SetWrapWidth(message.width);
}

void DocumentEditor::MeasureTextColumn(bool withVatColumn)
{
    const LineMeasure measure =
        MeasureAt(PrintedTextColumnWidth(m_config, TypeTraits(m_document.type).IsReminderList(),
                                         withVatColumn),
                  nullptr);
    m_sizes = SizesFromMeasure(measure.width, measure.lineHeight);
    m_textFont = ScreenFont(m_config.FONT, m_config.STANDARDFONTGROESSE, ScreenDpiY(this));
}

void DocumentEditor::EditConditions()
{
    CommitOpenCell();
    GatherInput();
    const DocumentType type = m_document.type;
    if (const QString refusal = ConditionsRefusal(type); !refusal.isEmpty()) {
        FrageJaNein(refusal);
        return;
    }
    WorkSettings* settings = Settings();
    CKonditionen dialog(ConditionsForDialog(m_document.conditions, type, KeptPaymentMethod()), type,
                        m_loadedLabel, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Conditions c = ConditionsFromDialog(dialog.Result());
    m_document.conditions = c;
    if (type == DocumentType::ManualReminder)
        ShowCaption();
    if (settings) {
        settings->WriteSetting(WorkSetting::Discount, c.discount);
        settings->WriteSetting(WorkSetting::CashDiscount, c.cashDiscount);
        settings->WriteSettingNumber(WorkSetting::PaymentMethod, c.paymentMethod);
        settings->WriteSettingNumber(WorkSetting::GrossFlag, c.gross ? 1 : 0);
        settings->WriteSettingNumber(WorkSetting::PaymentTerm, c.paymentTerm);
        settings->WriteSettingNumber(WorkSetting::Validity, c.validity);
        settings->WriteSettingNumber(WorkSetting::ShippingMethod, c.shippingMethod);
        settings->WriteSettingNumber(WorkSetting::ProductLines, c.linesPerRow);
    }
    ComputeTotals();
    ShowConditionsLine();
}

void DocumentEditor::ClearRecipient()
{
    CommitOpenCell();
    GatherInput();
    m_search->clear();
    m_loadedId = 0;
    m_loadedNumber = 0;
    m_loadedDate = 0;
    m_loadedLabel.clear();
    Recipient& r = m_document.recipient;
    r.customerNumber = 0;
    r.attention.clear();
    r.name.clear();
    r.name2.clear();
    r.street.clear();
    r.postalCode.clear();
    r.town.clear();
    r.country = 0;
    r.mobile.clear();
    r.fax.clear();
    r.email.clear();
    m_document.conditions.customerVatId.clear();
    m_document.conditions.reference.clear();
    m_document.date = Today();
    m_recipient->ResetCountries();
    ShowDocument();
    m_recipient->AttentionField()->setFocus();
}

void DocumentEditor::TakeAddress(const TakenAddress& taken)
{
    GatherInput();
    ApplyTakenAddress(m_document, taken, m_config.EIGENERLAENDERCODE);
    ShowDocument();
    ShowStatus(ContactStatusText(m_document.recipient));
    // An invoice for a customer with a template of its own starts from that template.
    const int customer = m_document.recipient.customerNumber;
    if (m_document.type == DocumentType::Invoice && customer != 0) {
        const QString path = CustomerTemplatePath(customer, m_config);
        if (QFileInfo::exists(path))
            ApplyTemplate(path);
    }
}

void DocumentEditor::ToggleLargeList()
{
    CommitOpenCell();
    const EditorLayout layout = TypeTraits(m_document.type).layout;
    if (!m_largeList && layout != EditorLayout::ProductList && layout != EditorLayout::ReminderList)
        return;
    m_largeList = !m_largeList;
    m_left->setVisible(!m_largeList);
}

void DocumentEditor::FocusSelectionList()
{
    m_selection->Tree()->setFocus();
}

void DocumentEditor::ShowNotAvailable(const QString& what)
{
    ShowStatus(what + QStringLiteral(" ist in dieser Version noch nicht verfügbar."));
}

} // namespace fakvo
