// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QString>

namespace quintara::form_controls {

// A picture drawn larger than the place it is shown in (the main window's header), kept only at
// the size it is shown: a label given the whole picture keeps it beside its scaled copy for the
// rest of the run. Scaled from the file as a label scales a picture, so it looks the same, and
// again whenever its size or the screen's scale changes.
class FittedPicture final : public QLabel {
public:
    FittedPicture(const QString& file, QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fit();

    QString file_;
    QSize fittedSize_;
    qreal fittedScale_ = 0;
};

}  // namespace quintara::form_controls
