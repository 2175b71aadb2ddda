// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <cstdint>

namespace quintara::form_controls {

// A label that reacts to the mouse: the links to the maker's site and "Continua". A screen
// reader, or a test driving the program through the accessibility bus, sees it as a link or a
// button it can press (see accessibility.h). Given a focus policy, it is pressed from the
// keyboard too, Return for a link, Return or Space for a button, and shows the focus as a
// dotted frame around its caption: a keyboard user must see where Tab has put them.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    enum class Role { Link, Button };

    ClickableLabel(const QString& text, Role role, QWidget* parent);

    Role role() const { return role_; }

public slots:
    void click() { emit clicked(); }

signals:
    void clicked();
    // The pointer moved over the label.
    void pointerMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Role role_;
    bool pressedInside_ = false;
};

// A link caption as the windows show it: centred at the top of its rectangle in twips, in the
// colour `fore` over whatever lies beneath.
ClickableLabel* createLinkLabel(QWidget* parent, const char* name, const QString& text,
                                const QFont& font, std::uint32_t fore, QRect twips);

}  // namespace quintara::form_controls
