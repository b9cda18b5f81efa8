// Random.h: the generator's random numbers, SplitMix64 with an unbiased bounded draw, the same on every machine.
#pragma once

#include <cstdint>

// SplitMix64 (a Weyl sequence with step 0x9E3779B97F4A7C15 through a 64-bit
// finaliser). Written out here, with the draw below, so that a seed gives the
// same problem whatever standard library the game is built with.
class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in 0..bound-1 (bound ≥ 1): Lemire's multiply-and-shift on the
    // high 32 bits of a draw, drawing again for the few products that would
    // favour some values.
    std::uint32_t Below(std::uint32_t bound)
    {
        std::uint64_t product = (Next() >> 32) * bound;
        auto low = static_cast<std::uint32_t>(product);
        if (low < bound) {
            const std::uint32_t threshold = (0u - bound) % bound;
            while (low < threshold) {
                product = (Next() >> 32) * bound;
                low = static_cast<std::uint32_t>(product);
            }
        }
        return static_cast<std::uint32_t>(product >> 32);
    }

private:
    std::uint64_t state_;
};
