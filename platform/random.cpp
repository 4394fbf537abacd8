#include "platform/random.h"

#include "platform/clock.h"

#include <bit>
#include <cstdint>
#include <random>

namespace platform {
namespace {

std::mt19937& generator() {
    static std::mt19937 engine(0x7A5E1u);
    return engine;
}

} // namespace

void randomize() {
    randomize(clock().timeOfDay());
}

void randomize(double seed) {
    const auto bits = std::bit_cast<std::uint64_t>(seed);
    std::seed_seq sequence{static_cast<std::uint32_t>(bits),
                           static_cast<std::uint32_t>(bits >> 32)};
    generator().seed(sequence);
}

float rnd() {
    // 24 random bits fit a float exactly, so the result never rounds up to 1.
    return static_cast<float>(generator()() >> 8) / 16777216.0f;
}

} // namespace platform
