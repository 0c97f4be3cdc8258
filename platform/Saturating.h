#pragma once

#include <QtGlobal>

namespace platform {

// Sums and products of byte counts taken from files, which may claim anything: at most the
// largest number, never wrapped round to a small one.
struct Saturating {
    static quint64 plus(quint64 a, quint64 b)
    {
        quint64 sum = 0;
        return __builtin_add_overflow(a, b, &sum) ? ~quint64(0) : sum;
    }
    static quint64 times(quint64 a, quint64 b)
    {
        quint64 product = 0;
        return __builtin_mul_overflow(a, b, &product) ? ~quint64(0) : product;
    }
};

}  // namespace platform
