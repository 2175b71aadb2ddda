// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/random_source.h"

namespace quintara::testing {

// Hands out the values it was given, in order, and records every re-seed. Running out of values
// is a fault in the test (a wrong range formula, say, that keeps redrawing a clash): it throws
// at once, which fails the test there instead of drawing zeros, maybe for ever.
class ScriptedRandomSource final : public platform::RandomSource {
public:
    explicit ScriptedRandomSource(std::vector<double> values = {})
        : values_(values.begin(), values.end()) {}

    void add(std::vector<double> values) {
        values_.insert(values_.end(), values.begin(), values.end());
    }

    void reseed(double seed) override { seeds.push_back(seed); }
    double next() override {
        ++drawn;
        if (values_.empty()) {
            throw std::logic_error("the scripted random source ran dry at value " +
                                   std::to_string(drawn));
        }
        const double value = values_.front();
        values_.pop_front();
        return value;
    }

    std::size_t remaining() const { return values_.size(); }

    std::vector<double> seeds;
    long drawn = 0;

private:
    std::deque<double> values_;
};

// The value r that makes the draw pick candidate `number` of the range starting at `low` with
// `spread` candidates: it lands in the middle of the number's slice of [0, 1).
inline double valuePicking(int number, int low, int spread) {
    return (number - low + 0.5) / spread;
}

// The time of day stands still; the steady time moves only as the test says, or by `step` at
// every reading, so that a test reads the program's pacing in time of its own.
class FixedClock final : public platform::Clock {
public:
    explicit FixedClock(float seconds = 43200.5f) : seconds_(seconds) {}
    float secondsSinceMidnight() override {
        ++reads;
        return seconds_;
    }
    SteadyTime steadyNow() override { return steady += step; }

    long reads = 0;
    SteadyTime steady{};
    std::chrono::steady_clock::duration step{};

private:
    float seconds_;
};

}  // namespace quintara::testing
