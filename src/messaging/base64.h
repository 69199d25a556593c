#pragma once
// Content transfer encoders for mail parts. CBase64 is the Base64 coder of RFC 2045 with the
// standard alphabet and '=' as fill character.

#include <QByteArray>

namespace fakvo {

class CMIMECode
{
public:
    virtual ~CMIMECode() = default;
    // Decoding skips characters outside the alphabet (line breaks) and ends at the fill.
    virtual QByteArray Decode(const QByteArray& text) const = 0;
    virtual QByteArray Encode(const QByteArray& bytes) const = 0;
};

class CBase64 : public CMIMECode
{
public:
    QByteArray Decode(const QByteArray& text) const override;
    // One run of characters without line breaks, filled with '=' to a multiple of four.
    QByteArray Encode(const QByteArray& bytes) const override;
};

} // namespace fakvo
