// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/number_board.h"

#include <QLabel>
#include <QStringList>
#include <algorithm>

#include "form_controls/control_properties.h"
#include "form_controls/design_colours.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"
#include "main_window/ball_colours.h"
#include "main_window/number_label.h"

namespace quintara::main_window {
namespace {

using form_controls::arial;
using form_controls::designColour;

using namespace form_controls::colours;
using form_controls::kBold;

// Box k of a column, in twips: the columns are rows of six, column 2 under column 1.
QRect numberBoxAt(int column, int position) {
    return {360 + 1200 * position, column == 0 ? 3120 : 4800, 1095, 1215};
}
constexpr QRect kJollyBox(7800, 3600, 2055, 1695);

// "00" until the first series; the text stands at the top, centred.
QLabel* numberLabel(QWidget& surface, const QString& name, QRect twips, const QFont& font,
                    std::uint32_t back, std::uint32_t fore) {
    auto* label = new NumberLabel(QStringLiteral("00"), &surface);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The border is painted by the label itself, one pixel inside its edge.
    label->setContentsMargins(1, 1, 1, 1);
    form_controls::setColours(*label, back, fore);
    form_controls::placeInTwips(*label, twips);
    return label;
}

// A cover lies on the rectangle of its box; start-up makes it visible.
form_controls::ShapeWidget* coverOver(QWidget& surface, const QString& name, QRect twips,
                                      std::uint32_t fill) {
    auto* shape = new form_controls::ShapeWidget(
        &surface, twips,
        {.border = designColour(kBlack), .borderWidth = 2, .fill = designColour(fill)});
    shape->setObjectName(name);
    shape->hide();
    return shape;
}

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

// The boxes first and the covers after them, so that each cover is drawn over its box.
NumberBoard::NumberBoard(QWidget& surface) {
    const QFont numberFont = arial(50.25, kBold);
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < 6; ++k) {
            numberBoxes_[c][k] = numberLabel(
                surface, QStringLiteral("numberBox(%1,%2)").arg(c + 1).arg(k), numberBoxAt(c, k),
                numberFont, c == 0 && k == 0 ? kWhite : kSystemWindowBackground, kBlack);
        }
    }
    jollyBox_ = numberLabel(surface, "jollyBox", kJollyBox, arial(72, kBold), kWhite, kRed);
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < 6; ++k) {
            numberCovers_[c][k] =
                coverOver(surface, QStringLiteral("cover(%1,%2)").arg(c + 1).arg(k),
                          numberBoxAt(c, k), kSilver);
            coverArea_ |= numberCovers_[c][k]->geometry();
        }
    }
    jollyCover_ = coverOver(surface, "jollyCover", kJollyBox, kLightRed);
    coverArea_ |= jollyCover_->geometry();
    for (auto& column : numbers_) {
        column.fill(QStringLiteral("00"));
    }
    jolly_ = QStringLiteral("00");
    writeBoxes();
}

void NumberBoard::show(const draw::Series& series) {
    for (std::size_t c = 0; c < 2; ++c) {
        for (std::size_t k = 0; k < 6; ++k) {
            numbers_[c][k] = QString::number(series.columns[c][k]);
        }
    }
    jollyColour_ = series.jollyColour;
    jolly_ = jollyColour_ ? QString() : QString::number(series.jolly);
    writeBoxes();
}

void NumberBoard::writeBoxes() {
    for (std::size_t c = 0; c < 2; ++c) {
        for (std::size_t k = 0; k < 6; ++k) {
            showText(*numberBoxes_[c][k], numbers_[c][k],
                     placeName(static_cast<int>(c) + 1, static_cast<int>(k)) +
                         QStringLiteral(": ") + numbers_[c][k]);
        }
    }
    QLabel& jolly = *jollyBox_;
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

void NumberBoard::showCovers() {
    for (auto& column : numberCovers_) {
        for (form_controls::ShapeWidget* cover : column) {
            cover->show();
        }
    }
    jollyCover_->show();
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

std::array<QWidget*, 6> NumberBoard::column(int column) const {
    std::array<QWidget*, 6> boxes{};
    std::copy(numberBoxes_[column].begin(), numberBoxes_[column].end(), boxes.begin());
    return boxes;
}

QWidget* NumberBoard::jollyBox() const {
    return jollyBox_;
}

form_controls::ShapeWidget& NumberBoard::shapeOf(Cover cover) const {
    return cover.isJolly() ? *jollyCover_ : *numberCovers_[cover.column][cover.position];
}

void NumberBoard::setCoverWidth(Cover cover, int twips) {
    shapeOf(cover).setWidthTwips(twips);
}

int NumberBoard::coverWidth(Cover cover) const {
    return shapeOf(cover).widthTwips();
}

void NumberBoard::setCoverVisible(Cover cover, bool visible) {
    shapeOf(cover).setVisible(visible);
}

}  // namespace quintara::main_window
