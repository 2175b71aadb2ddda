// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "info_window/information_window.h"

#include <qdrawutil.h>

#include <QLabel>
#include <QPainter>
#include <array>

#include "form_controls/clickable_label.h"
#include "form_controls/control_properties.h"
#include "form_controls/design_colours.h"
#include "form_controls/pictures.h"
#include "form_controls/pointer_surface.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"
#include "platform/qt/link_opener.h"
#include "platform/qt/site.h"
#include "platform/qt/window_placement.h"
#include "quintara_version.h"

namespace quintara::info_window {
namespace {

using form_controls::arial;
using form_controls::FontStyle;
using form_controls::placeInTwips;

using namespace form_controls::colours;
constexpr int kClientWidth = 7290;
constexpr int kClientHeight = 8130;
// The fixed dialog border around the client area: two pixels of raised edge and one of face,
// drawn by the window itself, since it has no title bar and a window manager may draw nothing.
constexpr int kBorderPixels = 3;

const char* const kDonationNote =
    "Puoi contribuire direttamente al supporto del software freeware facendo una piccola "
    "donazione, anche solo l'equivalente economico di una merenda. Lo sviluppo, l'hosting e gli "
    "aggiornamenti richiedono investimenti di denaro e tempo. Utilizza il pulsante qui sotto. "
    "Grazie.";
const char* const kFreeNote =
    "Questo Software è completamente gratuito. Puoi richiedere informazioni,  migliorie o anche "
    "solo farmi sapere la tua opinione sul programma.";
const char* const kWarning =
    "Attenzione: l'algoritmo di estrazione simulata si basa unicamente sulla casualità, "
    "condizionata da alcuni parametri definibili dall'utente ma sempre basato sul caso.  Le "
    "probabilità che i numeri vengano poi estratti è minima.";
const char* const kDonationAppeal =
    "Sostieni, con una piccola donazione, lo sviluppo si applicazioni gratuite come questa.";
const char* const kCopyright = "© 2026 gli autori di Quintara";

QLabel* text(QWidget* parent, const char* name, const char* content, QRect twips, QFont font,
             Qt::Alignment alignment) {
    auto* label = new QLabel(QString::fromUtf8(content), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignTop);
    placeInTwips(*label, twips);
    return label;
}

QLabel* picture(QWidget* parent, const char* name, const QString& file, QRect twips, bool framed) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(form_controls::designPicture(file));
    label->setScaledContents(true);
    if (framed) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
    }
    placeInTwips(*label, twips);
    return label;
}

form_controls::ClickableLabel* linkPicture(QWidget* parent, const char* name, const QString& file,
                                           const QString& description, QRect twips) {
    auto* label = new form_controls::ClickableLabel(
        QString(), form_controls::ClickableLabel::Role::Link, parent);
    label->setObjectName(name);
    label->setAccessibleName(description);
    label->setPixmap(form_controls::designPicture(file));
    label->setScaledContents(true);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    placeInTwips(*label, twips);
    return label;
}

}  // namespace

InformationWindow::InformationWindow(qt::LinkOpener& links)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint), links_(links) {
    setObjectName("informationWindow");
    setAccessibleName(QStringLiteral("Informazioni su Quintara"));
    const QSize clientSize = form_controls::twipsRect(0, 0, kClientWidth, kClientHeight).size();
    setFixedSize(clientSize + QSize(2 * kBorderPixels, 2 * kBorderPixels));
    client_ = new QWidget(this);
    client_->setObjectName("client");
    client_->setGeometry(QRect(QPoint(kBorderPixels, kBorderPixels), clientSize));
    buildFrame();
    buildDonationArea();
    takeTheKeyboard();
}

void InformationWindow::buildFrame() {
    frame_ = new form_controls::PointerSurface(client_, [this] { onPointerOverWindow(); });
    frame_->setObjectName("frame");
    frame_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    placeInTwips(*frame_, 0, 0, 7320, 6075);

    // Built back to front, so that each control is drawn over the ones before it.
    version_ = text(frame_, "version", "Versione", {6015, 600, 1020, 285},
                    arial(12, {.bold = true}), Qt::AlignRight);
    version_->setWordWrap(false);
    warning_ = text(frame_, "warning", kWarning, {600, 4320, 5775, 1275},
                    arial(11.25, {.italic = true}), Qt::AlignHCenter);

    contactLink_ = form_controls::createLinkLabel(
        frame_, "contactLink", QStringLiteral("Contatto diretto"),
        arial(9.75, {.bold = true, .italic = true}), kNavy, {2160, 1920, 3135, 255});
    connect(contactLink_, &form_controls::ClickableLabel::clicked, this,
            &InformationWindow::onContactLink);
    connect(contactLink_, &form_controls::ClickableLabel::pointerMoved, this,
            &InformationWindow::onPointerOverContactLink);

    copyright_ =
        text(frame_, "copyright", kCopyright, {4680, 5760, 2175, 255}, arial(8.25), Qt::AlignRight);
    logo_ = linkPicture(frame_, "logo", QStringLiteral(":/quintara/information_logo.jpg"),
                        QStringLiteral("Sito di Quintara"), {360, 240, 1215, 1095});
    connect(logo_, &form_controls::ClickableLabel::clicked, this, &InformationWindow::onLogo);
    warningPicture_ =
        picture(frame_, "warningPicture", QStringLiteral(":/quintara/information_warning.gif"),
                {120, 4200, 495, 375}, false);
    title_ = text(frame_, "title", "Quintara", {960, 120, 5775, 615}, arial(26.25, {.bold = true}),
                  Qt::AlignHCenter);
    form_controls::setColours(*title_, std::nullopt, kNavy);
    ticketPicture_ =
        picture(frame_, "ticketPicture", QStringLiteral(":/quintara/information_ticket.bmp"),
                {360, 1440, 975, 555}, true);
    freeNote_ =
        text(frame_, "freeNote", kFreeNote, {1920, 840, 3495, 975}, arial(9), Qt::AlignHCenter);
    donationNote_ = text(frame_, "donationNote", kDonationNote, {720, 2280, 5775, 975}, arial(9),
                         Qt::AlignHCenter);
}

void InformationWindow::buildDonationArea() {
    continueBar_ = new form_controls::ShapeWidget(client_, {120, 7560, 7095, 495},
                                                  {.border = Qt::black,
                                                   .borderWidth = 1,
                                                   .fill = form_controls::designColour(kLightGreen),
                                                   .rounded = true});
    continueBar_->setObjectName("continueBar");

    continueButton_ = new form_controls::ClickableLabel(
        QStringLiteral("Continua"), form_controls::ClickableLabel::Role::Button, client_);
    continueButton_->setObjectName("continueButton");
    continueButton_->setFont(arial(15.75));
    continueButton_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    placeInTwips(*continueButton_, 120, 7680, 7095, 495);
    connect(continueButton_, &form_controls::ClickableLabel::clicked, this,
            &InformationWindow::onContinue);

    donationBox_ = new form_controls::ShapeWidget(
        client_, {120, 6120, 7095, 1335},
        {.border = form_controls::designColour(kSystemWindowText), .borderWidth = 1});
    donationBox_->setObjectName("donationBox");

    donationLink_ = linkPicture(client_, "donationLink", QStringLiteral(":/quintara/donation.jpg"),
                                QStringLiteral("Dona"), {240, 6360, 1575, 855});
    connect(donationLink_, &form_controls::ClickableLabel::clicked, this,
            &InformationWindow::onDonation);

    donationAppeal_ =
        text(client_, "donationAppeal", kDonationAppeal, {2040, 6360, 4935, 975},
             form_controls::designFont(QStringLiteral("Comic Sans MS"), 12), Qt::AlignHCenter);
    frame_->raise();
}

// The window reacts to no key of its own, but a modal window the keyboard cannot leave locks a
// keyboard user in: "Continua" and the three links are Tab stops, from the top down, pressed
// with Return (and "Continua" with Space). Only Tab reaches them: a click leaves no focus frame.
void InformationWindow::takeTheKeyboard() {
    const std::array<QWidget*, 4> stops = {logo_, contactLink_, donationLink_, continueButton_};
    for (QWidget* stop : stops) {
        stop->setFocusPolicy(Qt::TabFocus);
    }
    for (std::size_t k = 1; k < stops.size(); ++k) {
        setTabOrder(stops[k - 1], stops[k]);
    }
}

void InformationWindow::showModal(QWidget& owner) {
    qt::setOwner(*this, owner);
    setWindowModality(Qt::ApplicationModal);
    prepare();
    qt::centreOnScreen(*this);
    exec();
}

void InformationWindow::prepare() {
    version_->setText(QStringLiteral("Version ") + QLatin1String(version::kShown));
    // Sized to its text from its left edge; kept inside the window, where a long version would
    // otherwise be cut off at the right.
    version_->adjustSize();
    const int rightLimit = client_->width() - form_controls::pixels(120);
    if (version_->geometry().right() > rightLimit) {
        version_->move(rightLimit - version_->width(), version_->y());
    }
    form_controls::setColours(*contactLink_, std::nullopt, kNavy);
    continueButton_->setFocus();
}

void InformationWindow::onLogo() {
    links_.open(qt::site::homePage());
}

void InformationWindow::onDonation() {
    links_.open(qt::site::donationPage());
}

void InformationWindow::onContactLink() {
    links_.open(qt::site::productPage());
}

void InformationWindow::onPointerOverContactLink() {
    form_controls::setForeColour(*contactLink_, kRed);
}

void InformationWindow::onPointerOverWindow() {
    form_controls::setForeColour(*contactLink_, kNavy);
}

void InformationWindow::onContinue() {
    accept();
}

void InformationWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

// Escape, or a window manager's close, behave as "Continua".
void InformationWindow::reject() {
    onContinue();
}

}  // namespace quintara::info_window
