#pragma once
// The file cipher: encrypts or decrypts one file in place under a password of at most 20
// bytes. It is called like a command-line program, with an argument vector:
//   argv[0] any name, argv[1] the file, argv[2] "/V" (encrypt) or "/E" (decrypt),
//   argv[3] optional "/P:" followed by the password, argv[4] optional "/K" (no output).
// An encrypted file is a 40-byte header (marker, password check) followed by the content,
// each byte shifted by a key byte and by the running difference to its predecessor.
// The input file is replaced only when the whole output was written; a failure leaves it
// as it was.

#include <QByteArray>

#include <functional>

namespace fakvo {

// The console the cipher talks to: where its messages go and where a password typed in by
// the user comes from (without echo). `readPassword` is asked only when no "/P:" is given.
struct CryptConsole
{
    std::function<void(const QByteArray& text)> write;
    std::function<QByteArray(const QByteArray& prompt)> readPassword;
};

// The process's own console: standard output, and the terminal with echo switched off.
CryptConsole StandardCryptConsole();

// Returns 0 when the work was done or the usage text was printed, 1 on an error.
int Crypt(int argc, const char* const argv[], const CryptConsole& console);
int Crypt(int argc, const char* const argv[]);

} // namespace fakvo
