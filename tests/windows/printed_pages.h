// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

class QWidget;

namespace quintara::testing {

// A window of 679 x 486 logical pixels, like the main window's client area: a red block of one
// inch by half an inch (96 x 48) in the top left corner on white.
std::unique_ptr<QWidget> sampleWindow();

// The first page of a PDF file as an image at `dpi`, through pdftoppm.
QImage firstPage(const QString& pdf, int dpi);

// The smallest rectangle that holds every red pixel of the page.
QRect redArea(const QImage& page);

// Where this program's print jobs go, whatever printers the machine has: to the CUPS server on
// `socket` alone (CUPS reads the variables once, so this comes before the first question to it).
void printThrough(const QString& socket);

// Nowhere: a machine with no printer at all, the server named in `folder` not being there.
void useNoPrinter(const QString& folder);

}  // namespace quintara::testing
