// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <vector>

namespace quintara::form_controls {

// Rich text whose links are reached with Tab and followed with Return, as with the mouse. Each
// link is a Tab stop a screen reader names, as a link of its own within the text (see
// accessibility.h): a label alone tells it nothing when the focus moves between its links.
class LinkedText : public QLabel {
    Q_OBJECT

public:
    struct Link {
        QString text;
        QString href;
        int start;  // where its text begins and ends in the label's text, as the label counts
        int end;
    };

    explicit LinkedText(QWidget* parent);

    std::vector<Link> links() const;
    // The link that has the keyboard focus; -1 while none has.
    int focusedLink() const;

protected:
    bool focusNextPrevChild(bool next) override;
};

}  // namespace quintara::form_controls
