// The number parsers: the leading-number parse of Variant and the id chain built on it, and
// Currency from text and from double. Nothing may crash or overflow silently: a value out of
// range is the runtime's error; an amount read reads back the same from its own text.
#include "FuzzSupport.h"

#include "data/Currency.h"
#include "data/RuntimeError.h"
#include "data/Variant.h"

#include <cstring>

namespace {

using namespace orv;

void readsBack(const Currency &amount)
{
    const QString text = amount.toText();
    ORV_FUZZ_CHECK(Currency::fromText(text) == amount, QStringLiteral("does not read back: ") + text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = fuzz::textOf(data, size);
    try {
        leadingLong(Variant(text));
    } catch (const RuntimeError &) {
    }
    for (const auto &read : {+[](const QString &t) { return Currency::fromText(t); },
                             +[](const QString &t) { return Currency::fromDouble(leadingNumber(t)); }}) {
        try {
            readsBack(read(text));
        } catch (const RuntimeError &error) {
            // Too large, or no number at all.
            ORV_FUZZ_CHECK(error.number() == kErrOverflow || error.number() == kErrTypeMismatch,
                           error.description());
        }
    }
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        try {
            readsBack(Currency::fromDouble(value));
        } catch (const RuntimeError &error) {
            ORV_FUZZ_CHECK(error.number() == kErrOverflow, error.description());
        }
    }
    return 0;
}
