// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/xoshiro_random_source.h"

#include <bit>
#include <random>

namespace quintara::platform {
namespace {

std::uint64_t splitMix64(std::uint64_t& counter) {
    std::uint64_t z = (counter += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

XoshiroRandomSource::State stateFromSeed(std::uint64_t seed) {
    XoshiroRandomSource::State state{};
    for (auto& word : state) {
        word = splitMix64(seed);
    }
    return state;
}

// xoshiro must never sit in the all-zero state, from which it cannot leave.
void avoidZeroState(XoshiroRandomSource::State& state) {
    if ((state[0] | state[1] | state[2] | state[3]) == 0) {
        state[0] = 0x9E3779B97F4A7C15ULL;
    }
}

}  // namespace

XoshiroRandomSource::XoshiroRandomSource() {
    std::random_device entropy;
    for (auto& word : state_) {
        word = (std::uint64_t{entropy()} << 32) ^ entropy();
    }
    avoidZeroState(state_);
}

XoshiroRandomSource::XoshiroRandomSource(const State& state) : state_(state) {
    avoidZeroState(state_);
}

XoshiroRandomSource XoshiroRandomSource::withFixedState(std::uint64_t seed) {
    return XoshiroRandomSource(stateFromSeed(seed));
}

void XoshiroRandomSource::reseed(double seed) {
    // Each word is replaced by a bijective scramble of itself and a seed-derived key, so the
    // result depends on the whole current state as well as on the seed.
    std::uint64_t keyCounter = std::bit_cast<std::uint64_t>(seed);
    for (auto& word : state_) {
        std::uint64_t mixed = word ^ splitMix64(keyCounter);
        word = splitMix64(mixed);
    }
    avoidZeroState(state_);
}

double XoshiroRandomSource::next() {
    // The top 53 bits fill a double's mantissa exactly: uniform in [0, 1).
    return static_cast<double>(nextBits() >> 11) * 0x1.0p-53;
}

std::uint64_t XoshiroRandomSource::nextBits() {
    const std::uint64_t result = std::rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t shifted = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= shifted;
    state_[3] = std::rotl(state_[3], 45);
    return result;
}

}  // namespace quintara::platform
