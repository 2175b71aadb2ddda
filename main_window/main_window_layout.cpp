// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's controls: positions and sizes in twips, colours as the layout gives them
// (form_controls/design_colours.h), fonts by family and points.
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <algorithm>
#include <array>

#include "form_controls/clickable_label.h"
#include "form_controls/control_properties.h"
#include "form_controls/design_colours.h"
#include "form_controls/fitted_picture.h"
#include "form_controls/pictures.h"
#include "form_controls/pointer_surface.h"
#include "form_controls/return_key.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"
#include "main_window/main_window.h"
#include "platform/qt/site.h"
#include "web_band/web_band.h"

namespace quintara::main_window {
namespace {

using form_controls::arial;
using form_controls::designColour;
using form_controls::FontStyle;
using form_controls::placeInTwips;
using form_controls::setColours;

using namespace form_controls::colours;

constexpr int kClientWidth = 10185;
constexpr int kClientHeight = 7290;

// Whether Tab may put the focus on `widget`: shown, enabled, and taking focus from the keyboard
// itself or through the widget it hands its focus to.
bool takesTabFocus(const QWidget& widget) {
    const QWidget* target = &widget;
    while (target->focusProxy() != nullptr) {
        target = target->focusProxy();
    }
    return widget.isVisible() && widget.isEnabled() && (target->focusPolicy() & Qt::TabFocus);
}

using form_controls::kBold;
constexpr FontStyle kItalic{.italic = true};

QLabel* caption(QWidget* parent, const char* name, const QString& text, QRect twips,
                const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeInTwips(*label, twips);
    return label;
}

form_controls::LineWidget* line(QWidget* parent, const QString& name, QPoint from, QPoint to,
                                std::uint32_t colour, int width) {
    auto* widget = new form_controls::LineWidget(parent, from, to, designColour(colour), width);
    widget->setObjectName(name);
    return widget;
}

}  // namespace

void MainWindow::buildHeader() {
    headerPicture_ =
        new form_controls::FittedPicture(QStringLiteral(":/quintara/header.jpg"), surface_);
    headerPicture_->setObjectName("headerPicture");
    headerPicture_->setFrameStyle(QFrame::Box | QFrame::Plain);
    headerPicture_->setAccessibleName(QStringLiteral("Quintara"));
    placeInTwips(*headerPicture_, 240, 120, 6255, 1095);

    headerDividerLine_ = line(surface_, "headerDividerLine", {6600, 360}, {6600, 1440}, kNavy, 1);

    siteNote_ = caption(surface_, "siteNote",
                        QStringLiteral("Ci sono altri software da scoprire sul nostro sito!"),
                        {6720, 240, 2895, 615}, arial(9.75, kItalic));

    siteLink_ = form_controls::createLinkLabel(
        surface_, "siteLink", qt::site::host(),
        arial(9, {.bold = true, .italic = true, .underline = true}), kRed, {6960, 840, 2775, 495});
    connect(siteLink_, &form_controls::ClickableLabel::clicked, this, &MainWindow::onSiteLink);
    connect(siteLink_, &form_controls::ClickableLabel::pointerMoved, this,
            &MainWindow::onPointerOverSiteLink);

    headerBottomLine_ = line(surface_, "headerBottomLine", {120, 1200}, {10080, 1200}, kRed, 2);
}

void MainWindow::buildBallArea() {
    const QFont captionFont = arial(9, kItalic);
    column1Caption_ = caption(surface_, "column1Caption", QStringLiteral("Colonna 1"),
                              {360, 2880, 1455, 255}, captionFont);
    column2Caption_ = caption(surface_, "column2Caption", QStringLiteral("Colonna 2"),
                              {360, 4560, 1455, 255}, captionFont);
    jollyCaption_ = caption(surface_, "jollyCaption", QStringLiteral("Numero Jolly"),
                            {7800, 2880, 1455, 255}, captionFont);

    board_ = std::make_unique<NumberBoard>(*surface_);

    ballAreaTopLine_ = line(surface_, "ballAreaTopLine", {120, 2880}, {10080, 2880}, kRed, 2);
    columnsDividerLine_ = line(surface_, "columnsDividerLine", {120, 4440}, {7680, 4440}, kRed, 2);
    jollyDividerLine_ = line(surface_, "jollyDividerLine", {7680, 2880}, {7680, 6120}, kRed, 2);
    commandsTopLine_ = line(surface_, "commandsTopLine", {120, 6120}, {10080, 6120}, kRed, 2);

    outline_ = new form_controls::ShapeWidget(surface_, {120, 0, 9975, 7215},
                                              {.border = designColour(kRed), .borderWidth = 2});
    outline_->setObjectName("outline");
}

QToolButton* MainWindow::commandButton(const char* name, const QString& caption, int left,
                                       const QString& picture, void (MainWindow::*handler)()) {
    auto* button = new QToolButton(surface_);
    button->setObjectName(name);
    button->setText(caption);
    button->setIcon(form_controls::designIcon(picture));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFont(arial(9));
    button->setFocusPolicy(Qt::StrongFocus);
    form_controls::pressOnReturnWhenFocused(*button);
    placeInTwips(*button, left, 6240, 1815, 855);
    connect(button, &QToolButton::clicked, this, handler);
    return button;
}

void MainWindow::buildCommandRow() {
    newSeriesButton_ =
        commandButton("newSeriesButton", QStringLiteral("Nuova Serie"), 360,
                      QStringLiteral(":/quintara/button_new_series.gif"), &MainWindow::onNewSeries);
    conditionsButton_ = commandButton("conditionsButton", QStringLiteral("Condizioni"), 2640,
                                      QStringLiteral(":/quintara/button_conditions.gif"),
                                      &MainWindow::onConditions);
    printButton_ =
        commandButton("printButton", QStringLiteral("Stampa"), 5400,
                      QStringLiteral(":/quintara/button_print.gif"), &MainWindow::onPrint);
    exitButton_ = commandButton("exitButton", QStringLiteral("Esci"), 8040,
                                QStringLiteral(":/quintara/button_exit.gif"), &MainWindow::onExit);
}

// Tab runs "Esci", "Condizioni", "Nuova Serie", "Stampa" and last
// the band, whichever widget shows it (the engine's view is made only when the page arrives);
// within the band, Tab first goes through its links. Labels take no focus.
bool MainWindow::focusNextPrevChild(bool next) {
    const std::array<QWidget*, 5> stops = {exitButton_, conditionsButton_, newSeriesButton_,
                                           printButton_,
                                           band_ != nullptr ? &band_->widget() : nullptr};
    const QWidget* focus = QApplication::focusWidget();
    const auto current = std::find_if(stops.begin(), stops.end(), [focus](const QWidget* stop) {
        return stop != nullptr && (stop == focus || stop->isAncestorOf(focus));
    });
    if (current == stops.end()) {
        return QMainWindow::focusNextPrevChild(next);
    }
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const std::ptrdiff_t at = current - stops.begin();
    for (std::ptrdiff_t step = 1; step < count; ++step) {
        QWidget* stop =
            stops[static_cast<std::size_t>((at + (next ? step : count - step)) % count)];
        if (stop != nullptr && takesTabFocus(*stop)) {
            stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void MainWindow::buildMenu() {
    // In Arial like the rest of the window: the system's default font is whatever a plain system
    // has (Comic Neue on a plain Debian 12, Liberation Mono on a plain Debian 13).
    menuBar()->setFont(arial(9));
    aboutMenu_ = menuBar()->addMenu(QStringLiteral("Informazioni sul programma"));
    aboutMenu_->setFont(arial(9));
    aboutMenu_->setObjectName("aboutMenu");
    aboutAction_ = aboutMenu_->addAction(QStringLiteral("About"));
    aboutAction_->setObjectName("aboutAction");
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::onAbout);
}

// Where controls overlap, the one listed first is drawn in front. The number board's boxes and
// covers stay behind all of these, each cover in front of its box.
void MainWindow::applyStackingOrder() {
    const std::vector<QWidget*> frontToBack = {
        newSeriesButton_,  conditionsButton_,   exitButton_,      printButton_,
        headerBottomLine_, siteLink_,           siteNote_,        jollyCaption_,
        column2Caption_,   column1Caption_,     commandsTopLine_, headerDividerLine_,
        jollyDividerLine_, columnsDividerLine_, ballAreaTopLine_, outline_,
        headerPicture_};
    for (auto widget = frontToBack.rbegin(); widget != frontToBack.rend(); ++widget) {
        (*widget)->raise();
    }
}

// A screen reader goes through the window as a sighted user reads it: the header's note, link
// and band, then each caption before its numbers, then the commands from left to right. Covers,
// lines, shapes and the header picture are decoration and left out.
void MainWindow::applyReadingOrder() {
    std::vector<QWidget*> controls = {siteNote_, siteLink_};
    if (band_ != nullptr) {
        controls.push_back(&band_->widget());
    }
    for (const auto& [caption, column] :
         {std::pair{column1Caption_, 0}, std::pair{column2Caption_, 1}}) {
        controls.push_back(caption);
        const std::array<QWidget*, 6> boxes = board_->column(column);
        controls.insert(controls.end(), boxes.begin(), boxes.end());
    }
    controls.insert(controls.end(), {jollyCaption_, board_->jollyBox(), newSeriesButton_,
                                     conditionsButton_, printButton_, exitButton_});
    surface_->setReadingOrder(controls);
}

void MainWindow::buildSurface() {
    surface_ = new form_controls::PointerSurface(this, [this] { onPointerOverWindow(); });
    surface_->setObjectName("surface");
    setColours(*surface_, kLightGrey, kBlack);
    surface_->setFixedSize(form_controls::twipsRect(0, 0, kClientWidth, kClientHeight).size());
    setCentralWidget(surface_);
}

}  // namespace quintara::main_window
