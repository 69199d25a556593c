#pragma once
// The four table sets of the configuration, each with its own data source, login, table and
// row-limit dialect.

namespace fakvo {

enum class TableSet
{
    Addresses,
    Products,
    JournalHeaders, // the document journal's header table, "protadr" by default
    JournalLines,   // its line table, "protpr" by default
};

} // namespace fakvo
