// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/limited_line_edit.h"

#include <QValidator>

namespace quintara::form_controls {
namespace {

class TypedLengthValidator final : public QValidator {
public:
    explicit TypedLengthValidator(LimitedLineEdit& edit) : QValidator(&edit), edit_(edit) {}

    State validate(QString& input, int&) const override {
        return input.size() <= edit_.longestAllowed() ? Acceptable : Invalid;
    }

private:
    LimitedLineEdit& edit_;
};

}  // namespace

LimitedLineEdit::LimitedLineEdit(QWidget* parent, int maximumTypedLength)
    : QLineEdit(parent), limit_(maximumTypedLength) {
    setMaxLength(kLongestTextInABox);
    setValidator(new TypedLengthValidator(*this));
    // Only a change that passed (or a text set by the program) moves the baseline; the validator
    // sees the box's text already edited, so it cannot ask the box itself.
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { lengthBeforeEdit_ = text.size(); });
}

void LimitedLineEdit::setLoadedText(const QString& text) {
    // The validator judges the text as it is set too; an over-long text it refused would leave
    // the box without the protection of undoing refused edits afterwards.
    lengthBeforeEdit_ = text.size();
    setText(text);
}

}  // namespace quintara::form_controls
