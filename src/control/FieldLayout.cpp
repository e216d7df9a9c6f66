#include "FieldLayout.h"

#include "data/RuntimeError.h"

#include <limits>

namespace orv {

namespace {
std::int16_t add16(int a, int b)
{
    const int sum = a + b;
    if (sum > std::numeric_limits<std::int16_t>::max() || sum < std::numeric_limits<std::int16_t>::min())
        raiseOverflow();
    return static_cast<std::int16_t>(sum);
}
} // namespace

FieldLayoutResult computeFieldLayout(const FieldLayoutInput &in)
{
    FieldLayoutResult out;
    out.codeColumnVisible = in.visibleCode;
    out.descriptionColumnVisible = in.visibleDescription;
    out.secondDescriptionVisible = in.visibleSecondDescription && !in.accounts;

    const std::int16_t p = in.pixel;
    const std::int16_t boxTop = add16(p, in.codeCaptionHeight);
    const std::int16_t gap = add16(add16(p, p), add16(p, p));

    std::int16_t x1 = 0;
    if (in.visibleCode) {
        out.codeCaption = TwipPoint{0, 0};
        out.codeBox = TwipPoint{0, boxTop};
        x1 = add16(gap, in.widthCode);
    }
    std::int16_t x2 = x1;
    if (in.visibleDescription) {
        out.descriptionCaption = TwipPoint{x1, 0};
        out.descriptionBox = TwipPoint{x1, boxTop};
        out.descriptionBoxWidth = in.widthDescription;
        x2 = add16(add16(x1, in.widthDescription), gap);
    }
    if (in.accounts && in.visibleSecondDescription) {
        if (in.visibleDescription)
            out.descriptionBoxWidth = add16(in.widthDescription, in.widthSecondDescription);
        else
            out.codeBoxWidth = add16(in.widthCode, in.widthSecondDescription);
    }
    out.secondDescriptionBox = TwipPoint{x2, boxTop};
    out.width = in.visibleSecondDescription ? add16(x2, in.widthSecondDescription) : x2;
    out.height = 600;
    return out;
}

} // namespace orv
