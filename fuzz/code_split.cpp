// The split of a typed full code into its levels: the first byte chooses the separator (one
// character, none, or two), the rest is the code. The parts joined by the separator give the
// code back, and only the last part may hold a separator, at its end.
#include "FuzzSupport.h"

#include "browser/CodeSearch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString code = orv::fuzz::textOf(data + 1, size - 1);
    const QString separator = data[0] % 4 == 0   ? QString()
                              : data[0] % 4 == 1 ? QStringLiteral("..")
                                                 : QString(QChar(data[0] & 0x7f));
    const QStringList parts = orv::browser::splitCode(code, separator);
    ORV_FUZZ_CHECK(parts.join(separator.size() == 1 ? separator : QString()) == code, code);
    if (separator.size() != 1) {
        ORV_FUZZ_CHECK(parts.size() == (code.isEmpty() ? 0 : 1), code);
        return 0;
    }
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const qsizetype at = parts[i].indexOf(separator);
        ORV_FUZZ_CHECK(at < 0 || (i == parts.size() - 1 && at == parts[i].size() - 1), code);
    }
    return 0;
}
