#pragma once
// The working settings of one configuration profile: a dBASE table per workstation and
// profile ("<file stem><profile number>", one character field WERT of 80), 200 records of
// which 1 to 23 hold the last used conditions, printer names, search column, display period
// and a few switches. The table is open only for the moment of a read or a write.

#include "localtable.h"

#include <QString>

#include <array>

namespace fakvo {

// Record numbers of the working settings.
namespace WorkSetting {
enum : int
{
    SearchColumn = 1,         // empty reads as "SUCHBEGRIFF"
    Discount = 2,             // percent, text
    CashDiscount = 3,         // percent, text
    PaymentMethod = 4,        // text
    PaymentTerm = 5,          // days, text
    Printer1 = 6,             // standard documents A4
    Printer2 = 7,             // forms with payment slip
    Printer3 = 8,             // labels
    Printer4 = 9,             // e-mail with PDF attachment
    Duplex = 10,              // number
    ShippingMethod = 11,      // number
    Validity = 12,            // days, number
    SlipPrinter = 13,         // printer for payment slips
    PeriodFrom = 14,          // yyyymmdd, 0 reads as 20000101
    PeriodTo = 15,            // yyyymmdd, 0 reads as 20400101
    PrintSet = 16,            // e.g. "AUTODRUCK:1", empty reads as that
    HelpTips = 17,            // 1 on, 0 off; empty reads as 1
    Printer5 = 18,            // PDF document copy
    Printer7 = 19,            // fax output
    ProductLines = 20,        // lines per product row, 0 reads as PRODUKTZEILEN
    HelpTipState = 21,        // number
    GrossFlag = 22,           // number
    ProductWindowHidden = 23, // 1 hides the extended product entry window
};
} // namespace WorkSetting

inline constexpr int kWorkSettingCount = 23;
inline constexpr int kWorkSettingsRecords = 200;
inline constexpr int kWorkSettingLength = 80;

// "<stem><profile>", the profile's 1-based position in the profile list.
QString SettingsTableName(const QString& stem, int profileNumber);

// A stored value as it reads back: trimmed, with the defaults of the records that have one.
QString WorkSettingReadBack(int n, const QString& stored, int productLines);

class WorkSettings
{
public:
    // `path`: the table file in the data folder; `productLines`: PRODUKTZEILEN, which stands
    // in for a record 20 of 0.
    WorkSettings(QString path, int productLines);

    const QString& Path() const { return path_; }

    // Reads records 1 to 23. A missing table is created first with 200 blank records and its
    // file name is noted in "Fakvo.log". On failure the values keep their defaults.
    TableStatus Load();

    // Record n (1 to 23) as read back by Load or the last write; empty for other numbers.
    QString Text(int n) const;
    // Whether record n holds a value of its own (not blank), before any default applies.
    bool IsStored(int n) const;
    // The same read as an integer (atol), as the number records are used.
    long long ReadSetting(int n) const;

    // Opens the table, assigns the text to record n (blank-padded, cut at 80), flushes and
    // closes it again.
    TableStatus WriteSetting(int n, const QString& text);
    // The same with the value written as a decimal number.
    TableStatus WriteSettingNumber(int n, long long value);

private:
    QString path_;
    int productLines_;
    std::array<QString, kWorkSettingCount + 1> values_; // [0] unused
    std::array<bool, kWorkSettingCount + 1> stored_{};
};

} // namespace fakvo
