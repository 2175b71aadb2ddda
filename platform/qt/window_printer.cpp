// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/qt/window_printer.h"

#include <QFileDialog>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "platform/qt/message_box.h"

namespace quintara::qt {
namespace {

constexpr double kLogicalPixelsPerInch = 96.0;

QString askForPdfFile(QWidget& parent) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileDialog::getSaveFileName(&parent, QStringLiteral("Salva come PDF"),
                                        folder + QStringLiteral("/Quintara.pdf"),
                                        QStringLiteral("Documenti PDF (*.pdf)"));
}

}  // namespace

bool printWindowImage(QWidget& window, QPrinter& printer) {
    const QPixmap image = window.grab();
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const double scale = printer.resolution() / kLogicalPixelsPerInch;
    const QSizeF logicalSize = image.deviceIndependentSize();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(QPointF(0, 0), logicalSize * scale), image, QRectF(image.rect()));
    return painter.end();
}

QtWindowPrinter::QtWindowPrinter(MessageBox& messages, PdfFileChooser choosePdfFile)
    : messages_(messages),
      choosePdfFile_(choosePdfFile ? std::move(choosePdfFile) : askForPdfFile) {}

void QtWindowPrinter::print(QWidget& window) {
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull()) {
        offerPdf(window);
        return;
    }
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Quintara"));
    if (!printWindowImage(window, printer)) {
        messages_.show(&window, QStringLiteral("Impossibile stampare sulla stampante %1.")
                                    .arg(defaultPrinter.printerName()));
    }
}

void QtWindowPrinter::offerPdf(QWidget& window) {
    const bool save = messages_.ask(
        &window,
        QStringLiteral("Non è installata nessuna stampante. Salvare l'immagine della finestra in "
                       "un file PDF?"),
        QStringLiteral("Salva come PDF"), QStringLiteral("Annulla"));
    if (!save) {
        return;
    }
    const QString file = choosePdfFile_(window);
    if (file.isEmpty()) {
        return;
    }
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(file);
    pdf.setDocName(QStringLiteral("Quintara"));
    if (!printWindowImage(window, pdf)) {
        messages_.show(&window, QStringLiteral("Impossibile scrivere il file %1.").arg(file));
    }
}

}  // namespace quintara::qt
