#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A finding: the input is kept by libFuzzer as a crash.
#define ORV_FUZZ_CHECK(condition, what)                                                                      \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "check failed: %s\n", qUtf8Printable(what));                                \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

namespace orv::fuzz {

// The input as the text a user or a file gives: UTF-8, with invalid bytes replaced.
inline QString textOf(const std::uint8_t *data, std::size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

} // namespace orv::fuzz
