#include "FieldLayout.h"

#include <limits>

namespace orv {

namespace {

// A 16-bit sum; false when it leaves the range.
bool add16(int a, int b, std::int16_t &sum)
{
    const int wide = a + b;
    if (wide > std::numeric_limits<std::int16_t>::max() || wide < std::numeric_limits<std::int16_t>::min())
        return false;
    sum = static_cast<std::int16_t>(wide);
    return true;
}

FieldLayoutResult overflowed(FieldLayoutResult out)
{
    out.overflow = true;
    return out;
}

} // namespace

FieldLayoutResult computeFieldLayout(const FieldLayoutInput &in)
{
    FieldLayoutResult out;
    out.codeColumnVisible = in.visibleCode;
    out.descriptionColumnVisible = in.visibleDescription;
    out.secondDescriptionVisible = in.visibleSecondDescription && !in.accounts;

    const std::int16_t p = in.pixel;
    std::int16_t gap = 0; // four pixels
    std::int16_t twoPixels = 0;
    if (!add16(p, p, twoPixels) || !add16(twoPixels, twoPixels, gap))
        return overflowed(out);
    // Every box sits one pixel below the code caption, whether or not the code column shows.
    std::int16_t boxTop = 0;
    const auto computeBoxTop = [&] { return add16(p, in.codeCaptionHeight, boxTop); };

    std::int16_t x1 = 0;
    if (in.visibleCode) {
        out.codeCaption = TwipPoint{0, 0};
        if (!computeBoxTop())
            return overflowed(out);
        out.codeBox = TwipPoint{0, boxTop};
        if (!add16(gap, in.widthCode, x1))
            return overflowed(out);
    }
    std::int16_t x2 = x1;
    if (in.visibleDescription) {
        out.descriptionCaption = TwipPoint{x1, 0};
        if (!computeBoxTop())
            return overflowed(out);
        out.descriptionBox = TwipPoint{x1, boxTop};
        out.descriptionBoxWidth = in.widthDescription;
        std::int16_t end = 0;
        if (!add16(x1, in.widthDescription, end) || !add16(end, gap, x2))
            return overflowed(out);
    }
    if (in.accounts && in.visibleSecondDescription) {
        std::int16_t widened = 0;
        if (in.visibleDescription) {
            if (!add16(in.widthDescription, in.widthSecondDescription, widened))
                return overflowed(out);
            out.descriptionBoxWidth = widened;
        } else {
            if (!add16(in.widthCode, in.widthSecondDescription, widened))
                return overflowed(out);
            out.codeBoxWidth = widened;
        }
    }
    if (!computeBoxTop())
        return overflowed(out);
    out.secondDescriptionBox = TwipPoint{x2, boxTop};
    std::int16_t width = x2;
    if (in.visibleSecondDescription && !add16(x2, in.widthSecondDescription, width))
        return overflowed(out);
    out.width = width;
    out.height = 600;
    return out;
}

} // namespace orv
