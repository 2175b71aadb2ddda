// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace quintara::qt {

class MessageBox;

// "Stampa": an image of a window on the default printer.
class WindowPrinter {
public:
    virtual ~WindowPrinter() = default;
    virtual void print(QWidget& window) = 0;
};

// Draws the window's image at its real size, 1440 twips (96 logical pixels) to the inch, at the
// top left of the printable area. False when the printer cannot be opened.
bool printWindowImage(QWidget& window, QPrinter& printer);

// Prints on the default printer. When there is none, offers to save the same image as a PDF file.
class QtWindowPrinter final : public WindowPrinter {
public:
    // Asks where to save the PDF file; an empty answer cancels.
    using PdfFileChooser = std::function<QString(QWidget& parent)>;

    explicit QtWindowPrinter(MessageBox& messages, PdfFileChooser choosePdfFile = {});

    void print(QWidget& window) override;

private:
    void offerPdf(QWidget& window);

    MessageBox& messages_;
    PdfFileChooser choosePdfFile_;
};

}  // namespace quintara::qt
