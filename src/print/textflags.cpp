#include "textflags.h"

namespace fakvo {

std::optional<QColor> FillColor(unsigned fillFlags)
{
    if (fillFlags & kFillGray)
        return QColor(128, 128, 128);
    if (fillFlags & kFillLightGray)
        return QColor(192, 192, 192);
    if (fillFlags & kFillDarkGray)
        return QColor(64, 64, 64);
    if (fillFlags & kFillBlack)
        return QColor(0, 0, 0);
    return std::nullopt;
}

bool NeedsWhiteText(unsigned fillFlags)
{
    return !(fillFlags & (kFillGray | kFillLightGray)) &&
           (fillFlags & (kFillDarkGray | kFillBlack));
}

unsigned AlignmentFlags(const QString& word)
{
    if (word == u"center" || word == u"CENTER")
        return kTextCentre;
    if (word == u"right" || word == u"RIGHT")
        return kTextRight;
    return kTextLeft;
}

} // namespace fakvo
