// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conditions_dialog/conditions_dialog.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <variant>

#include "form_controls/caption_frame.h"
#include "form_controls/clickable_label.h"
#include "form_controls/control_properties.h"
#include "form_controls/design_colours.h"
#include "form_controls/limited_line_edit.h"
#include "form_controls/return_key.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"
#include "platform/qt/site.h"
#include "platform/qt/window_placement.h"
#include "settings/draw_rule.h"
#include "settings/entry_checks.h"
#include "settings/save_messages.h"

namespace quintara::conditions_dialog {
namespace {

using form_controls::arial;
using form_controls::placeInTwips;
using settings::ConditionKind;

using namespace form_controls::colours;
constexpr int kClientWidth = 6270;
constexpr int kClientHeight = 3795;

struct KindRow {
    ConditionKind kind;
    const char* text;
    int top;
    int labelWidth;
};

// Top to bottom as they stand in the dialog; each option button shows only its circle, the
// label beside it carries the text.
constexpr KindRow kKindRows[] = {
    {ConditionKind::EvenOnly, "Solo numeri pari", 360, 3015},
    {ConditionKind::OddOnly, "Solo numeri dispari", 720, 3015},
    {ConditionKind::MustContain, "La serie DEVE contenere il / i numero / i", 1080, 3015},
    {ConditionKind::Phrase, "Utilizza questa frase o nome", 1560, 2895},
    {ConditionKind::TensDigit, "Almeno due numeri con questo seme", 2040, 2895},
    {ConditionKind::NoCondition, "Nesuna condizione, solo numeri casuali", 2520, 2895},
};

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
std::string toUtf8(const QString& text) {
    return text.toStdString();
}

}  // namespace

ConditionsDialog::ConditionsDialog(window_services::WindowServices& services)
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      services_(services),
      settingsFile_(services.files, services.settingsFile) {
    setObjectName("conditionsDialog");
    setWindowTitle(QStringLiteral("Condition form"));
    setFixedSize(form_controls::twipsRect(0, 0, kClientWidth, kClientHeight).size());
    form_controls::setColours(*this, kLightGrey, kBlack);

    frame_ = new form_controls::CaptionFrame(this, QStringLiteral("Parametri di estrazione"),
                                             arial(12, {.bold = true, .italic = true}),
                                             form_controls::designColour(kRed));
    frame_->setObjectName("frame");
    placeInTwips(*frame_, 0, 0, 6255, 3855);
    buildOptions();
    buildEntryBoxes();
    buildButtonsAndLink();
}

void ConditionsDialog::buildOptions() {
    kindGroup_ = new QButtonGroup(this);
    for (const KindRow& row : kKindRows) {
        const int index = settings::indexOf(row.kind);
        auto* option = new QRadioButton(frame_);
        option->setObjectName(QStringLiteral("kindOption(%1)").arg(index));
        option->setAccessibleName(QString::fromUtf8(row.text));
        placeInTwips(*option, 240, row.top, 255, 255);
        kindGroup_->addButton(option, index);
        // Toggled, not clicked: a screen reader's "toggle" picks a kind without a click.
        connect(option, &QRadioButton::toggled, this, [this, kind = row.kind](bool checked) {
            if (checked) {
                onKindChosen(kind);
            }
        });
        kindOptions_[index] = option;

        auto* label = new QLabel(QString::fromUtf8(row.text), frame_);
        label->setObjectName(QStringLiteral("kindLabel(%1)").arg(index));
        label->setFont(arial(8.25));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeInTwips(*label, 720, row.top, row.labelWidth, 375);
        kindLabels_[index] = label;
    }
}

void ConditionsDialog::buildEntryBoxes() {
    const auto box = [this](auto* edit, const char* name, const char* description, QRect twips) {
        edit->setObjectName(name);
        edit->setAccessibleName(QString::fromUtf8(description));
        edit->setFont(arial(9.75, {.bold = true}));
        edit->setAlignment(Qt::AlignCenter);
        placeInTwips(*edit, twips);
        return edit;
    };
    firstNumberBox_ = box(new form_controls::LimitedLineEdit(frame_, 2), "firstNumberBox",
                          "Primo numero", {3600, 960, 495, 375});
    secondNumberBox_ = box(new form_controls::LimitedLineEdit(frame_, 2), "secondNumberBox",
                           "Secondo numero", {4200, 960, 495, 375});
    phraseBox_ = box(new QLineEdit(frame_), "phraseBox", "Frase o nome", {3600, 1440, 2415, 375});
    phraseBox_->setMaxLength(form_controls::kLongestTextInABox);
    tensDigitBox_ = box(new form_controls::LimitedLineEdit(frame_, 1), "tensDigitBox", "Seme",
                        {3600, 1920, 495, 375});

    // Tab through the kinds from top to bottom, each followed by its boxes.
    setTabOrder(kindOption(ConditionKind::EvenOnly), kindOption(ConditionKind::OddOnly));
    setTabOrder(kindOption(ConditionKind::OddOnly), kindOption(ConditionKind::MustContain));
    setTabOrder(kindOption(ConditionKind::MustContain), firstNumberBox_);
    setTabOrder(firstNumberBox_, secondNumberBox_);
    setTabOrder(secondNumberBox_, kindOption(ConditionKind::Phrase));
    setTabOrder(kindOption(ConditionKind::Phrase), phraseBox_);
    setTabOrder(phraseBox_, kindOption(ConditionKind::TensDigit));
    setTabOrder(kindOption(ConditionKind::TensDigit), tensDigitBox_);
    setTabOrder(tensDigitBox_, kindOption(ConditionKind::NoCondition));
}

QRadioButton* ConditionsDialog::kindOption(ConditionKind kind) const {
    return kindOptions_[static_cast<std::size_t>(settings::indexOf(kind))];
}

void ConditionsDialog::buildButtonsAndLink() {
    buttonsTopLine_ = new form_controls::LineWidget(frame_, {-120, 3000}, {8760, 3000},
                                                    form_controls::designColour(kRed), 3);
    buttonsTopLine_->setObjectName("buttonsTopLine");

    const auto button = [this](const char* name, const QString& caption, QRect twips) {
        auto* command = new QPushButton(caption, frame_);
        command->setObjectName(name);
        command->setFont(arial(9, {.bold = true, .italic = true}));
        // Neither is a default button: Return presses only the button that has the focus.
        command->setAutoDefault(false);
        form_controls::pressOnReturnWhenFocused(*command);
        placeInTwips(*command, twips);
        return command;
    };
    saveAndExitButton_ =
        button("saveAndExitButton", QStringLiteral("Salva e Esci"), {120, 3120, 3135, 615});
    exitButton_ = button("exitButton", QStringLiteral("Esci"), {4080, 3120, 1935, 615});
    connect(saveAndExitButton_, &QPushButton::clicked, this, &ConditionsDialog::onSaveAndExit);
    connect(exitButton_, &QPushButton::clicked, this, &ConditionsDialog::onExit);
    setTabOrder(kindOption(ConditionKind::NoCondition), saveAndExitButton_);
    setTabOrder(saveAndExitButton_, exitButton_);

    siteLink_ = form_controls::createLinkLabel(frame_, "siteLink", qt::site::host(),
                                               arial(14.25, {.bold = true, .italic = true}), kNavy,
                                               {3000, 240, 3375, 375});
    connect(siteLink_, &form_controls::ClickableLabel::clicked, this,
            &ConditionsDialog::onSiteLink);
}

std::optional<settings::DrawConditions> ConditionsDialog::showModal(QWidget& owner) {
    qt::setOwner(*this, owner);
    setWindowModality(Qt::ApplicationModal);
    loadConditions();
    qt::centreOnScreen(*this);
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return conditions_;
}

// Every opening starts from the dialog's defaults, all four entry boxes shown, before the
// settings file is read over them.
void ConditionsDialog::loadConditions() {
    const settings::SettingsRead read = settingsFile_.read(settings::dialogDefaults());
    conditions_ = read.conditions;
    for (QWidget* box :
         {static_cast<QWidget*>(firstNumberBox_), static_cast<QWidget*>(secondNumberBox_),
          static_cast<QWidget*>(phraseBox_), static_cast<QWidget*>(tensDigitBox_)}) {
        box->setVisible(true);
    }
    // The boxes of the kind the file selects last, whatever kind stays selected in the end.
    if (!read.kindsSelected.empty()) {
        onKindChosen(read.kindsSelected.back());
    }
    showConditions();
    // The keyboard starts on the condition in force, so that neither button is pressed by a
    // stray space or Enter.
    QAbstractButton* selected = kindGroup_->checkedButton();
    (selected != nullptr ? selected : kindOption(ConditionKind::EvenOnly))->setFocus();
}

void ConditionsDialog::showConditions() {
    selectKind(conditions_.kind);
    firstNumberBox_->setLoadedText(fromUtf8(conditions_.firstNumber));
    secondNumberBox_->setLoadedText(fromUtf8(conditions_.secondNumber));
    phraseBox_->setText(fromUtf8(conditions_.phrase));
    tensDigitBox_->setLoadedText(fromUtf8(conditions_.tensDigits));
}

void ConditionsDialog::takeConditionsFromControls() {
    conditions_.kind = selectedKind();
    conditions_.firstNumber = toUtf8(firstNumberBox_->text());
    conditions_.secondNumber = toUtf8(secondNumberBox_->text());
    conditions_.phrase = toUtf8(phraseBox_->text());
    conditions_.tensDigits = toUtf8(tensDigitBox_->text());
}

void ConditionsDialog::selectKind(std::optional<ConditionKind> kind) {
    // An exclusive group cannot be emptied directly; no kind at all is a real state. The display
    // rule is the reader's to apply, not this showing of its result.
    kindGroup_->setExclusive(false);
    for (int index = 0; index < settings::kConditionKindCount; ++index) {
        QRadioButton* option = kindOption(settings::conditionKindAt(index));
        const QSignalBlocker quiet(option);
        option->setChecked(kind && settings::indexOf(*kind) == index);
    }
    kindGroup_->setExclusive(true);
}

std::optional<ConditionKind> ConditionsDialog::selectedKind() const {
    const int index = kindGroup_->checkedId();
    if (index < 0) {
        return std::nullopt;
    }
    return settings::conditionKindAt(index);
}

void ConditionsDialog::onKindChosen(ConditionKind kind) {
    firstNumberBox_->setVisible(kind == ConditionKind::MustContain);
    secondNumberBox_->setVisible(kind == ConditionKind::MustContain);
    phraseBox_->setVisible(kind == ConditionKind::Phrase);
    tensDigitBox_->setVisible(kind == ConditionKind::TensDigit);
}

bool ConditionsDialog::save() {
    const auto failure = settingsFile_.save(conditions_);
    if (!failure) {
        return true;
    }
    const auto words = [](const auto& why) { return settings::messageFor(why); };
    services_.messages.show(this, fromUtf8(std::visit(words, *failure)));
    return false;
}

void ConditionsDialog::onSaveAndExit() {
    takeConditionsFromControls();
    if (const auto refusal = settings::entryRefusal(settings::drawRuleOf(conditions_))) {
        services_.messages.show(this, fromUtf8(settings::messageFor(*refusal)));
        return;
    }
    if (!save()) {
        return;
    }
    accept();
}

void ConditionsDialog::onExit() {
    reject();
}

void ConditionsDialog::onSiteLink() {
    services_.links.open(qt::site::homePage());
}

}  // namespace quintara::conditions_dialog
