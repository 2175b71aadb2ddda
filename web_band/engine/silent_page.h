// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWebEnginePage>

#include "web_band/engine/link_gate.h"

namespace quintara::web_band {

// The band's page: once silent, it answers every question itself instead of asking the user,
// grants no permission, and lets its link gate decide where navigations go.
class SilentPage final : public QWebEnginePage {
public:
    SilentPage(QWebEngineProfile* profile, LinkGate& gate, QObject* parent);

    void setSilent(bool silent) { silent_ = silent; }

protected:
    void javaScriptAlert(const QUrl& origin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                          QString* result) override;
    QStringList chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) override {
        return {};
    }
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // The page's console goes nowhere: written to the program's output, where a desktop keeps
    // it in the user's session log, a page's loop filled the home folder.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int,
                                  const QString&) override {}

private:
    void answerQuestionsSilently();
    void denyEveryPermission();
    void restrictSettings();

    LinkGate& gate_;
    bool silent_ = false;
};

}  // namespace quintara::web_band
