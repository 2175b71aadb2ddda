// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/main_window.h"

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

MainWindow::MainWindow(WindowServices& services, ModalWindow& informationWindow,
                       ConditionsEditor& conditionsDialog,
                       std::chrono::milliseconds coverPhaseDuration)
    : services_(services),
      informationWindow_(informationWindow),
      conditionsDialog_(conditionsDialog),
      settingsFile_(services.files),
      coverPhaseDuration_(coverPhaseDuration),
      teller_([this](const QString& series) { form_controls::announce(*this, series); }) {
    setObjectName("mainWindow");
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
    widgets.column1 = numberBoxes_[0];
    widgets.column2 = numberBoxes_[1];
    widgets.jolly = jollyBox_;
    widgets.covers = covers_;
    widgets.surface = surface_;
    board_ = std::make_unique<NumberBoard>(widgets, coverPhaseDuration_);
    engine_ = std::make_unique<draw::DrawEngine>(services.random, services.clock, *board_,
                                                 [this] { drawCursor_.stillDrawing(); });
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            &MainWindow::copySeries);
    applyReadingOrder();
}

MainWindow::~MainWindow() = default;

void MainWindow::startUp() {
    setWindowTitle(QStringLiteral("Quintara") + QLatin1String(version::kShown));
    informationWindow_.showModal(*this);
    for (int i = 0; i < draw::kCoverCount; ++i) {
        board_->setCoverVisible(i, true);
    }
    range_ = {settings::rangeLowOf(conditions_).value_or(1),
              settings::rangeHighOf(conditions_).value_or(49)};
    loadConditions();

    band_ = &services_.webBands.create(*surface_);
    QWidget& view = band_->widget();
    view.setObjectName("band");
    form_controls::placeInTwips(view, 240, 1200, 9735, 1575);
    view.stackUnder(printButton_);
    applyReadingOrder();
    band_->setSilent(true);
    if (!band_->navigate(qt::site::bandPage())) {
        view.setVisible(true);
    }

    qt::centreOnScreen(*this);
    exitButton_->setFocus();
}

void MainWindow::loadConditions() {
    settingsFile_.LoadConditions(conditions_, range_);
}

void MainWindow::onExit() {
    close();
}

// A refused series draws nothing, so behind the closed covers, and for a screen reader, the last
// good series stays.
void MainWindow::onNewSeries() {
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
void MainWindow::tellTheSeries() {
    teller_.show(draw::coversAreOpen(*board_) ? board_->seriesText() : QString(), isActiveWindow());
}

// The series on view in one sentence, empty while the covers are closed or it waits to be told.
QString MainWindow::seriesDescription() const {
    return board_ != nullptr && draw::coversAreOpen(*board_) ? teller_.description() : QString();
}

void MainWindow::changeEvent(QEvent* event) {
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
void MainWindow::copySeries() {
    if (draw::coversAreOpen(*board_)) {
        QGuiApplication::clipboard()->setText(board_->seriesText());
    }
}

// The settings file is the only channel from the dialog: whatever way the dialog closed, the
// window reads it again and draws under what it now says.
void MainWindow::onConditions() {
    if (draw::coversAreOpen(*board_)) {
        draw::AnimateCovers(*board_, draw::CoverPhase::Covering);
    }
    // Nothing on view while the dialog is open: a series still held back is no longer told.
    tellTheSeries();
    conditionsDialog_.showModal(*this, *board_);
    loadConditions();
    onNewSeries();
}

void MainWindow::onPrint() {
    services_.printer.print(*surface_);
}

void MainWindow::onAbout() {
    informationWindow_.showModal(*this);
}

void MainWindow::onSiteLink() {
    services_.links.open(qt::site::homePage());
}

void MainWindow::onPointerOverSiteLink() {
    form_controls::setForeColour(*siteLink_, form_controls::colours::kRed);
}

void MainWindow::onPointerOverWindow() {
    form_controls::setForeColour(*siteLink_, form_controls::colours::kNavy);
}

}  // namespace quintara::main_window
