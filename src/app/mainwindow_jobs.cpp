// The automatic jobs that other programs start through the command line: a document from a
// template for a customer (-G), and a letter from a job file (-D). They run unattended and
// store through the same path as F2.

#include "mainwindow.h"

#include "app/editor/documenteditor.h"
#include "app/model/codes.h"
#include "config/configfile.h"
#include "support/log.h"

#include <QFile>

namespace fakvo {
namespace {

void LogNotAvailable(const char* what)
{
    Log(0,
        QString::fromUtf8(what) + QStringLiteral(" ist in dieser Version noch nicht verfügbar."));
}

} // namespace

bool CZelvaDlg::RunAutomaticJobs()
{
    bool ranJob = false;
    if (m_options.autoCustomerNumber > 0 && QFile::exists(m_options.autoTemplateFile)) {
        // The customer number is looked up as if typed into the attention line; the document is
        // stored even when the number is not found.
        Document document = m_editor->document();
        document.recipient.attention = QString::number(m_options.autoCustomerNumber);
        m_editor->ReplaceDocument(document);
        m_editor->LookUpCustomer();
        m_editor->SelectDocumentType(
            static_cast<DocumentType>(DocumentTypeCodeFromTemplate(m_options.autoTemplateFile)));
        if (m_editor->ApplyTemplate(m_options.autoTemplateFile)) {
            m_editor->SaveNewDocument();
            if (m_options.printAfterSave)
                LogNotAvailable("Das Drucken des automatischen Dokuments");
        }
        m_automaticDocumentDone = true;
        ranJob = true;
    }

    if (!m_options.letterJobFile.isEmpty()) {
        const std::optional<LetterJob> job =
            ParseLetterJob(ReadWholeLines(m_options.letterJobFile));
        if (job) {
            m_editor->SelectDocumentType(DocumentType::Letter);
            Document document = m_editor->document();
            if (job->customerNumber > 0) {
                document.recipient.attention = QString::number(job->customerNumber);
                m_editor->ReplaceDocument(document);
                m_editor->LookUpCustomer();
                document = m_editor->document();
            } else {
                Recipient& r = document.recipient;
                r.attention = job->attention;
                r.name = job->name;
                r.name2 = job->name2;
                r.street = job->street;
                r.postalCode = job->postalCode;
                r.town = job->town;
                r.country = CountryCode(job->country);
            }
            if (!job->email.isEmpty())
                document.recipient.email = job->email;
            document.subject = job->subject;
            document.message = job->text;
            document.conditions.shippingMethod = LetterJobShippingMethod(m_options.letterShipping);
            m_editor->ReplaceDocument(document);
            m_editor->SaveNewDocument();
            if (m_options.letterShippingGiven)
                LogNotAvailable("Das Drucken oder Versenden des Briefs");
            ranJob = true;
        }
    }
    return !(ranJob && m_options.endAfterJob);
}

} // namespace fakvo
