// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>
#include <chrono>

class QWidget;

// The band under the main window's header shows a page of the maker's site. How it gets there:
//   page_fetch       asks the site for the page once, with our own limits;
//   site_request     one request of the site, read by the band itself byte by byte (the page's
//                    and, in engine/, its resources');
//   fetching_band    shows the page in the engine, or our offline band when none came;
//   offline_band     our own page, drawn by Qt Widgets (the whole band in a build without
//                    the engine);
//   engine_module    loads the browser engine's module, only once a page has arrived;
//   engine/          the module itself: the engine's view of the page, silent; the gate
//                    that decides which links leave the band for the user's browser; the
//                    filter and fetch that decide what the page may load, and how much; and
//                    what bounds the page's process, its switches and its scripts.
namespace quintara::web_band {

class WebBand {
public:
    virtual ~WebBand() = default;

    virtual QWidget& widget() = 0;

    // Silent: the band never raises a dialog of its own (script alerts, certificate or password
    // questions, downloads).
    virtual void setSilent(bool silent) = 0;

    // Starts showing the page; false when that could not even start.
    virtual bool navigate(const QUrl& page) = 0;
};

class WebBandFactory {
public:
    virtual ~WebBandFactory() = default;

    // The band's widget is a child of `parent`, which owns it.
    virtual WebBand& create(QWidget& parent) = 0;
};

// How long the band waits for the site's answer before it shows our offline band instead.
inline constexpr std::chrono::milliseconds kSiteTimeout{5000};

}  // namespace quintara::web_band
