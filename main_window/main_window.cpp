// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QShortcut>
#include <QToolButton>
#include <utility>

#include "form_controls/accessibility.h"
#include "form_controls/clickable_label.h"
#include "form_controls/control_properties.h"
#include "form_controls/design_colours.h"
#include "form_controls/pointer_surface.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"
#include "main_window/cover_movement.h"
#include "platform/qt/site.h"
#include "platform/qt/window_placement.h"
#include "quintara_version.h"
#include "web_band/web_band.h"

namespace quintara::main_window {

MainWindow::MainWindow(WindowServices& services, ModalWindow& informationWindow,
                       ConditionsEditor& conditionsDialog)
    : services_(services),
      informationWindow_(informationWindow),
      conditionsDialog_(conditionsDialog),
      settingsFile_(services.files, services.settingsFile),
      draw_(services.random, services.clock),
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

    player_ = std::make_unique<CoverPlayer>(*board_, services.clock, [this] { paintCovers(); });
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            &MainWindow::copySeries);
    applyReadingOrder();
}

MainWindow::~MainWindow() = default;

void MainWindow::startUp() {
    setWindowTitle(QStringLiteral("Quintara") + QLatin1String(version::kShown));
    informationWindow_.showModal(*this);
    board_->showCovers();
    readTheSettingsFile();

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

// The numbers are read from the texts here, once, for every series until the conditions dialog
// saves others. A read never writes: putting back what a save cut short left is a step of its
// own.
void MainWindow::readTheSettingsFile() {
    settingsFile_.putBackInterruptedSave();
    settings_ = settings::readOver(settings_, settingsFile_);
}

void MainWindow::onExit() {
    commands_.run([this](const Done& done) {
        exiting_ = true;
        close();
        done();
    });
}

// A close asked of the window while a command runs (the close box during a series) waits its
// turn, as "Esci" does.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (busy() && !exiting_) {
        event->ignore();
        onExit();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::onNewSeries() {
    commands_.run([this](const Done& done) { newSeries(done); });
}

// The covers close if they are open, the series is drawn behind them a slice at a time, and they
// open again on it. A refused series draws nothing, so behind the closed covers, and for a
// screen reader, the last good series stays.
void MainWindow::newSeries(Done done) {
    const auto drawBehindTheCovers = [this, done] {
        draw_.start(settings_.rule, settings_.range,
                    [this, done](draw::DrawState state, const draw::Series& series) {
                        seriesDrawn(state, series, done);
                    });
    };
    afterCovering(drawBehindTheCovers);
}

// The series leaves the view as the covers start to close, and the window's description with
// it: until the next series is told, a screen reader asking where it is hears no numbers that are
// going or gone.
void MainWindow::afterCovering(std::function<void()> next) {
    if (!coversAreOpen(*board_)) {
        next();
        return;
    }
    teller_.show(QString(), isActiveWindow());
    player_->play(coverMovement(CoverPhase::Covering), std::move(next));
}

void MainWindow::seriesDrawn(draw::DrawState state, const draw::Series& series, Done done) {
    if (state == draw::DrawState::Drawn) {
        board_->show(series);
        player_->play(coverMovement(CoverPhase::Uncovering), [this, done] {
            tellTheSeries();
            done();
        });
        return;
    }
    services_.messages.show(
        this, QString::fromUtf8(state == draw::DrawState::InvalidRange ? kInvalidRangeMessage
                                                                       : kNoSeriesMessage));
    tellTheSeries();
    done();
}

// A screen reader learns the series on view without hunting through the boxes: the window
// describes it in one sentence, and it is spoken once the covers are open.
void MainWindow::tellTheSeries() {
    teller_.show(coversAreOpen(*board_) ? board_->seriesText() : QString(), isActiveWindow());
}

// The series on view in one sentence, empty from the moment the covers start to close until the
// next series is told.
QString MainWindow::seriesDescription() const {
    return teller_.description();
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
    commands_.run([this](const Done& done) {
        if (coversAreOpen(*board_)) {
            QGuiApplication::clipboard()->setText(board_->seriesText());
        }
        done();
    });
}

void MainWindow::paintCovers() {
    surface_->update(board_->coverArea());
}

// The dialog hands back what it saved, and the window draws under it from then on; a dialog
// closed without saving leaves the conditions as they were. Either way a new series follows.
void MainWindow::onConditions() {
    commands_.run([this](const Done& done) { conditionsRoundTrip(done); });
}

void MainWindow::conditionsRoundTrip(Done done) {
    const auto openTheDialog = [this, done] {
        afterTheDialog(conditionsDialog_.showModal(*this), done);
    };
    afterCovering(openTheDialog);
}

// Saved conditions open column 1's covers first; the series that follows closes them again.
void MainWindow::afterTheDialog(const std::optional<settings::DrawConditions>& saved, Done done) {
    if (!saved) {
        newSeries(done);
        return;
    }
    settings_ = settings::withSavedConditions(settings_, *saved);
    player_->play(firstColumnNarrowing(), [this, done] { newSeries(done); });
}

void MainWindow::onPrint() {
    commands_.run([this](const Done& done) {
        services_.printer.print(*surface_);
        done();
    });
}

void MainWindow::onAbout() {
    commands_.run([this](const Done& done) {
        informationWindow_.showModal(*this);
        done();
    });
}

void MainWindow::onSiteLink() {
    commands_.run([this](const Done& done) {
        services_.links.open(qt::site::homePage());
        done();
    });
}

void MainWindow::onPointerOverSiteLink() {
    form_controls::setForeColour(*siteLink_, form_controls::colours::kRed);
}

void MainWindow::onPointerOverWindow() {
    form_controls::setForeColour(*siteLink_, form_controls::colours::kNavy);
}

}  // namespace quintara::main_window
