// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

#include "platform/random_source.h"

namespace quintara::platform {

// xoshiro256** (Blackman and Vigna), its state expanded and re-seeds mixed in with SplitMix64.
// Small, fast and statistically sound, which is all a lottery proposal needs; it is not meant
// for cryptography.
class XoshiroRandomSource final : public RandomSource {
public:
    using State = std::array<std::uint64_t, 4>;

    // Starts from the operating system's entropy, so two runs started in the same second differ.
    XoshiroRandomSource();

    // A fixed starting state, for repeatable tests only.
    static XoshiroRandomSource withFixedState(std::uint64_t seed);

    void reseed(double seed) override;
    double next() override;

private:
    explicit XoshiroRandomSource(const State& state);

    std::uint64_t nextBits();

    State state_;
};

}  // namespace quintara::platform
