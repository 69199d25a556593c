#include "texts/salutation.h"

#include "config/configuration.h"

namespace fakvo {
namespace {

struct RuleKeys
{
    const char* textKey;
    const char* columnsKey;
    QString Configuration::*text;
    QString Configuration::*columns;
};

constexpr std::array<RuleKeys, 5> kRuleKeys = {{
    {"ANREDETEXT1", "ODBCANREDE1", &Configuration::ANREDETEXT1, &Configuration::ODBCANREDE1},
    {"ANREDETEXT2", "ODBCANREDE2", &Configuration::ANREDETEXT2, &Configuration::ODBCANREDE2},
    {"ANREDETEXT3", "ODBCANREDE3", &Configuration::ANREDETEXT3, &Configuration::ODBCANREDE3},
    {"ANREDETEXT4", "ODBCANREDE4", &Configuration::ANREDETEXT4, &Configuration::ODBCANREDE4},
    {"ANREDETEXT5", "ODBCANREDE5", &Configuration::ANREDETEXT5, &Configuration::ODBCANREDE5},
}};

const QString kEmptyNamesKey = QStringLiteral("ANREDELEER");

// The key's text in the line list, or the value in force when no line names it.
QString LineValue(const Configuration& config, const char* key, const QString& inForce)
{
    return FindConfigValue(config.lines, QString::fromLatin1(key)).value_or(inForce);
}

} // namespace

QString ComputePersonalSalutation(const AddressValues& row, const Configuration& config)
{
    if (row.firstName.trimmed().isEmpty() && row.lastName.trimmed().isEmpty())
        return config.ANREDELEER;
    for (size_t n = 0; n < kRuleKeys.size(); ++n) {
        QStringList pieces = (config.*kRuleKeys[n].text).split(kSalutationSeparator.toString());
        if (pieces.size() < 2)
            continue;
        for (QString& piece : pieces)
            piece = piece.trimmed();
        const QString& matchText = pieces[1];
        if (!matchText.isEmpty() && !row.salutationColumns[n].contains(matchText))
            continue;
        const PlaceholderResult filled = FillPlaceholders(pieces[0], row, config);
        if (filled.lastCount >= 1)
            return filled.text;
    }
    return config.ANREDELEER;
}

SalutationSettings ReadSalutationSettings(const Configuration& config)
{
    SalutationSettings settings;
    for (size_t n = 0; n < kRuleKeys.size(); ++n) {
        SalutationRule& rule = settings.rules[n];
        const QString text = LineValue(config, kRuleKeys[n].textKey, config.*kRuleKeys[n].text);
        const qsizetype separator = text.indexOf(kSalutationSeparator);
        if (separator >= 0) {
            rule.text = text.left(separator);
            rule.matchText = text.mid(separator + kSalutationSeparator.size());
        }
        rule.columns = LineValue(config, kRuleKeys[n].columnsKey, config.*kRuleKeys[n].columns);
    }
    settings.emptyNamesText =
        FindConfigValue(config.lines, kEmptyNamesKey).value_or(config.ANREDELEER);
    return settings;
}

void PutSalutationSettings(Configuration& config, const SalutationSettings& settings)
{
    for (size_t n = 0; n < kRuleKeys.size(); ++n) {
        const SalutationRule& rule = settings.rules[n];
        ConfigSetValue(config, QString::fromLatin1(kRuleKeys[n].columnsKey), rule.columns);
        ConfigSetValue(config, QString::fromLatin1(kRuleKeys[n].textKey),
                       rule.text + kSalutationSeparator.toString() + rule.matchText);
    }
    ConfigSetValue(config, kEmptyNamesKey, settings.emptyNamesText);
}

QString AppendColumn(const QString& columns, const QString& column)
{
    return columns.isEmpty() ? column : columns + u',' + column;
}

ConfigChangeResult EditSalutationSettings(Configuration& config, bool networkMode,
                                          const SalutationDialogRunner& runDialog)
{
    return RunConfigChange(
        config, networkMode,
        [&runDialog](Configuration& c) {
            const std::optional<SalutationSettings> chosen =
                runDialog(c, ReadSalutationSettings(c));
            if (!chosen)
                return false;
            PutSalutationSettings(c, *chosen);
            return true;
        },
        kSalutationMinimumLines);
}

} // namespace fakvo
