#include "app/editor/addresstaking.h"

#include "app/editor/recipientrules.h"
#include "app/model/dates.h"
#include "config/configuration.h"

#include <climits>

namespace fakvo {
namespace {

// A selection date as the table holds it: yyyymmdd, or a date text.
int SelectionDate(const QString& text, const Configuration& config)
{
    QString digits = text.trimmed();
    digits.remove(u'-');
    bool ok = false;
    const int value = digits.left(8).toInt(&ok);
    if (ok && digits.size() >= 8 && value > 19000000)
        return value;
    return ParseDate(text.trimmed(), config);
}

} // namespace

TakenAddress AddressForEditor(const AddressRecord& record, const Configuration& config)
{
    TakenAddress taken;
    Recipient& r = taken.recipient;
    bool ok = false;
    const long long number = record.customerNumber.trimmed().toLongLong(&ok);
    const long long withOffset = ok ? number + config.ODBCKUNDENNRADDITION : 0;
    r.customerNumber = withOffset > 0 && withOffset <= INT_MAX ? static_cast<int>(withOffset) : 0;
    r.attention = record.attention;
    r.name = record.name;
    r.name2 = record.name2;
    r.street = record.street;
    r.postalCode = record.postalCode;
    r.town = record.town;
    r.country = CountryFromAddressText(record.country);
    r.email = record.email;
    r.mobile = record.mobile;
    r.fax = record.fax;
    if (record.phone.size() > 3)
        r.phone = record.phone;
    r.title = record.title;
    r.firstName = record.firstName;
    r.lastName = record.lastName;
    r.personalSalutation = record.personalSalutation;
    r.selectionDate = SelectionDate(record.selectionDate, config);
    r.freeFields = record.freeFields;
    taken.vatId = record.vatId;
    taken.reference = record.optional;
    return taken;
}

AddressValues AddressValuesOf(const AddressRecord& record)
{
    AddressValues values;
    values.id = record.id.trimmed().toLongLong();
    values.attention = record.attention;
    values.name = record.name;
    values.name2 = record.name2;
    values.street = record.street;
    values.town = record.town;
    values.postalCode = record.postalCode;
    values.country = record.country;
    values.title = record.title;
    values.firstName = record.firstName;
    values.lastName = record.lastName;
    values.phone = record.phone;
    values.mobile = record.mobile;
    values.email = record.email;
    values.optional = record.optional;
    values.vatId = record.vatId;
    values.freeFields = record.freeFields;
    values.salutationColumns = record.salutationColumns;
    values.personalSalutation = record.personalSalutation;
    return values;
}

} // namespace fakvo
