// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "form_controls/accessibility.h"
#include "main_window/command_queue.h"
#include "main_window/cover_display.h"
#include "main_window/cover_player.h"
#include "main_window/number_board.h"
#include "main_window/series_teller.h"
#include "main_window/sliced_draw.h"
#include "settings/draw_settings.h"
#include "settings/settings_file.h"
#include "window_services/modal_windows.h"
#include "window_services/window_services.h"

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

using window_services::ConditionsEditor;
using window_services::ModalWindow;
using window_services::WindowServices;

inline constexpr char kInvalidRangeMessage[] =
    "Intervallo dei numeri non valido in Quintara.cfg: servono almeno 7 numeri, a partire da 1.";
inline constexpr char kNoSeriesMessage[] =
    "Nessuna serie soddisfa le condizioni scelte. Modificare le condizioni.";

// The main window: two columns of six numbers and the Jolly box behind thirteen covers, the
// header with the maker's link and page, and the commands "Nuova Serie", "Condizioni",
// "Stampa" and "Esci". To a screen reader it describes itself with the series on view.
//
// The window never waits: the covers move and a long draw runs from the event loop, and a
// command given meanwhile acts once the one before has ended, in order.
class MainWindow final : public QMainWindow {
public:
    MainWindow(WindowServices& services, ModalWindow& informationWindow,
               ConditionsEditor& conditionsDialog);
    ~MainWindow() override;

    // The start-up sequence, run once before the window is first shown.
    void startUp();

    void onExit();
    void onNewSeries();
    void onConditions();
    void onPrint();
    void onAbout();
    void onSiteLink();
    void onPointerOverSiteLink();
    void onPointerOverWindow();

    // A command runs, or waits for the one before: the covers move or a series is drawn.
    bool busy() const { return commands_.busy(); }

    const settings::DrawSettings& drawSettings() const { return settings_; }
    const CoverDisplay& covers() const { return *board_; }

protected:
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Done = CommandQueue::Done;

    void buildSurface();
    void buildHeader();
    void buildBallArea();
    void buildCommandRow();
    void buildMenu();
    void applyStackingOrder();
    void applyReadingOrder();

    // Reads the settings file, once a save it left cut short is put back.
    void readTheSettingsFile();
    // Runs `next` once the covers are closed, closing them first if they are open.
    void afterCovering(std::function<void()> next);
    void newSeries(Done done);
    void seriesDrawn(draw::DrawState state, const draw::Series& series, Done done);
    void conditionsRoundTrip(Done done);
    void afterTheDialog(const std::optional<settings::DrawConditions>& saved, Done done);

    void tellTheSeries();
    QString seriesDescription() const;
    void copySeries();
    void paintCovers();
    QToolButton* commandButton(const char* name, const QString& caption, int left,
                               const QString& picture, void (MainWindow::*handler)());

    WindowServices& services_;
    ModalWindow& informationWindow_;
    ConditionsEditor& conditionsDialog_;
    settings::SettingsFile settingsFile_;

    settings::DrawSettings settings_;

    form_controls::PointerSurface* surface_ = nullptr;
    QLabel* column1Caption_ = nullptr;
    QLabel* column2Caption_ = nullptr;
    QLabel* jollyCaption_ = nullptr;
    QLabel* siteNote_ = nullptr;
    form_controls::ClickableLabel* siteLink_ = nullptr;
    form_controls::LineWidget* headerBottomLine_ = nullptr;
    form_controls::LineWidget* headerDividerLine_ = nullptr;
    form_controls::LineWidget* ballAreaTopLine_ = nullptr;
    form_controls::LineWidget* columnsDividerLine_ = nullptr;
    form_controls::LineWidget* jollyDividerLine_ = nullptr;
    form_controls::LineWidget* commandsTopLine_ = nullptr;
    form_controls::ShapeWidget* outline_ = nullptr;
    QLabel* headerPicture_ = nullptr;
    web_band::WebBand* band_ = nullptr;
    QToolButton* exitButton_ = nullptr;
    QToolButton* newSeriesButton_ = nullptr;
    QToolButton* conditionsButton_ = nullptr;
    QToolButton* printButton_ = nullptr;
    QMenu* aboutMenu_ = nullptr;
    QAction* aboutAction_ = nullptr;

    std::unique_ptr<NumberBoard> board_;
    std::unique_ptr<CoverPlayer> player_;
    CommandQueue commands_;
    SlicedDraw draw_;
    bool exiting_ = false;
    SeriesTeller teller_;
    form_controls::WindowDescription description_{*this, [this] { return seriesDescription(); }};
};

}  // namespace quintara::main_window
