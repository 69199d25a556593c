// fakvo-cr: the file cipher as a command-line program.
//   fakvo-cr <Dateiname> </V | /E> [/P:Passwort] [/K]

#include "support/crypt.h"

int main(int argc, char* argv[])
{
    return fakvo::Crypt(argc, argv);
}
