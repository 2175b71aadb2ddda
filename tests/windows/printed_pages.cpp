// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "printed_pages.h"

#include <QColor>
#include <QLabel>
#include <QProcess>

namespace quintara::testing {

std::unique_ptr<QWidget> sampleWindow() {
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(679, 486);
    window->setAutoFillBackground(true);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, Qt::white);
    window->setPalette(palette);
    auto* block = new QLabel(window.get());
    block->setGeometry(0, 0, 96, 48);
    block->setAutoFillBackground(true);
    palette.setColor(QPalette::Window, Qt::red);
    block->setPalette(palette);
    return window;
}

QImage firstPage(const QString& pdf, int dpi) {
    const QString prefix = pdf + ".page";
    QProcess::execute("pdftoppm", {"-png", "-r", QString::number(dpi), "-singlefile", pdf, prefix});
    return QImage(prefix + ".png");
}

QRect redArea(const QImage& page) {
    QRect area;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            if (pixel.red() > 200 && pixel.green() < 60 && pixel.blue() < 60) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

void printThrough(const QString& socket) {
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
}

void useNoPrinter(const QString& folder) {
    printThrough(folder + "/no-printing-server.sock");
}

}  // namespace quintara::testing
