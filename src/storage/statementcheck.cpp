#include "storage/statementcheck.h"

namespace fakvo {

bool AddsSecondStatement(const QString& statement)
{
    if (!statement.contains(QLatin1Char(';')))
        return false;
    for (const char* construct : {"\\", "$", "\"", "`", "[", "--", "/*"})
        if (statement.contains(QLatin1String(construct)))
            return true;
    bool inLiteral = false;
    for (const QChar c : statement) {
        if (c == QLatin1Char('\''))
            inLiteral = !inLiteral; // a doubled quote inside a literal toggles twice
        else if (c == QLatin1Char(';') && !inLiteral)
            return true;
    }
    return false;
}

QString SecondStatementMessage()
{
    return QStringLiteral("Die Suche wurde nicht ausgeführt: Ein ';' außerhalb von Hochkommas "
                          "würde eine zweite SQL-Anweisung anfügen. Eine Suche führt nur eine "
                          "Anweisung aus.");
}

} // namespace fakvo
