#pragma once
// Rules of start-up that need no window: the caption, the network role, the letter-job file.

#include "app/commandline.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace fakvo {

inline constexpr char kProductName[] = "Faktavo";
inline constexpr char kProductVersion[] = "10.01a";

enum class NetworkRole
{
    None,
    Client,
    Server
};

// "Faktavo Version: 10.01a; Profil: <name>", with the server's count of connected
// workstations or the client's number appended.
QString WindowCaption(const QString& profileName, NetworkRole role, int connectedCount,
                      int clientNumber);

// A letter job (-D): at least nine lines, the first containing "BRIEF".
struct LetterJob
{
    QString email;          // after "BRIEF" on line 1
    int customerNumber = 0; // line 2 "!!<number>": fill the recipient from the address store
    QString attention, name, name2, street, postalCode, town, country; // lines 2 to 7
    QString subject;                                                   // line 8
    QString text; // lines 9 and following, each followed by a line break
};
std::optional<LetterJob> ParseLetterJob(const QStringList& lines);

// The document type of an automatic document: the last character of the template's file name
// read as a type's short code ("test.fvr" gives an invoice); an invoice when no type has it.
int DocumentTypeCodeFromTemplate(const QString& templatePath);

// The shipping method code of a letter job: post 1, letter service 2, e-mail 3.
int LetterJobShippingMethod(LetterShipping shipping);

} // namespace fakvo
