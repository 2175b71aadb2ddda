// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conditions_dialog/frmcondi.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <variant>

#include "draw/cover_animation.h"
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
    int labelIndex;
    const char* text;
    int top;
    int labelWidth;
};

// Top to bottom as they stand in the dialog; each option button shows only its circle, the
// label beside it carries the text.
constexpr KindRow kKindRows[] = {
    {ConditionKind::EvenOnly, 4, "Solo numeri pari", 360, 3015},
    {ConditionKind::OddOnly, 5, "Solo numeri dispari", 720, 3015},
    {ConditionKind::MustContain, 0, "La serie DEVE contenere il / i numero / i", 1080, 3015},
    {ConditionKind::Phrase, 1, "Utilizza questa frase o nome", 1560, 2895},
    {ConditionKind::TensDigit, 6, "Almeno due numeri con questo seme", 2040, 2895},
    {ConditionKind::NoCondition, 2, "Nesuna condizione, solo numeri casuali", 2520, 2895},
};

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
std::string toUtf8(const QString& text) {
    return text.toStdString();
}

}  // namespace

frmcondi::frmcondi(main_window::WindowServices& services)
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      services_(services),
      settingsFile_(services.files) {
    setObjectName("frmcondi");
    setWindowTitle(QStringLiteral("Condition form"));
    setFixedSize(form_controls::twipsRect(0, 0, kClientWidth, kClientHeight).size());
    form_controls::setColours(*this, kLightGrey, kBlack);

    Frame1 = new form_controls::CaptionFrame(this, QStringLiteral("Parametri di estrazione"),
                                             arial(12, {.bold = true, .italic = true}),
                                             form_controls::designColour(kRed));
    Frame1->setObjectName("Frame1");
    placeInTwips(*Frame1, 0, 0, 6255, 3855);
    buildOptions();
    buildEntryBoxes();
    buildButtonsAndLink();
}

void frmcondi::buildOptions() {
    kindGroup_ = new QButtonGroup(this);
    for (const KindRow& row : kKindRows) {
        const int index = settings::indexOf(row.kind);
        auto* option = new QRadioButton(Frame1);
        option->setObjectName(QStringLiteral("Option1(%1)").arg(index));
        option->setAccessibleName(QString::fromUtf8(row.text));
        placeInTwips(*option, 240, row.top, 255, 255);
        kindGroup_->addButton(option, index);
        // Toggled, not clicked: a screen reader's "toggle" picks a kind without a click.
        connect(option, &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked) {
                Option1_Click(index);
            }
        });
        Option1[index] = option;

        auto* label = new QLabel(QString::fromUtf8(row.text), Frame1);
        label->setObjectName(QStringLiteral("Label2(%1)").arg(row.labelIndex));
        label->setFont(arial(8.25));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        placeInTwips(*label, 720, row.top, row.labelWidth, 375);
        Label2[row.labelIndex] = label;
    }
}

void frmcondi::buildEntryBoxes() {
    const auto box = [this](auto* edit, const char* name, const char* description, QRect twips) {
        edit->setObjectName(name);
        edit->setAccessibleName(QString::fromUtf8(description));
        edit->setFont(arial(9.75, {.bold = true}));
        edit->setAlignment(Qt::AlignCenter);
        placeInTwips(*edit, twips);
        return edit;
    };
    Text1 = box(new form_controls::LimitedLineEdit(Frame1, 2), "Text1", "Primo numero",
                {3600, 960, 495, 375});
    Text2 = box(new form_controls::LimitedLineEdit(Frame1, 2), "Text2", "Secondo numero",
                {4200, 960, 495, 375});
    Text3 = box(new QLineEdit(Frame1), "Text3", "Frase o nome", {3600, 1440, 2415, 375});
    Text3->setMaxLength(form_controls::kLongestTextInABox);
    Text6 =
        box(new form_controls::LimitedLineEdit(Frame1, 1), "Text6", "Seme", {3600, 1920, 495, 375});

    // Tab through the kinds from top to bottom, each followed by its boxes.
    setTabOrder(Option1[3], Option1[4]);
    setTabOrder(Option1[4], Option1[0]);
    setTabOrder(Option1[0], Text1);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Option1[1]);
    setTabOrder(Option1[1], Text3);
    setTabOrder(Text3, Option1[5]);
    setTabOrder(Option1[5], Text6);
    setTabOrder(Text6, Option1[2]);
}

void frmcondi::buildButtonsAndLink() {
    Line1[2] = new form_controls::LineWidget(Frame1, {-120, 3000}, {8760, 3000},
                                             form_controls::designColour(kRed), 3);
    Line1[2]->setObjectName("Line1(2)");

    const auto button = [this](const char* name, const QString& caption, QRect twips) {
        auto* command = new QPushButton(caption, Frame1);
        command->setObjectName(name);
        command->setFont(arial(9, {.bold = true, .italic = true}));
        // Neither is a default button: Return presses only the button that has the focus.
        command->setAutoDefault(false);
        form_controls::pressOnReturnWhenFocused(*command);
        placeInTwips(*command, twips);
        return command;
    };
    Command5 = button("Command5", QStringLiteral("Salva e Esci"), {120, 3120, 3135, 615});
    Command4 = button("Command4", QStringLiteral("Esci"), {4080, 3120, 1935, 615});
    connect(Command5, &QPushButton::clicked, this, &frmcondi::Command5_Click);
    connect(Command4, &QPushButton::clicked, this, &frmcondi::Command4_Click);
    setTabOrder(Option1[2], Command5);
    setTabOrder(Command5, Command4);

    Label1[7] = form_controls::createLinkLabel(Frame1, "Label1(7)", qt::site::host(),
                                               arial(14.25, {.bold = true, .italic = true}), kNavy,
                                               {3000, 240, 3375, 375});
    connect(Label1[7], &form_controls::ClickableLabel::clicked, this, [this] { Label1_Click(7); });

    // The "Extras" group starts 15 twips before the frame's right edge: all but a strip of it is
    // cut off, and with it any way to change the range or the Jolly flags.
    Frame2 = new form_controls::CaptionFrame(Frame1, QStringLiteral("Extras"),
                                             arial(9, {.bold = true, .italic = true}),
                                             form_controls::designColour(kRed));
    Frame2->setObjectName("Frame2");
    placeInTwips(*Frame2, 6240, 240, 2535, 2175);
}

void frmcondi::showModal(QWidget& owner, draw::CoverDisplay& ownerCovers) {
    qt::setOwner(*this, owner);
    setWindowModality(Qt::ApplicationModal);
    ownerCovers_ = &ownerCovers;
    Form_Load();
    qt::centreOnScreen(*this);
    exec();
    ownerCovers_ = nullptr;
}

// Every opening starts from the design values, all four entry boxes shown, before the settings
// file is read over them.
void frmcondi::Form_Load() {
    conditions_ = settings::dialogDefaults();
    for (QWidget* box : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2),
                         static_cast<QWidget*>(Text3), static_cast<QWidget*>(Text6)}) {
        box->setVisible(true);
    }
    settingsFile_.LoadDialogConditions(
        conditions_, [this](ConditionKind kind) { Option1_Click(settings::indexOf(kind)); });
    showConditions();
    // The keyboard starts on the condition in force, so that neither button is pressed by a
    // stray space or Enter.
    QAbstractButton* selected = kindGroup_->checkedButton();
    (selected != nullptr ? selected : Option1[3])->setFocus();
}

void frmcondi::showConditions() {
    selectKind(conditions_.Condition);
    Text1->setLoadedText(fromUtf8(conditions_.RequiredNumber1));
    Text2->setLoadedText(fromUtf8(conditions_.RequiredNumber2));
    Text3->setText(fromUtf8(conditions_.PhraseText));
    Text6->setLoadedText(fromUtf8(conditions_.TensDigits));
}

void frmcondi::takeConditionsFromControls() {
    conditions_.Condition = selectedKind();
    conditions_.RequiredNumber1 = toUtf8(Text1->text());
    conditions_.RequiredNumber2 = toUtf8(Text2->text());
    conditions_.PhraseText = toUtf8(Text3->text());
    conditions_.TensDigits = toUtf8(Text6->text());
}

void frmcondi::selectKind(std::optional<ConditionKind> kind) {
    // An exclusive group cannot be emptied directly; no kind at all is a real state. The display
    // rule is the reader's to apply, not this showing of its result.
    kindGroup_->setExclusive(false);
    for (const auto& [index, option] : Option1) {
        const QSignalBlocker quiet(option);
        option->setChecked(kind && settings::indexOf(*kind) == index);
    }
    kindGroup_->setExclusive(true);
}

std::optional<ConditionKind> frmcondi::selectedKind() const {
    const int index = kindGroup_->checkedId();
    if (index < 0) {
        return std::nullopt;
    }
    return settings::conditionKindAt(index);
}

// Shows the boxes of the kind picked and hides the others; their texts stay as they are.
void frmcondi::Option1_Click(int Index) {
    const auto kind = settings::conditionKindAt(Index);
    Text1->setVisible(kind == ConditionKind::MustContain);
    Text2->setVisible(kind == ConditionKind::MustContain);
    Text3->setVisible(kind == ConditionKind::Phrase);
    Text6->setVisible(kind == ConditionKind::TensDigit);
}

bool frmcondi::save() {
    const auto failure = settingsFile_.SaveConditions(conditions_);
    if (!failure) {
        return true;
    }
    const auto words = [](const auto& why) { return settings::messageFor(why); };
    services_.messages.show(this, fromUtf8(std::visit(words, *failure)));
    return false;
}

void frmcondi::Command5_Click() {
    takeConditionsFromControls();
    if (const auto refusal = settings::entryRefusal(conditions_)) {
        services_.messages.show(this, fromUtf8(settings::messageFor(*refusal)));
        return;
    }
    if (!save()) {
        return;
    }
    accept();
    if (ownerCovers_ != nullptr) {
        draw::narrowFirstColumnCovers(*ownerCovers_);
    }
}

void frmcondi::Command4_Click() {
    reject();
}

void frmcondi::Label1_Click(int) {
    services_.links.open(qt::site::homePage());
}

}  // namespace quintara::conditions_dialog
