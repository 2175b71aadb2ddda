// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QUrl>

namespace quintara::qt {

// Opens a page in the user's browser. Failures are silent, as every caller ignores them.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    virtual void open(const QUrl& page) = 0;
};

class DesktopLinkOpener final : public LinkOpener {
public:
    void open(const QUrl& page) override;
};

}  // namespace quintara::qt
