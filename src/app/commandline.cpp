#include "commandline.h"

#include "config/valueforms.h"

#include <QList>

namespace fakvo {
namespace {

struct RawOption
{
    QChar letter;
    QString value;
};

bool IsAllDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// Splits the arguments into options and their values.
QList<RawOption> CollectOptions(const QStringList& arguments,
                                const std::function<bool(const QString&)>& pathExists)
{
    QList<RawOption> options;
    for (const QString& argument : arguments) {
        const bool dash = argument.startsWith(u'-');
        const bool slash = argument.startsWith(u'/') && !pathExists(argument);
        if ((dash || slash) && argument.size() >= 2) {
            options.append({argument.at(1).toUpper(), argument.mid(2)});
        } else if (!options.isEmpty()) {
            QString& value = options.last().value;
            value += (value.isEmpty() ? QString() : QStringLiteral(" ")) + argument;
        }
    }
    return options;
}

QString MissingFileMessage(const QString& path)
{
    return QStringLiteral("Die Datei '%1' kann nicht gefunden werden!").arg(path);
}

} // namespace

CommandLineResult ParseCommandLine(const QStringList& arguments,
                                   const std::function<bool(const QString&)>& pathExists)
{
    CommandLineResult result;
    StartOptions& o = result.options;
    auto requireFile = [&](const QString& path) {
        if (pathExists(path))
            return true;
        result.messages << MissingFileMessage(path);
        result.endNow = true;
        return false;
    };

    for (const RawOption& option : CollectOptions(arguments, pathExists)) {
        const QString& value = option.value;
        switch (option.letter.unicode()) {
        case u'D':
            if (!value.isEmpty() && requireFile(value))
                o.letterJobFile = value;
            break;
        case u'E':
            o.endAfterJob = true;
            break;
        case u'F':
            o.noPdf = true;
            break;
        case u'G': {
            o.printAfterSave = true;
            if (value.isEmpty())
                break;
            const qsizetype separator = value.indexOf(u';');
            if (separator < 0) {
                result.messages << QStringLiteral(
                    "Ungültiges Parameterformat! Beispiel:\n\n"
                    "-G1003;C:\\Programme\\Fakvo\\Vorlagen\\test.fvr\n");
                break;
            }
            const QString file = value.mid(separator + 1);
            if (requireFile(file)) {
                o.autoCustomerNumber = ParseInteger(value.left(separator));
                o.autoTemplateFile = file;
            }
            break;
        }
        case u'I':
            o.allowSecondInstance = ParseInteger(value) != 0;
            break;
        case u'K':
            if (value.isEmpty())
                break;
            if (IsAllDigits(value.trimmed()))
                o.profileIndex = ParseInteger(value);
            else
                o.explicitConfigFile = value;
            break;
        case u'L':
            o.printAfterSave = true;
            break;
        case u'N':
            o.noNetwork = true;
            break;
        case u'O':
            o.skipSystemQuery = true;
            break;
        case u'P':
            if (value.isEmpty())
                break;
            o.letterShippingGiven = true;
            if (value.contains(QStringLiteral("POSTARO")))
                o.letterShipping = LetterShipping::LetterService;
            else if (value.contains(QStringLiteral("EMAIL")))
                o.letterShipping = LetterShipping::EMail;
            else
                o.letterShipping = LetterShipping::Post;
            break;
        case u'S':
            o.serverMode = true;
            o.serverClientNumber = ParseInteger(value);
            break;
        case u'V':
            o.plainFiles = true;
            break;
        default:
            // An unknown letter ends the application before any window is shown.
            result.endNow = true;
            return result;
        }
        if (result.endNow)
            return result;
    }
    return result;
}

} // namespace fakvo
