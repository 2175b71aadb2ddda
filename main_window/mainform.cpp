// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/mainform.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QShortcut>
#include <QToolButton>

#include "draw/cover_animation.h"
#include "draw/new_series.h"
#include "form_controls/accessibility.h"
#include "form_controls/clickable_label.h"
#include "form_controls/control_properties.h"
#include "form_controls/design_colours.h"
#include "form_controls/pointer_surface.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"
#include "platform/qt/site.h"
#include "platform/qt/window_placement.h"
#include "quintara_version.h"
#include "web_band/web_band.h"

namespace quintara::main_window {

mainform::mainform(WindowServices& services, ModalWindow& informationWindow,
                   ConditionsEditor& conditionsDialog, std::chrono::milliseconds coverPhaseDuration)
    : services_(services),
      informationWindow_(informationWindow),
      conditionsDialog_(conditionsDialog),
      settingsFile_(services.files),
      coverPhaseDuration_(coverPhaseDuration),
      teller_([this](const QString& series) { form_controls::announce(*this, series); }) {
    setObjectName("mainform");
    setWindowTitle(QStringLiteral("Quintara"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildSurface();
    buildHeader();
    buildBallArea();
    buildCommandRow();
    buildMenu();
    applyStackingOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    NumberBoard::Widgets widgets{};
    for (int k = 0; k < 6; ++k) {
        widgets.column1[k] = Label1[k];
        widgets.column2[k] = Labe2[k];
    }
    widgets.jolly = Label1[8];
    for (int i = 0; i < draw::kCoverCount; ++i) {
        widgets.covers[i] = Shape2[i];
    }
    widgets.surface = surface_;
    board_ = std::make_unique<NumberBoard>(widgets, coverPhaseDuration_);
    engine_ = std::make_unique<draw::DrawEngine>(services.random, services.clock, *board_,
                                                 [this] { drawCursor_.stillDrawing(); });
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            &mainform::copySeries);
    applyReadingOrder();
}

mainform::~mainform() = default;

void mainform::Form_Load() {
    setWindowTitle(QStringLiteral("Quintara") + QLatin1String(version::kShown));
    informationWindow_.showModal(*this);
    for (int i = 0; i < draw::kCoverCount; ++i) {
        board_->setCoverVisible(i, true);
    }
    range_ = {settings::rangeLowOf(conditions_).value_or(1),
              settings::rangeHighOf(conditions_).value_or(49)};
    LoadConditions();

    wb1 = &services_.webBands.create(*surface_);
    QWidget& view = wb1->widget();
    view.setObjectName("wb1");
    form_controls::placeInTwips(view, 240, 1200, 9735, 1575);
    view.stackUnder(Command6);
    applyReadingOrder();
    wb1->setSilent(true);
    if (!wb1->navigate(qt::site::bandPage())) {
        view.setVisible(true);
    }

    qt::centreOnScreen(*this);
    Command1->setFocus();
}

void mainform::LoadConditions() {
    settingsFile_.LoadConditions(conditions_, range_);
}

void mainform::Command1_Click() {
    close();
}

// A refused series draws nothing, so behind the closed covers, and for a screen reader, the last
// good series stays.
void mainform::Command2_Click() {
    const draw::SeriesOutcome outcome = draw::NewSeries(*engine_, *board_, conditions_, range_);
    drawCursor_.commandEnded();
    if (outcome == draw::SeriesOutcome::InvalidRange) {
        services_.messages.show(this, QString::fromUtf8(kInvalidRangeMessage));
    } else if (outcome == draw::SeriesOutcome::NoSeriesFound) {
        services_.messages.show(this, QString::fromUtf8(kNoSeriesMessage));
    }
    tellTheSeries();
}

// A screen reader learns the series on view without hunting through the labels: the window
// describes it in one sentence, and it is spoken once the covers are open.
void mainform::tellTheSeries() {
    teller_.show(draw::coversAreOpen(*board_) ? board_->seriesText() : QString(), isActiveWindow());
}

// The series on view in one sentence, empty while the covers are closed or it waits to be told.
QString mainform::seriesDescription() const {
    return board_ != nullptr && draw::coversAreOpen(*board_) ? teller_.description() : QString();
}

void mainform::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            teller_.windowActivated();
        } else {
            teller_.windowDeactivated();
        }
    }
    QMainWindow::changeEvent(event);
}

// Ctrl+C puts the series on view on the clipboard as one line, in the words of the description;
// with the covers closed (before the first series, while one is drawn) there is none to copy.
void mainform::copySeries() {
    if (draw::coversAreOpen(*board_)) {
        QGuiApplication::clipboard()->setText(board_->seriesText());
    }
}

// The settings file is the only channel from the dialog: whatever way the dialog closed, the
// window reads it again and draws under what it now says.
void mainform::Command3_Click() {
    if (draw::coversAreOpen(*board_)) {
        draw::AnimateCovers(*board_, draw::CoverPhase::Covering);
    }
    // Nothing on view while the dialog is open: a series still held back is no longer told.
    tellTheSeries();
    conditionsDialog_.showModal(*this, *board_);
    LoadConditions();
    Command2_Click();
}

void mainform::Command6_Click() {
    services_.printer.print(*surface_);
}

void mainform::ab_Click(int) {
    informationWindow_.showModal(*this);
}

void mainform::Label3_Click(int) {
    services_.links.open(qt::site::homePage());
}

void mainform::Label3_MouseMove(int) {
    form_controls::setForeColour(*Label3[0], form_controls::colours::kRed);
}

void mainform::Form_MouseMove() {
    form_controls::setForeColour(*Label3[0], form_controls::colours::kNavy);
}

}  // namespace quintara::main_window
