#include "startup.h"

#include "app/model/documenttype.h"
#include "config/valueforms.h"

#include <QFileInfo>

namespace fakvo {

QString WindowCaption(const QString& profileName, NetworkRole role, int connectedCount,
                      int clientNumber)
{
    QString caption =
        QStringLiteral("%1 Version: %2; Profil: %3")
            .arg(QLatin1StringView(kProductName), QLatin1StringView(kProductVersion), profileName);
    if (role == NetworkRole::Server)
        caption += QStringLiteral("; FV-Server(%1)").arg(connectedCount);
    else if (role == NetworkRole::Client)
        caption += QStringLiteral("; FV-ClientNr.: %1").arg(clientNumber);
    return caption;
}

std::optional<LetterJob> ParseLetterJob(const QStringList& lines)
{
    if (lines.size() < 9 || !lines[0].contains(QStringLiteral("BRIEF")))
        return std::nullopt;
    LetterJob job;
    job.email = lines[0].mid(5).trimmed();
    if (lines[1].contains(QStringLiteral("!!"))) {
        job.customerNumber = ParseInteger(QStringView(lines[1]).mid(2));
    } else {
        job.attention = lines[1];
        job.name = lines[2];
        job.name2 = lines[3];
        job.street = lines[4];
        const QString place = lines[5].trimmed();
        const qsizetype blank = place.indexOf(u' ');
        job.postalCode = blank < 0 ? place : place.left(blank);
        job.town = blank < 0 ? QString() : place.mid(blank + 1).trimmed();
        job.country = lines[6];
    }
    job.subject = lines[7];
    for (qsizetype i = 8; i < lines.size(); ++i)
        job.text += lines[i] + u'\n';
    return job;
}

int DocumentTypeCodeFromTemplate(const QString& templatePath)
{
    const QString name = QFileInfo(templatePath).fileName();
    if (name.isEmpty())
        return 0;
    const QChar code = name.back().toUpper();
    // The first type of a letter: "M" is the first reminder, "Y" the unknown type is skipped.
    for (int type = 0; type <= 15; ++type) {
        if (type == 3)
            continue;
        if (QChar(TypeTraits(static_cast<DocumentType>(type)).shortCode[0]) == code)
            return type;
    }
    return 0;
}

int LetterJobShippingMethod(LetterShipping shipping)
{
    switch (shipping) {
    case LetterShipping::LetterService:
        return 2; // "Postaro"
    case LetterShipping::EMail:
        return 3; // "E-Mail"
    case LetterShipping::Post:
        break;
    }
    return 1; // "Post"
}

} // namespace fakvo
