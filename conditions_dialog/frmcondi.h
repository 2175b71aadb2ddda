// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include "form_controls/control_array.h"
#include "main_window/modal_windows.h"
#include "main_window/window_services.h"
#include "settings/draw_conditions.h"
#include "settings/settings_file.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quintara::form_controls {
class CaptionFrame;
class ClickableLabel;
class LimitedLineEdit;
class LineWidget;
}  // namespace quintara::form_controls

namespace quintara::conditions_dialog {

// The "Condition form": the user picks one condition kind, fills in its box, and "Salva e Esci"
// checks the entry and saves Quintara.cfg. The settings file is the only channel back to the
// main window, which reads it again however the dialog closed.
class frmcondi final : public QDialog, public main_window::ConditionsEditor {
public:
    explicit frmcondi(main_window::WindowServices& services);

    // Starts from the design values, overlays the settings file and shows the dialog modally over
    // `owner`; after a save it opens the first column of `ownerCovers`.
    void showModal(QWidget& owner, draw::CoverDisplay& ownerCovers) override;

    void Form_Load();
    void Option1_Click(int Index);
    void Command5_Click();
    void Command4_Click();
    void Label1_Click(int Index);

private:
    void buildOptions();
    void buildEntryBoxes();
    void buildButtonsAndLink();
    void selectKind(std::optional<settings::ConditionKind> kind);
    std::optional<settings::ConditionKind> selectedKind() const;
    void showConditions();
    void takeConditionsFromControls();
    bool save();

    main_window::WindowServices& services_;
    settings::SettingsFile settingsFile_;
    draw::CoverDisplay* ownerCovers_ = nullptr;

    // The dialog's copy of the conditions. The range and the Jolly flags have no usable control
    // here (their boxes are hidden, their group clipped), so they are kept as loaded and saved
    // back unchanged.
    settings::DrawConditions conditions_ = settings::dialogDefaults();

    form_controls::CaptionFrame* Frame1 = nullptr;
    form_controls::CaptionFrame* Frame2 = nullptr;
    form_controls::ControlArray<QRadioButton> Option1;
    QButtonGroup* kindGroup_ = nullptr;
    form_controls::ControlArray<QLabel> Label2;
    form_controls::LimitedLineEdit* Text1 = nullptr;
    form_controls::LimitedLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    form_controls::LimitedLineEdit* Text6 = nullptr;
    form_controls::ControlArray<form_controls::LineWidget> Line1;
    QPushButton* Command5 = nullptr;
    QPushButton* Command4 = nullptr;
    form_controls::ControlArray<form_controls::ClickableLabel> Label1;
};

}  // namespace quintara::conditions_dialog
