#pragma once
// The personal salutation "!!PERSANREDE": five configurable rules (ANREDETEXT1 … 5 with the
// address columns of ODBCANREDE1 … 5) and the fallback ANREDELEER; and the settings that the
// dialog "Einstellungen der perönlichen Anrede" edits, written through the change
// transaction of the configuration.

#include "config/configfile.h"
#include "texts/placeholders.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace fakvo {

struct Configuration;

// The separator between a rule's salutation text and its match text.
inline constexpr QStringView kSalutationSeparator = u"¿¿";

// The salutation of an address row. Rule n (1 to 5) is considered when the row's value of
// the rule's columns contains the match text (an empty match text is in every value); its
// salutation text, filled from the row, is the result when at least one table variable was
// replaced for the row as its last variable found. A rule without the separator never
// applies. When no rule applies, or the row has neither first nor last name, the result is
// ANREDELEER ("Wenn Vor und Zuname leer sind:"), so no letter opens with "Hallo !".
QString ComputePersonalSalutation(const AddressValues& row, const Configuration& config);

// One row of the dialog: "Anredetext", "wenn Text", "im Feld".
struct SalutationRule
{
    QString text;
    QString matchText;
    QString columns;

    bool operator==(const SalutationRule&) const = default;
};

struct SalutationSettings
{
    std::array<SalutationRule, 5> rules;
    QString emptyNamesText; // ANREDELEER

    bool operator==(const SalutationSettings&) const = default;
};

// The settings as the configuration's line list holds them (a key without a line shows its
// value in force). A rule's key is split at its first separator; one without the separator
// leaves text and match text empty.
SalutationSettings ReadSalutationSettings(const Configuration& config);

// Puts ANREDETEXTn as text + "¿¿" + match text, ODBCANREDEn and ANREDELEER into the line list.
void PutSalutationSettings(Configuration& config, const SalutationSettings& settings);

// The "im Feld" value after choosing `column`: appended, after "," when the field is not empty.
QString AppendColumn(const QString& columns, const QString& column);

// A configuration file shorter than this is never rewritten by the salutation settings.
inline constexpr int kSalutationMinimumLines = 20;

// Shows the dialog with the current settings; no value when it was cancelled.
using SalutationDialogRunner = std::function<std::optional<SalutationSettings>(
    const Configuration&, const SalutationSettings&)>;

// The change of the salutation settings: the change transaction of the configuration around
// `runDialog`. A file that held fewer than kSalutationMinimumLines lines when it was read is
// refused with "Die Konfigurationsdatei wird nicht aktualisiert!" and stays as it was, also
// when the keys the dialog adds would lengthen it past that count.
ConfigChangeResult EditSalutationSettings(Configuration& config, bool networkMode,
                                          const SalutationDialogRunner& runDialog);

} // namespace fakvo
