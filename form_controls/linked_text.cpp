// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/linked_text.h"

#include <QAccessible>
#include <QTextBlock>
#include <QTextDocument>

namespace quintara::form_controls {

LinkedText::LinkedText(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
}

std::vector<LinkedText::Link> LinkedText::links() const {
    QTextDocument document;
    document.setHtml(text());
    std::vector<Link> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            const QString href = piece.charFormat().anchorHref();
            if (href.isEmpty()) {
                continue;
            }
            // A link whose text changes style part-way is one link in several pieces.
            if (!found.empty() && found.back().href == href &&
                found.back().end == piece.position()) {
                found.back().text += piece.text();
                found.back().end += piece.length();
            } else {
                found.push_back(
                    {piece.text(), href, piece.position(), piece.position() + piece.length()});
            }
        }
    }
    return found;
}

int LinkedText::focusedLink() const {
    if (!hasFocus() || !hasSelectedText()) {
        return -1;
    }
    const std::vector<Link> all = links();
    for (std::size_t k = 0; k < all.size(); ++k) {
        if (all[k].start <= selectionStart() && selectionStart() < all[k].end) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

// The label moves the focus from link to link itself, telling no one: a screen reader hears it
// here, as the focus going to the link within the text.
bool LinkedText::focusNextPrevChild(bool next) {
    const bool moved = QLabel::focusNextPrevChild(next);
    const int link = focusedLink();
    if (link >= 0 && QAccessible::isActive()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(link);
        QAccessible::updateAccessibility(&focus);
    }
    return moved;
}

}  // namespace quintara::form_controls
