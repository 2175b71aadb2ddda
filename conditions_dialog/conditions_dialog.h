// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <array>

#include "settings/draw_conditions.h"
#include "settings/settings_file.h"
#include "window_services/modal_windows.h"
#include "window_services/window_services.h"

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
// checks the entry, saves Quintara.cfg and hands the main window the conditions it saved.
class ConditionsDialog final : public QDialog, public window_services::ConditionsEditor {
public:
    explicit ConditionsDialog(window_services::WindowServices& services);

    // Starts from the dialog's defaults, overlays the settings file and shows the dialog modally
    // over `owner`; the conditions saved, or nothing when it closed without saving.
    std::optional<settings::DrawConditions> showModal(QWidget& owner) override;

    // The dialog's defaults, with the settings file read over them.
    void loadConditions();
    // Shows the boxes of the kind chosen and hides the others; their texts stay as they are.
    void onKindChosen(settings::ConditionKind kind);
    void onSaveAndExit();
    void onExit();
    void onSiteLink();

private:
    void buildOptions();
    void buildEntryBoxes();
    void buildButtonsAndLink();
    void selectKind(std::optional<settings::ConditionKind> kind);
    std::optional<settings::ConditionKind> selectedKind() const;
    QRadioButton* kindOption(settings::ConditionKind kind) const;
    void showConditions();
    void takeConditionsFromControls();
    bool save();

    window_services::WindowServices& services_;
    settings::SettingsFile settingsFile_;

    // The dialog's copy of the conditions. The range and the Jolly flags have no control here:
    // they are kept as loaded and saved back unchanged.
    settings::DrawConditions conditions_ = settings::dialogDefaults();

    form_controls::CaptionFrame* frame_ = nullptr;
    // Indexed by settings::indexOf(kind): each kind's option button, and the label beside it
    // that carries its text.
    std::array<QRadioButton*, settings::kConditionKindCount> kindOptions_{};
    std::array<QLabel*, settings::kConditionKindCount> kindLabels_{};
    QButtonGroup* kindGroup_ = nullptr;
    form_controls::LimitedLineEdit* firstNumberBox_ = nullptr;
    form_controls::LimitedLineEdit* secondNumberBox_ = nullptr;
    QLineEdit* phraseBox_ = nullptr;
    form_controls::LimitedLineEdit* tensDigitBox_ = nullptr;
    form_controls::LineWidget* buttonsTopLine_ = nullptr;
    QPushButton* saveAndExitButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    form_controls::ClickableLabel* siteLink_ = nullptr;
};

}  // namespace quintara::conditions_dialog
