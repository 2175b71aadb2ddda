// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/number_board.h"

#include <QLabel>
#include <QStringList>

#include "form_controls/shapes.h"
#include "main_window/ball_colours.h"

namespace quintara::main_window {
namespace {

QString placeName(int column, int index) {
    static const std::array<const char*, 6> kOrdinals = {"primo",  "secondo", "terzo",
                                                         "quarto", "quinto",  "sesto"};
    return QStringLiteral("Colonna %1, %2 numero").arg(column).arg(QLatin1String(kOrdinals[index]));
}

// The caption, and what a screen reader says of the box: where it stands and what it shows.
void showText(QLabel& box, const QString& text, const QString& spoken) {
    box.setText(text);
    box.setAccessibleName(spoken);
}

}  // namespace

NumberBoard::NumberBoard(Widgets widgets) : widgets_(widgets), jolly_(widgets.jolly->text()) {
    for (std::size_t c = 0; c < 2; ++c) {
        for (std::size_t k = 0; k < 6; ++k) {
            numbers_[c][k] = widgets_.columns[c][k]->text();
            showText(*widgets_.columns[c][k], numbers_[c][k],
                     placeName(static_cast<int>(c) + 1, static_cast<int>(k)) +
                         QStringLiteral(": ") + numbers_[c][k]);
        }
    }
    showText(*widgets_.jolly, jolly_, QStringLiteral("Numero Jolly: ") + jolly_);
}

void NumberBoard::show(const draw::Series& series) {
    for (std::size_t c = 0; c < 2; ++c) {
        for (std::size_t k = 0; k < 6; ++k) {
            numbers_[c][k] = QString::number(series.columns[c][k]);
            showText(*widgets_.columns[c][k], numbers_[c][k],
                     placeName(static_cast<int>(c) + 1, static_cast<int>(k)) +
                         QStringLiteral(": ") + numbers_[c][k]);
        }
    }
    jollyColour_ = series.jollyColour;
    jolly_ = jollyColour_ ? QString() : QString::number(series.jolly);
    QLabel& jolly = *widgets_.jolly;
    showText(jolly, jolly_,
             (jollyColour_ ? QStringLiteral("Numero Jolly nascosto: ")
                           : QStringLiteral("Numero Jolly: ")) +
                 jollyWords());
    if (jollyColour_) {
        QPalette palette = jolly.palette();
        palette.setColor(QPalette::Window, ballLook(*jollyColour_).fill);
        jolly.setPalette(palette);
    }
    jolly.setAutoFillBackground(jollyColour_.has_value());
}

QString NumberBoard::seriesText() const {
    return QStringLiteral("Colonna 1: %1 - Colonna 2: %2 - Jolly: %3")
        .arg(QStringList(numbers_[0].begin(), numbers_[0].end()).join(u' '),
             QStringList(numbers_[1].begin(), numbers_[1].end()).join(u' '), jollyWords());
}

// The number, or, when the box hides it behind a ball's colour, that ball.
QString NumberBoard::jollyWords() const {
    return jollyColour_ ? ballLook(*jollyColour_).words : jolly_;
}

void NumberBoard::setCoverWidth(int cover, int twips) {
    widgets_.covers[static_cast<std::size_t>(cover)]->setWidthTwips(twips);
}

int NumberBoard::coverWidth(int cover) const {
    return widgets_.covers[static_cast<std::size_t>(cover)]->widthTwips();
}

void NumberBoard::setCoverVisible(int cover, bool visible) {
    widgets_.covers[static_cast<std::size_t>(cover)]->setVisible(visible);
}

}  // namespace quintara::main_window
