// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <vector>

#include "conditions_dialog/conditions_dialog.h"
#include "files/local_file_layer.h"
#include "main_window/main_window.h"
#include "platform/xoshiro_random_source.h"
#include "support/failing_file_layer.h"
#include "support/scripted_random_source.h"
#include "support/settings_bytes.h"
#include "web_band/web_band.h"
#include "window_services/modal_windows.h"
#include "window_services/window_services.h"

namespace quintara::testing {

class RecordingMessageBox final : public qt::MessageBox {
public:
    void show(QWidget*, const QString& text) override { shown.push_back(text); }
    bool ask(QWidget*, const QString& text, const QString&, const QString&) override {
        asked.push_back(text);
        return answer;
    }
    std::vector<QString> shown;
    std::vector<QString> asked;
    bool answer = true;
};

class RecordingLinkOpener final : public qt::LinkOpener {
public:
    void open(const QUrl& page) override { opened.push_back(page); }
    std::vector<QUrl> opened;
};

// Records every call it gets, in order, as "setSilent(true)" or "navigate(<address>)".
class FakeWebBand final : public QLabel, public web_band::WebBand {
public:
    FakeWebBand(QWidget& parent, bool navigationWorks) : QLabel(&parent), works_(navigationWorks) {
        hide();
    }
    QWidget& widget() override { return *this; }
    void setSilent(bool value) override {
        calls.push_back(QStringLiteral("setSilent(%1)").arg(value ? "true" : "false"));
    }
    bool navigate(const QUrl& page) override {
        calls.push_back(QStringLiteral("navigate(%1)").arg(page.toString()));
        return works_;
    }
    QStringList calls;

private:
    bool works_;
};

class FakeWebBandFactory final : public web_band::WebBandFactory {
public:
    web_band::WebBand& create(QWidget& parent) override {
        ++created;
        band = new FakeWebBand(parent, navigationWorks);
        return *band;
    }
    bool navigationWorks = true;
    int created = 0;
    FakeWebBand* band = nullptr;
};

class RecordingPrinter final : public qt::WindowPrinter {
public:
    void print(QWidget& window) override {
        printed.push_back(&window);
        if (whilePrinting) {
            whilePrinting();
        }
    }
    std::vector<QWidget*> printed;
    std::function<void()> whilePrinting;
};

// Stands in for the information window: records each showing and runs what the test wants to
// happen while it is open.
class FakeModalWindow final : public window_services::ModalWindow {
public:
    void showModal(QWidget& owner) override {
        ++showings;
        owners.push_back(&owner);
        if (whileShown) {
            whileShown();
        }
    }
    int showings = 0;
    std::vector<QWidget*> owners;
    std::function<void()> whileShown;
};

// Stands in for the conditions dialog: records each showing, runs what the test wants to happen
// while it is open, and hands back the conditions the test says it saved.
class FakeConditionsEditor final : public window_services::ConditionsEditor {
public:
    std::optional<settings::DrawConditions> showModal(QWidget&) override {
        ++showings;
        if (whileShown) {
            whileShown();
        }
        return saved;
    }
    int showings = 0;
    std::optional<settings::DrawConditions> saved;
    std::function<void()> whileShown;
};

// All the fakes a window needs, with a real file layer over a fresh working directory.
struct FakeServices {
    FakeServices() : previousDirectory(QDir::currentPath()) { QDir::setCurrent(directory.path()); }
    ~FakeServices() { QDir::setCurrent(previousDirectory); }

    QString file(const QString& name) const { return directory.filePath(name); }
    void writeSettings(const QByteArray& bytes) const;

    QTemporaryDir directory;
    QString previousDirectory;
    RecordingMessageBox messages;
    RecordingLinkOpener links;
    FakeWebBandFactory webBands;
    RecordingPrinter printer;
    FailingFileLayer files;  // real until a test makes a step fail
    platform::XoshiroRandomSource random = platform::XoshiroRandomSource::withFixedState(17);
    // Ten seconds pass at every reading of the steady clock: each movement of the covers ends at
    // its first frame, unless a test paces the clock itself.
    FixedClock clock = [] {
        FixedClock clock;
        clock.step = std::chrono::seconds(10);
        return clock;
    }();
    window_services::WindowServices services{
        messages, links, webBands, printer, files, random, clock, settings::kSettingsFileName};
};

// Lets the window run the commands given to it to their end, from the event loop; false when
// they do not end within ten seconds.
bool settles(main_window::MainWindow& window);

// A main window started over fresh fakes; `before` readies the fakes (a settings file, a band
// that fails) for the start.
struct StartedMainWindow {
    explicit StartedMainWindow(const std::function<void(FakeServices&)>& before = {});
    FakeServices fakes;
    FakeModalWindow information;
    FakeConditionsEditor conditions;
    main_window::MainWindow window{fakes.services, information, conditions};
};

// The conditions dialog over fresh fakes, in front of an owner.
struct ConditionsDialogOverFakes {
    // Shows the dialog modally and does `action` once it is up; returns whether it closed by
    // itself. `saved` is what the dialog handed back as it closed.
    bool whileOpen(const std::function<void()>& action);
    FakeServices fakes;
    QWidget owner;
    conditions_dialog::ConditionsDialog window{fakes.services};
    std::optional<settings::DrawConditions> saved;
};

// Whether the label's text fits within it, nothing cut off: wrapped into its height, or on one line
// within its width.
bool showsItsTextWhole(const QLabel& label);

inline QColor foreColour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// The bytes of a settings file; left as they are, the lines make the file the untouched
// conditions dialog saves.
QByteArray settingsFile(const SettingsLines& lines = {});

// Shows `dialog` modally through `show` and does `action` once it is up; a dialog the action
// leaves open is then closed by force. Returns whether it closed by itself.
bool whileShownModally(QDialog& dialog, const std::function<void()>& show,
                       const std::function<void()>& action);

}  // namespace quintara::testing
