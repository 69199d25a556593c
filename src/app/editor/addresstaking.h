#pragma once
// An address row of the user's address table as the editor takes it into the recipient block.

#include "app/editor/recipientrules.h"
#include "storage/addressstore.h"
#include "texts/placeholders.h"

namespace fakvo {

struct Configuration;

// The recipient of a row: the customer number plus ODBCKUNDENNRADDITION, the address lines,
// the country by its dialling code, e-mail, mobile, fax, title, first and last name, personal
// salutation, selection date (yyyymmdd) and the five free fields; the phone only when it is
// longer than three characters. The postal code is taken as it stands; the editor applies the
// country rules.
TakenAddress AddressForEditor(const AddressRecord& record, const Configuration& config);

// The row as the salutation rules and the text variables read it.
AddressValues AddressValuesOf(const AddressRecord& record);

} // namespace fakvo
