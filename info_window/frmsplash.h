// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include "form_controls/control_array.h"
#include "main_window/modal_windows.h"

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
class frmSplash final : public QDialog, public main_window::ModalWindow {
public:
    explicit frmSplash(qt::LinkOpener& links);

    // Runs the load step and shows the window modally over `owner` until "Continua".
    void showModal(QWidget& owner) override;

    void Form_Load();
    void Image1_Click();
    void Image4_Click();
    void lblCompany_Click(int Index);
    void lblCompany_MouseMove(int Index);
    void Frame1_MouseMove();
    void Label4_Click();

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

    form_controls::PointerSurface* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    form_controls::ClickableLabel* Label4 = nullptr;
    QLabel* lblCopyright = nullptr;
    form_controls::ControlArray<form_controls::ClickableLabel> lblCompany;
    QLabel* lblWarning = nullptr;
    QLabel* lblVersion = nullptr;
    form_controls::ClickableLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    form_controls::ClickableLabel* Image4 = nullptr;
    form_controls::ShapeWidget* Shape1 = nullptr;
    form_controls::ShapeWidget* Shape2 = nullptr;
};

}  // namespace quintara::info_window
