// Checked.h: integer arithmetic that raises the program's errors instead of wrapping.
#pragma once

#include <cstdint>
#include <limits>

#include "core/RunErrors.h"

inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b)
{
    std::int32_t r;
    if (__builtin_add_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b)
{
    std::int32_t r;
    if (__builtin_sub_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

inline std::int32_t CheckedMul(std::int32_t a, std::int32_t b)
{
    std::int32_t r;
    if (__builtin_mul_overflow(a, b, &r))
        throw EIntOverflow();
    return r;
}

// A whole number held in a double, stored into 32 bits; NaN or a value beyond
// the range raises the range error.
inline std::int32_t CheckedInt32(double value)
{
    if (!(value >= std::numeric_limits<std::int32_t>::min()
          && value <= std::numeric_limits<std::int32_t>::max()))
        throw ERangeError();
    return static_cast<std::int32_t>(value);
}
