// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

namespace quintara::form_controls {

// A frame with its caption set into the top edge of an etched border, holding other controls.
class CaptionFrame final : public QWidget {
public:
    CaptionFrame(QWidget* parent, const QString& caption, const QFont& font, QColor captionColour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    QColor captionColour_;
};

}  // namespace quintara::form_controls
