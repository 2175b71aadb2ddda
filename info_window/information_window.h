// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include "window_services/modal_windows.h"

class QLabel;

namespace quintara::form_controls {
class ClickableLabel;
class PointerSurface;
class ShapeWidget;
}  // namespace quintara::form_controls

namespace quintara::qt {
class LinkOpener;
}  // namespace quintara::qt

namespace quintara::info_window {

// The information window: name, version, a note that the program is free, the disclaimer, a
// donation appeal and links to the maker's site. Shown at start-up and from "About"; only
// "Continua" closes it (Escape and a window manager's close do the same), and it has the focus
// when the window opens.
class InformationWindow final : public QDialog, public window_services::ModalWindow {
public:
    explicit InformationWindow(qt::LinkOpener& links);

    // Readies the window and shows it modally over `owner` until "Continua".
    void showModal(QWidget& owner) override;

    // Each showing starts afresh: the version written anew, the contact link in navy.
    void prepare();
    void onLogo();
    void onDonation();
    void onContactLink();
    void onPointerOverContactLink();
    void onPointerOverWindow();
    void onContinue();

protected:
    void paintEvent(QPaintEvent* event) override;
    void reject() override;

private:
    void buildFrame();
    void buildDonationArea();
    void takeTheKeyboard();

    qt::LinkOpener& links_;
    // The client area inside the border; every control lies on it.
    QWidget* client_ = nullptr;

    // The sunken box that holds the name, the notes, the disclaimer and the links.
    form_controls::PointerSurface* frame_ = nullptr;
    QLabel* title_ = nullptr;
    QLabel* freeNote_ = nullptr;
    QLabel* donationNote_ = nullptr;
    QLabel* donationAppeal_ = nullptr;
    form_controls::ClickableLabel* continueButton_ = nullptr;
    QLabel* copyright_ = nullptr;
    form_controls::ClickableLabel* contactLink_ = nullptr;
    QLabel* warning_ = nullptr;
    QLabel* version_ = nullptr;
    form_controls::ClickableLabel* logo_ = nullptr;
    QLabel* warningPicture_ = nullptr;
    QLabel* ticketPicture_ = nullptr;
    form_controls::ClickableLabel* donationLink_ = nullptr;
    // The green bar behind "Continua", and the box around the donation appeal.
    form_controls::ShapeWidget* continueBar_ = nullptr;
    form_controls::ShapeWidget* donationBox_ = nullptr;
};

}  // namespace quintara::info_window
