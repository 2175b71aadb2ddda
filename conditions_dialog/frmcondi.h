// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

#include "form_controls/control_array.h"
#include "main_window/modal_windows.h"
#include "platform/qt/window_services.h"
#include "settings/draw_conditions.h"
#include "settings/settings_file.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quintara::qt {
class CaptionFrame;
class ClickableLabel;
class LimitedLineEdit;
class LineWidget;
}  // namespace quintara::qt

namespace quintara::conditions_dialog {

// The "Condition form": the user picks one condition kind, fills in its box, and "Salva e Esci"
// checks the entry and saves Quintara.cfg. The settings file is the only channel back to the
// main window, which reads it again however the dialog closed.
class frmcondi final : public QDialog, public main_window::ConditionsEditor {
public:
    explicit frmcondi(qt::WindowServices& services);

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

    qt::WindowServices& services_;
    settings::SettingsFile settingsFile_;
    draw::CoverDisplay* ownerCovers_ = nullptr;

    // The dialog's copy of the conditions. The range and the Jolly flags have no usable control
    // here (their boxes are hidden, their group clipped), so they are kept as loaded and saved
    // back unchanged.
    settings::DrawConditions conditions_ = settings::dialogDefaults();

    qt::CaptionFrame* Frame1 = nullptr;
    qt::CaptionFrame* Frame2 = nullptr;
    qt::ControlArray<QRadioButton> Option1;
    QButtonGroup* kindGroup_ = nullptr;
    qt::ControlArray<QLabel> Label2;
    qt::LimitedLineEdit* Text1 = nullptr;
    qt::LimitedLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    qt::LimitedLineEdit* Text6 = nullptr;
    qt::ControlArray<qt::LineWidget> Line1;
    QPushButton* Command5 = nullptr;
    QPushButton* Command4 = nullptr;
    qt::ControlArray<qt::ClickableLabel> Label1;
};

}  // namespace quintara::conditions_dialog
