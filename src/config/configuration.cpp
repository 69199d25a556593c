#include "configuration.h"

#include "config/password.h"

#include <array>

namespace fakvo {
namespace {

// ---- Reading a value in each form -------------------------------------------------------

// Overwrites the first pieces of `target` with the given ones; pieces the file leaves out
// keep their current (default) values.
template <typename T, typename Convert>
void AssignPieces(QList<T>& target, const QString& value, Convert convert)
{
    if (value.isEmpty())
        return;
    const QStringList pieces = ParseList(value);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i < target.size())
            target[i] = convert(pieces[i]);
        else
            target.append(convert(pieces[i]));
    }
}

void AssignItem(TextItem& item, const QString& fileValue, const char* pieceNames)
{
    const QStringList names = QString::fromLatin1(pieceNames).split(u',');
    const QStringList pieces = ParseList(fileValue);
    for (qsizetype i = 0; i < pieces.size() && i < names.size(); ++i) {
        const QString& name = names[i];
        const QString& piece = pieces[i];
        if (name == u"text")
            item.text = piece;
        else if (name == u"text2")
            item.text2 = piece;
        else if (name == u"align")
            item.alignment = ParseAlignment(piece);
        else if (name == u"x")
            item.x = ParseInteger(piece);
        else if (name == u"y")
            item.y = ParseInteger(piece);
        else if (name == u"w")
            item.width = ParseInteger(piece);
        else if (name == u"h")
            item.height = ParseInteger(piece);
        else if (name == u"n")
            item.number = ParseInteger(piece);
        else if (name == u"size")
            item.fontSize = ParseInteger(piece);
        else if (name == u"last")
            item.last = ParseInteger(piece);
    }
}

QString ItemFileValue(const TextItem& item, const char* pieceNames)
{
    QStringList out;
    const QStringList names = QString::fromLatin1(pieceNames).split(u',');
    for (const QString& name : names) {
        if (name == u"text")
            out << item.text;
        else if (name == u"text2")
            out << item.text2;
        else if (name == u"align")
            out << AlignmentWord(item.alignment);
        else if (name == u"x")
            out << QString::number(item.x);
        else if (name == u"y")
            out << QString::number(item.y);
        else if (name == u"w")
            out << QString::number(item.width);
        else if (name == u"h")
            out << QString::number(item.height);
        else if (name == u"n")
            out << QString::number(item.number);
        else if (name == u"size")
            out << QString::number(item.fontSize);
        else if (name == u"last")
            out << QString::number(item.last);
    }
    return out.join(u',');
}

template <KeyForm F>
void AssignValue(typename KeyValueType<F>::type& member, const QString& value, const char* pieces)
{
    if constexpr (F == KeyForm::Flag || F == KeyForm::Integer)
        member = ParseInteger(value);
    else if constexpr (F == KeyForm::TruncatedInteger)
        member = ParseTruncatedInteger(value);
    else if constexpr (F == KeyForm::Decimal)
        member = ParseDecimal(value);
    else if constexpr (F == KeyForm::List)
        AssignPieces(member, value, [](const QString& p) { return p; });
    else if constexpr (F == KeyForm::IntegerList)
        AssignPieces(member, value, [](const QString& p) { return ParseInteger(p); });
    else if constexpr (F == KeyForm::Item)
        AssignItem(member, value, pieces);
    else if constexpr (F == KeyForm::MultiLineText)
        member = QString(value).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    else if constexpr (F == KeyForm::Password)
        member = PasswordFromFileValue(value);
    else
        member = value;
}

template <KeyForm F>
QString FileValue(const typename KeyValueType<F>::type& member, const char* pieces)
{
    if constexpr (F == KeyForm::Flag || F == KeyForm::Integer || F == KeyForm::TruncatedInteger)
        return QString::number(member);
    else if constexpr (F == KeyForm::Decimal)
        return QString::number(member, 'g', 15);
    else if constexpr (F == KeyForm::List)
        return member.join(u',');
    else if constexpr (F == KeyForm::IntegerList) {
        QStringList texts;
        for (int value : member)
            texts << QString::number(value);
        return texts.join(u',');
    } else if constexpr (F == KeyForm::Item)
        return ItemFileValue(member, pieces);
    else if constexpr (F == KeyForm::MultiLineText)
        return QString(member).replace(u'\n', QStringLiteral("\\n"));
    else if constexpr (F == KeyForm::Password)
        return PasswordToFileValue(member);
    else
        return member;
}

// ---- Load rules: values that are transformed as their line is read ------------------------

void NoRule(Configuration&) {}

void RuleOwnCountry(Configuration& c)
{
    if (c.EIGENERLAENDERCODE == 0)
        c.EIGENERLAENDERCODE = 43;
}

void RuleStartInvoiceNumber(Configuration& c)
{
    // The running part of an invoice number has five digits at most.
    if (c.STARTRECHNUNGSNUMMER > 99999)
        c.STARTRECHNUNGSNUMMER %= 100000;
}

void RuleFont(Configuration& c)
{
    if (c.FONT.contains(QStringLiteral("Helvetica")))
        c.FONT = QStringLiteral("Arial");
}

void RuleOwnAreaCode(Configuration& c)
{
    if (c.EIGENETELEFONVORWAHL.startsWith(u'0'))
        c.EIGENETELEFONVORWAHL.remove(0, 1);
}

constexpr bool Reset = true;
constexpr bool Keep = false;

const auto kKeyTable = std::to_array<KeyEntry>({
#define FAKVO_KEY(name, form, def, pieces, rule, reset)                                            \
    {#name,                                                                                        \
     KeyForm::form,                                                                                \
     def,                                                                                          \
     pieces,                                                                                       \
     reset,                                                                                        \
     [](Configuration& c) { c.name = KeyValueType<KeyForm::form>::type{}; },                       \
     [](Configuration& c, const QString& v) {                                                      \
         AssignValue<KeyForm::form>(c.name, v, pieces);                                            \
         rule(c);                                                                                  \
     },                                                                                            \
     [](const Configuration& c) { return FileValue<KeyForm::form>(c.name, pieces); }},
#include "config/keys.def"
#undef FAKVO_KEY
});

// Resets every member whose key is reset before a load (or all of them at start).
void ApplyDefaults(Configuration& config, bool includeKeptKeys)
{
    for (const KeyEntry& entry : kKeyTable) {
        if (entry.resetOnLoad || includeKeptKeys) {
            entry.clear(config);
            entry.apply(config, QString::fromLatin1(entry.defaultText));
        }
    }
}

} // namespace

Configuration::Configuration()
{
    ApplyDefaults(*this, true);
}

std::span<const KeyEntry> KeyTable()
{
    return kKeyTable;
}

const KeyEntry* FindKeyForLine(QStringView lineKey)
{
    const KeyEntry* best = nullptr;
    qsizetype bestLength = 0;
    for (const KeyEntry& entry : kKeyTable) {
        const auto name = QLatin1StringView(entry.name);
        if (name.size() > bestLength && lineKey.startsWith(name)) {
            best = &entry;
            bestLength = name.size();
        }
    }
    return best;
}

const KeyEntry* FindKey(QStringView key)
{
    for (const KeyEntry& entry : kKeyTable) {
        if (key == QLatin1StringView(entry.name))
            return &entry;
    }
    return nullptr;
}

void ResetConfigurationDefaults(Configuration& config)
{
    ApplyDefaults(config, false);
}

} // namespace fakvo
