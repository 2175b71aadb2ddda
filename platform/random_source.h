// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace quintara::platform {

// The draw's source of chance. A re-seed mixes the seed into the current state instead of
// replacing it: re-seeding with a value used before, after values were drawn in between, does
// not repeat the earlier sequence. The phrase condition re-seeds both columns with the same
// phrase sum, and redraws within one clock tick re-seed with the same clock value; both rely on
// getting new numbers all the same.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    virtual void reseed(double seed) = 0;

    // Uniform in [0, 1).
    virtual double next() = 0;
};

}  // namespace quintara::platform
