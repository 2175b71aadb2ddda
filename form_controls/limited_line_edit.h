// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

namespace quintara::form_controls {

// The most a text box holds: far more than a field of the settings file, so that no box cuts a
// text loaded from the file, and an over-long paste is refused by name when saving rather than
// cut without a word.
inline constexpr int kLongestTextInABox = 1 << 20;

// A text box that limits what the user types to a number of characters, but keeps a longer text
// set by the program (from a hand-edited settings file) whole. QLineEdit::setMaxLength would cut
// such a text as soon as it was set.
class LimitedLineEdit final : public QLineEdit {
public:
    LimitedLineEdit(QWidget* parent, int maximumTypedLength);

    // Sets a text the program read, which may be longer than the user could type.
    void setLoadedText(const QString& text);

    // The longest text an edit may leave: the limit, or the longer text the box already held
    // (so that deleting from it still works).
    qsizetype longestAllowed() const { return std::max<qsizetype>(limit_, lengthBeforeEdit_); }

private:
    int limit_;
    qsizetype lengthBeforeEdit_ = 0;
};

}  // namespace quintara::form_controls
