// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/number_board.h"

#include <QLabel>
#include <QStringList>
#include <QWidget>

#include "draw/cover_animation.h"
#include "draw/jolly_colour_table.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"

namespace quintara::main_window {
namespace {

// The caption, and what a screen reader says of the label: where it stands and what it shows.
void showText(QLabel& label, const std::string& text, const QString& spoken) {
    const QString caption = QString::fromStdString(text);
    if (label.text() != caption) {
        label.setText(caption);
    }
    label.setAccessibleName(spoken);
}

QString placeName(int column, int index) {
    static const std::array<const char*, 6> kOrdinals = {"primo",  "secondo", "terzo",
                                                         "quarto", "quinto",  "sesto"};
    return QStringLiteral("Colonna %1, %2 numero").arg(column).arg(QLatin1String(kOrdinals[index]));
}

QString columnText(const std::array<std::string, 6>& captions) {
    QStringList numbers;
    for (const std::string& caption : captions) {
        numbers << QString::fromStdString(caption);
    }
    return numbers.join(u' ');
}

}  // namespace

NumberBoard::NumberBoard(Widgets widgets, std::chrono::milliseconds phaseDuration)
    : widgets_(widgets),
      pacer_([this] { paintCovers(); }, phaseDuration, draw::kWidthChangesPerPhase),
      jollyCaption_(widgets.jolly->text().toStdString()),
      jollyBackStyle_(widgets.jolly->autoFillBackground() ? draw::BackStyle::Opaque
                                                          : draw::BackStyle::Transparent),
      jollyBackColor_(0xFFFFFF) {
    for (const form_controls::ShapeWidget* cover : widgets_.covers) {
        coverArea_ |= cover->geometry();
    }
    for (int k = 0; k < 6; ++k) {
        captions_[0][k] = widgets_.column1[k]->text().toStdString();
        captions_[1][k] = widgets_.column2[k]->text().toStdString();
    }
    captionsPending_ = true;
    showCaptions();
}

void NumberBoard::setNumberCaption(int column, int index, std::string_view caption) {
    captions_[column - 1][index].assign(caption);
    captionsPending_ = true;
}

void NumberBoard::setJollyCaption(std::string_view caption) {
    jollyCaption_.assign(caption);
    captionsPending_ = true;
}

void NumberBoard::setJollyBackStyle(draw::BackStyle style) {
    jollyBackStyle_ = style;
    captionsPending_ = true;
}

void NumberBoard::setJollyBackColor(draw::Colour colour) {
    jollyBackColor_ = colour;
    captionsPending_ = true;
}

void NumberBoard::showCaptions() {
    if (!captionsPending_) {
        return;
    }
    captionsPending_ = false;
    for (int k = 0; k < 6; ++k) {
        showText(*widgets_.column1[k], captions_[0][k],
                 placeName(1, k) + QStringLiteral(": ") + QString::fromStdString(captions_[0][k]));
        showText(*widgets_.column2[k], captions_[1][k],
                 placeName(2, k) + QStringLiteral(": ") + QString::fromStdString(captions_[1][k]));
    }
    QLabel& jolly = *widgets_.jolly;
    showText(jolly, jollyCaption_,
             (hidesTheJolly() ? QStringLiteral("Numero Jolly nascosto: ")
                              : QStringLiteral("Numero Jolly: ")) +
                 jollyWords());
    QPalette palette = jolly.palette();
    palette.setColor(QPalette::Window, form_controls::designColour(jollyBackColor_));
    jolly.setPalette(palette);
    jolly.setAutoFillBackground(jollyBackStyle_ == draw::BackStyle::Opaque);
}

QString NumberBoard::seriesText() const {
    return QStringLiteral("Colonna 1: %1 - Colonna 2: %2 - Jolly: %3")
        .arg(columnText(captions_[0]), columnText(captions_[1]), jollyWords());
}

// The number, or, when the box hides it behind a ball's colour, that colour.
QString NumberBoard::jollyWords() const {
    if (!hidesTheJolly()) {
        return QString::fromStdString(jollyCaption_);
    }
    const std::string_view colour =
        draw::JollyColourTable{}.ballColourName(jollyBackColor_).value_or("colorata");
    return QStringLiteral("pallina ") +
           QString::fromUtf8(colour.data(), static_cast<qsizetype>(colour.size()));
}

void NumberBoard::setCoverWidth(int cover, int twips) {
    widgets_.covers[cover]->setWidthTwips(twips);
}

int NumberBoard::coverWidth(int cover) const {
    return widgets_.covers[cover]->widthTwips();
}

void NumberBoard::setCoverVisible(int cover, bool visible) {
    widgets_.covers[cover]->setVisible(visible);
}

// The numbers are final by the time any cover moves after a draw.
void NumberBoard::coverMovementStarting() {
    showCaptions();
    pacer_.start();
}

void NumberBoard::coverStepDone() {
    pacer_.step();
}

void NumberBoard::coverMovementFinished() {
    pacer_.finish();
}

// Painted at once, without going back to the event loop: the command takes no input until it
// ends, and a click made meanwhile is handled afterwards.
void NumberBoard::paintCovers() {
    if (widgets_.surface->isVisible()) {
        widgets_.surface->repaint(coverArea_);
    }
}

}  // namespace quintara::main_window
