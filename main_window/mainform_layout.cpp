// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's controls, built from the window design: positions and sizes in twips,
// colours as &H00BBGGRR, fonts by family and points.
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
#include "form_controls/pictures.h"
#include "form_controls/pointer_surface.h"
#include "form_controls/return_key.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"
#include "main_window/mainform.h"
#include "main_window/number_label.h"
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

constexpr FontStyle kBold{.bold = true};
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

// "00" until the first series; the text stands at the top, centred, as in the design.
QLabel* numberLabel(QWidget* parent, const QString& name, QRect twips, const QFont& font,
                    std::uint32_t back, std::uint32_t fore) {
    auto* label = new NumberLabel(QStringLiteral("00"), parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // The border is painted by the label itself, one pixel inside its edge.
    label->setContentsMargins(1, 1, 1, 1);
    setColours(*label, back, fore);
    placeInTwips(*label, twips);
    return label;
}

// A cover lies on the rectangle of its label; start-up makes it visible.
form_controls::ShapeWidget* cover(QWidget* parent, const QString& name, QRect twips,
                                  std::uint32_t fill) {
    auto* shape = new form_controls::ShapeWidget(
        parent, twips,
        {.border = designColour(kBlack), .borderWidth = 2, .fill = designColour(fill)});
    shape->setObjectName(name);
    shape->hide();
    return shape;
}

form_controls::LineWidget* line(QWidget* parent, const QString& name, QPoint from, QPoint to,
                                std::uint32_t colour, int width) {
    auto* widget = new form_controls::LineWidget(parent, from, to, designColour(colour), width);
    widget->setObjectName(name);
    return widget;
}

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

}  // namespace

void mainform::buildHeader() {
    Image1 = new QLabel(surface_);
    Image1->setObjectName("Image1");
    Image1->setPixmap(QPixmap(QStringLiteral(":/quintara/header.jpg")));
    Image1->setScaledContents(true);
    Image1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Image1->setAccessibleName(QStringLiteral("Quintara"));
    placeInTwips(*Image1, 240, 120, 6255, 1095);

    Line2 = line(surface_, "Line2", {6600, 360}, {6600, 1440}, kNavy, 1);

    Label4[3] = caption(surface_, "Label4(3)",
                        QStringLiteral("Ci sono altri software da scoprire sul nostro sito!"),
                        {6720, 240, 2895, 615}, arial(9.75, kItalic));

    Label3[0] = form_controls::createLinkLabel(
        surface_, "Label3(0)", qt::site::host(),
        arial(9, {.bold = true, .italic = true, .underline = true}), kRed, {6960, 840, 2775, 495});
    connect(Label3[0], &form_controls::ClickableLabel::clicked, this, [this] { Label3_Click(0); });
    connect(Label3[0], &form_controls::ClickableLabel::pointerMoved, this,
            [this] { Label3_MouseMove(0); });

    Line1[5] = line(surface_, "Line1(5)", {120, 1200}, {10080, 1200}, kRed, 2);
}

void mainform::buildBallArea() {
    const QFont captionFont = arial(9, kItalic);
    Label4[0] = caption(surface_, "Label4(0)", QStringLiteral("Colonna 1"), {360, 2880, 1455, 255},
                        captionFont);
    Label4[1] = caption(surface_, "Label4(1)", QStringLiteral("Colonna 2"), {360, 4560, 1455, 255},
                        captionFont);
    Label4[2] = caption(surface_, "Label4(2)", QStringLiteral("Numero Jolly"),
                        {7800, 2880, 1455, 255}, captionFont);

    const QFont numberFont = arial(50.25, kBold);
    const QRect jollyBox(7800, 3600, 2055, 1695);
    for (int k = 0; k < 6; ++k) {
        const QRect column1(360 + 1200 * k, 3120, 1095, 1215);
        const QRect column2(360 + 1200 * k, 4800, 1095, 1215);
        Label1[k] = numberLabel(surface_, indexed("Label1", k), column1, numberFont,
                                k == 0 ? kWhite : kSystemWindowBackground, kBlack);
        Labe2[k] = numberLabel(surface_, indexed("Labe2", k), column2, numberFont,
                               kSystemWindowBackground, kBlack);
        // Column 2's covers run in reverse: Shape2(12) is the leftmost.
        Shape2[k] = cover(surface_, indexed("Shape2", k), column1, kSilver);
        Shape2[12 - k] = cover(surface_, indexed("Shape2", 12 - k), column2, kSilver);
    }
    Label1[8] =
        numberLabel(surface_, indexed("Label1", 8), jollyBox, arial(72, kBold), kWhite, kRed);
    Shape2[6] = cover(surface_, indexed("Shape2", 6), jollyBox, kLightRed);

    Line1[0] = line(surface_, "Line1(0)", {120, 2880}, {10080, 2880}, kRed, 2);
    Line1[1] = line(surface_, "Line1(1)", {120, 4440}, {7680, 4440}, kRed, 2);
    Line1[3] = line(surface_, "Line1(3)", {7680, 2880}, {7680, 6120}, kRed, 2);
    Line1[4] = line(surface_, "Line1(4)", {120, 6120}, {10080, 6120}, kRed, 2);

    Shape1 = new form_controls::ShapeWidget(surface_, {120, 0, 9975, 7215},
                                            {.border = designColour(kRed), .borderWidth = 2});
    Shape1->setObjectName("Shape1");
}

QToolButton* mainform::commandButton(const char* name, const QString& caption, int left,
                                     const QString& picture, void (mainform::*handler)()) {
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

void mainform::buildCommandRow() {
    Command2 = commandButton("Command2", QStringLiteral("Nuova Serie"), 360,
                             QStringLiteral(":/quintara/button_new_series.gif"),
                             &mainform::Command2_Click);
    Command3 = commandButton("Command3", QStringLiteral("Condizioni"), 2640,
                             QStringLiteral(":/quintara/button_conditions.gif"),
                             &mainform::Command3_Click);
    Command6 =
        commandButton("Command6", QStringLiteral("Stampa"), 5400,
                      QStringLiteral(":/quintara/button_print.gif"), &mainform::Command6_Click);
    Command1 =
        commandButton("Command1", QStringLiteral("Esci"), 8040,
                      QStringLiteral(":/quintara/button_exit.gif"), &mainform::Command1_Click);
}

// Tab runs by the design's tab indexes: "Esci", "Condizioni", "Nuova Serie", "Stampa" and last
// the band, whichever widget shows it (the engine's view is made only when the page arrives);
// within the band, Tab first goes through its links. Labels take no focus.
bool mainform::focusNextPrevChild(bool next) {
    const std::array<QWidget*, 5> stops = {Command1, Command3, Command2, Command6,
                                           wb1 != nullptr ? &wb1->widget() : nullptr};
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

void mainform::buildMenu() {
    // In Arial like the rest of the window: the system's default font is whatever a plain system
    // has (Comic Neue on a plain Debian 12, Liberation Mono on a plain Debian 13).
    menuBar()->setFont(arial(9));
    abo[0] = menuBar()->addMenu(QStringLiteral("Informazioni sul programma"));
    abo[0]->setFont(arial(9));
    abo[0]->setObjectName("abo(0)");
    ab[0] = abo[0]->addAction(QStringLiteral("About"));
    ab[0]->setObjectName("ab(0)");
    connect(ab[0], &QAction::triggered, this, [this] { ab_Click(0); });
}

// Where controls overlap, the one listed first is drawn in front: every cover hides its label.
void mainform::applyStackingOrder() {
    std::vector<QWidget*> frontToBack = {Command2, Command3, Command1,
                                         Command6, Line1[5], Label3[0]};
    for (int k = 12; k >= 7; --k)
        frontToBack.push_back(Shape2[k]);
    for (int k = 3; k >= 0; --k)
        frontToBack.push_back(Label4[k]);
    frontToBack.push_back(Line1[4]);
    for (int k = 5; k >= 0; --k)
        frontToBack.push_back(Labe2[k]);
    frontToBack.insert(frontToBack.end(), {Line2, Line1[3]});
    for (int k = 5; k >= 0; --k)
        frontToBack.push_back(Shape2[k]);
    for (int k = 5; k >= 0; --k)
        frontToBack.push_back(Label1[k]);
    frontToBack.insert(frontToBack.end(),
                       {Line1[1], Line1[0], Shape1, Shape2[6], Label1[8], Image1});
    for (auto widget = frontToBack.rbegin(); widget != frontToBack.rend(); ++widget) {
        (*widget)->raise();
    }
}

// A screen reader goes through the window as a sighted user reads it: the header's note, link
// and band, then each caption before its numbers, then the commands from left to right. Covers,
// lines, shapes and the header picture are decoration and left out.
void mainform::applyReadingOrder() {
    std::vector<QWidget*> controls = {Label4[3], Label3[0]};
    if (wb1 != nullptr) {
        controls.push_back(&wb1->widget());
    }
    controls.push_back(Label4[0]);
    for (int k = 0; k < 6; ++k) {
        controls.push_back(Label1[k]);
    }
    controls.push_back(Label4[1]);
    for (int k = 0; k < 6; ++k) {
        controls.push_back(Labe2[k]);
    }
    controls.insert(controls.end(), {Label4[2], Label1[8], Command2, Command3, Command6, Command1});
    surface_->setReadingOrder(controls);
}

void mainform::buildSurface() {
    surface_ = new form_controls::PointerSurface(this, [this] { Form_MouseMove(); });
    surface_->setObjectName("mainform");
    setColours(*surface_, kLightGrey, kBlack);
    surface_->setFixedSize(form_controls::twipsRect(0, 0, kClientWidth, kClientHeight).size());
    setCentralWidget(surface_);
}

}  // namespace quintara::main_window
