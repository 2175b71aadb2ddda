// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>
#include <chrono>
#include <memory>

#include "draw/draw_engine.h"
#include "form_controls/accessibility.h"
#include "form_controls/control_array.h"
#include "main_window/cover_pacer.h"
#include "main_window/long_draw_cursor.h"
#include "main_window/modal_windows.h"
#include "main_window/number_board.h"
#include "main_window/series_teller.h"
#include "main_window/window_services.h"
#include "settings/draw_conditions.h"
#include "settings/settings_file.h"

class QAction;
class QLabel;
class QMenu;
class QToolButton;

namespace quintara::form_controls {
class ClickableLabel;
class LineWidget;
class PointerSurface;
class ShapeWidget;
}  // namespace quintara::form_controls

namespace quintara::web_band {
class WebBand;
}

namespace quintara::main_window {

inline constexpr char kInvalidRangeMessage[] =
    "Intervallo dei numeri non valido in Quintara.cfg: servono almeno 7 numeri, a partire da 1.";
inline constexpr char kNoSeriesMessage[] =
    "Nessuna serie soddisfa le condizioni scelte. Modificare le condizioni.";

// The main window: two columns of six numbers and the Jolly box behind thirteen covers, the
// header with the maker's link and page, and the commands "Nuova Serie", "Condizioni",
// "Stampa" and "Esci". To a screen reader it describes itself with the series on view.
class mainform final : public QMainWindow {
public:
    mainform(WindowServices& services, ModalWindow& informationWindow,
             ConditionsEditor& conditionsDialog,
             std::chrono::milliseconds coverPhaseDuration = kCoverPhaseDuration);
    ~mainform() override;

    // The start-up sequence, run once before the window is first shown.
    void Form_Load();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command6_Click();
    void ab_Click(int Index);
    void Label3_Click(int Index);
    void Label3_MouseMove(int Index);
    void Form_MouseMove();

    // Reads Quintara.cfg over the conditions in force.
    void LoadConditions();

    const settings::DrawConditions& conditions() const { return conditions_; }
    const settings::DrawRange& range() const { return range_; }
    draw::CoverDisplay& covers() { return *board_; }

protected:
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;

private:
    void buildSurface();
    void buildHeader();
    void buildBallArea();
    void buildCommandRow();
    void buildMenu();
    void applyStackingOrder();
    void applyReadingOrder();
    void tellTheSeries();
    QString seriesDescription() const;
    void copySeries();
    QToolButton* commandButton(const char* name, const QString& caption, int left,
                               const QString& picture, void (mainform::*handler)());

    WindowServices& services_;
    ModalWindow& informationWindow_;
    ConditionsEditor& conditionsDialog_;
    settings::SettingsFile settingsFile_;

    // The main window's copy of the conditions. It stands for the design's hidden conditions
    // panel, which was never shown: same defaults, same loading order.
    settings::DrawConditions conditions_ = settings::mainWindowDefaults();
    settings::DrawRange range_;

    form_controls::PointerSurface* surface_ = nullptr;

    form_controls::ControlArray<QLabel> Label1;
    form_controls::ControlArray<QLabel> Labe2;
    form_controls::ControlArray<form_controls::ShapeWidget> Shape2;
    form_controls::ControlArray<QLabel> Label4;
    form_controls::ControlArray<form_controls::ClickableLabel> Label3;
    form_controls::ControlArray<form_controls::LineWidget> Line1;
    form_controls::LineWidget* Line2 = nullptr;
    form_controls::ShapeWidget* Shape1 = nullptr;
    QLabel* Image1 = nullptr;
    web_band::WebBand* wb1 = nullptr;
    QToolButton* Command1 = nullptr;
    QToolButton* Command2 = nullptr;
    QToolButton* Command3 = nullptr;
    QToolButton* Command6 = nullptr;
    form_controls::ControlArray<QMenu> abo;
    form_controls::ControlArray<QAction> ab;

    std::chrono::milliseconds coverPhaseDuration_;
    std::unique_ptr<NumberBoard> board_;
    LongDrawCursor drawCursor_;
    std::unique_ptr<draw::DrawEngine> engine_;
    SeriesTeller teller_;
    form_controls::WindowDescription description_{*this, [this] { return seriesDescription(); }};
};

}  // namespace quintara::main_window
