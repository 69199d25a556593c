#pragma once
// The dialling form of a typed phone, mobile or fax number.

#include <QString>

namespace fakvo {

struct Configuration;

// "+" country code "(" area code ")" subscriber number, e.g. "+43(662)123456" for
// "0662 123456"; without the parentheses when `compact` is set ("+43662123456").
// A number typed without prefix gets the own country and area code (EIGENERLAENDERCODE,
// EIGENETELEFONVORWAHL); a national one ("0…") the own country code. A "(0)" right after the
// country code ("+43 (0)662 …") is the trunk prefix and is dropped. A text without
// subscriber digits (empty, "+", "0662") gives the empty text: there is nothing to dial.
QString CanonicalPhoneNumber(const QString& number, bool compact, const Configuration& config);

} // namespace fakvo
