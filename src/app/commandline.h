#pragma once
// The command line of fakvo: options that select profile, network role, server mode and
// automatic jobs.
//
// Each argument that begins with "-" (or "/", unless the argument names an existing file or
// folder) is one option: the letter after the sign, in either case, and as value the rest of
// the argument. A following argument without an option sign continues that value after a
// blank, as an unquoted path with blanks would on a single Windows command line. A "-"
// inside a value never starts a new option, so paths like /home/anna-maria/x stay whole.

#include <QString>
#include <QStringList>

#include <functional>

namespace fakvo {

// How a letter job (-D) is shipped, chosen by -P.
enum class LetterShipping
{
    Post,
    LetterService,
    EMail
};

struct StartOptions
{
    QString letterJobFile;            // -D
    bool endAfterJob = false;         // -E
    bool noPdf = false;               // -F
    int autoCustomerNumber = 0;       // -G number;file
    QString autoTemplateFile;         // -G number;file
    bool allowSecondInstance = false; // -I with a number other than 0
    int profileIndex = 0;             // -K number
    QString explicitConfigFile;       // -K file
    bool printAfterSave = false;      // -L, also switched on by -G
    bool noNetwork = false;           // -N
    bool skipSystemQuery = false;     // -O
    bool letterShippingGiven = false; // -P
    LetterShipping letterShipping = LetterShipping::Post;
    bool serverMode = false;    // -S
    int serverClientNumber = 0; // -S number
    bool plainFiles = false;    // -V
};

struct CommandLineResult
{
    StartOptions options;
    // Messages to show before the window starts (an ill-formed -G, a missing file).
    QStringList messages;
    // True when the application must end at once: an unknown option letter (silently) or a
    // named file that does not exist (after its message).
    bool endNow = false;
};

// `arguments` excludes the program name. `pathExists` answers whether a file or folder
// exists (a seam for tests).
CommandLineResult ParseCommandLine(const QStringList& arguments,
                                   const std::function<bool(const QString&)>& pathExists);

} // namespace fakvo
