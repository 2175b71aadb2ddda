// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A label and a button in a window, and nothing else: the yardstick bench/measure_ui.py sets the
// program's memory against, measured in the same run on the same screen, so that the ratio means
// the same on every machine.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Quintara minimal window"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Quintara")));
    layout->addWidget(new QPushButton(QStringLiteral("Continua")));
    window.show();
    return QApplication::exec();
}
