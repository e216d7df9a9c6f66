#pragma once

#include <cstdint>
#include <optional>

namespace orv {

// The arithmetic that places the captions and boxes of a field, in twips. The column sums
// are 16-bit, as the field's design demands: a sum past the range is an overflow, and the
// layout ends there with the positions reached so far.
struct FieldLayoutInput {
    std::int16_t pixel = 15; // vertical twips per pixel
    std::int16_t widthCode = 0;
    std::int16_t widthDescription = 0;
    std::int16_t widthSecondDescription = 0;
    bool visibleCode = false;
    bool visibleDescription = false;
    bool visibleSecondDescription = false;
    bool accounts = false; // search type 3: the second description box is never shown
    std::int16_t codeCaptionHeight = 195;
};

struct TwipPoint {
    int left = 0;
    int top = 0;
};

// What the layout does, step by step; a step not reached (after an overflow) is left unset.
struct FieldLayoutResult {
    bool codeColumnVisible = false;
    bool descriptionColumnVisible = false;
    bool secondDescriptionVisible = false;
    std::optional<TwipPoint> codeCaption, codeBox, descriptionCaption, descriptionBox;
    std::optional<TwipPoint> secondDescriptionBox;
    std::optional<int> codeBoxWidth;        // set only when the second column's room goes to it
    std::optional<int> descriptionBoxWidth; // set whenever the description column is shown
    std::optional<int> width;
    std::optional<int> height;
    bool overflow = false; // a sum left the 16-bit range: the steps after it did not run
};

FieldLayoutResult computeFieldLayout(const FieldLayoutInput &in);

} // namespace orv
