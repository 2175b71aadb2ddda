// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "draw/draw_engine.h"

#include <algorithm>
#include <utility>

#include "conversions/conversions.h"
#include "conversions/windows1252.h"

namespace quintara::draw {

using settings::ConditionKind;

bool rangeIsDrawable(const settings::DrawRange& range) {
    constexpr int kSlotCount = 7;
    const long topCandidate = long{range.RangeLow} + long{range.RangeHigh} - 1;
    return range.RangeHigh >= kSlotCount && range.RangeLow >= 1 && topCandidate <= 32767;
}

double phraseSumOf(const std::string& phraseText) {
    double sum = 0.0;
    for (const char code : conversions::encodeWindows1252(phraseText)) {
        sum += static_cast<unsigned char>(code);
    }
    return sum;
}

DrawEngine::DrawEngine(platform::RandomSource& random, platform::Clock& clock,
                       NumberDisplay& display, ProgressHook stillDrawing)
    : random_(random), clock_(clock), display_(display), stillDrawing_(std::move(stillDrawing)) {}

// A failed column is drawn again from the start, as often as it takes: a loop, so that neither
// the stack nor the memory grows with the number of attempts.
ColumnOutcome DrawEngine::DrawColumn(int column, const settings::DrawConditions& conditions,
                                     const settings::DrawRange& range) {
    attempts_ = 0;
    if (!rangeIsDrawable(range)) {
        return ColumnOutcome::InvalidRange;
    }
    const ColumnTest test(conditions);
    if (!test.canBeMetOver(range)) {
        return ColumnOutcome::NoPassingColumn;
    }
    for (;;) {
        ++attempts_;
        seed(conditions);
        fillSlots(slotsOf(column), range);
        showJollyBox(conditions);
        if (CheckColumn(column, test)) {
            return ColumnOutcome::Passed;
        }
        if (attempts_ % kAttemptsPerProgressReport == 0 && stillDrawing_) {
            stillDrawing_();
        }
    }
}

void DrawEngine::seed(const settings::DrawConditions& conditions) {
    if (conditions.Condition == ConditionKind::Phrase) {
        PhraseSum = phraseSumOf(conditions.PhraseText);
        random_.reseed(PhraseSum);
    } else {
        random_.reseed(clock_.secondsSinceMidnight());
    }
}

// A clash with any other slot (empty slots hold 0, below every candidate) is redrawn in place.
void DrawEngine::fillSlots(Slots& slots, const settings::DrawRange& range) {
    slots.fill(0);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        bool clashes = true;
        while (clashes) {
            const double k = conversions::integerPart(random_.next() * range.RangeHigh);
            slots[i] = static_cast<std::int16_t>(range.RangeLow + static_cast<int>(k));
            clashes = false;
            for (std::size_t j = 0; j < slots.size() && !clashes; ++j) {
                clashes = j != i && slots[j] == slots[i];
            }
        }
    }
}

void DrawEngine::showJollyBox(const settings::DrawConditions& conditions) {
    if (conditions.ShowJollyNumber) {
        display_.setJollyCaption(conversions::DecimalText(Slots1[6]).view());
        display_.setJollyBackStyle(BackStyle::Transparent);
        return;
    }
    display_.setJollyCaption("");
    display_.setJollyBackStyle(BackStyle::Opaque);
    const int index = 1 + static_cast<int>(conversions::integerPart(random_.next() * 6));
    display_.setJollyBackColor(ColorTable[index]);
}

bool DrawEngine::CheckColumn(int column, const ColumnTest& test) {
    Slots& slots = slotsOf(column);
    for (int k = 5; k >= 0; --k) {
        int picked = -1;
        std::int16_t largest = 0;
        for (int i = 0; i < 6; ++i) {
            if (slots[i] > largest) {
                largest = slots[i];
                picked = i;
            }
        }
        Sorted[k] = largest;
        if (picked >= 0) {
            slots[picked] = 0;
        }
        display_.setNumberCaption(column, k, conversions::DecimalText(Sorted[k]).view());
    }
    std::array<std::int16_t, 6> shown{};
    std::copy_n(Sorted.begin(), shown.size(), shown.begin());
    return test.passes(shown);
}

}  // namespace quintara::draw
