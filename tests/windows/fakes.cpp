// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes.h"

#include <QFile>
#include <QTest>
#include <QTimer>

namespace quintara::testing {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

StartedMainWindow::StartedMainWindow(const std::function<void(FakeServices&)>& before) {
    if (before) {
        before(fakes);
    }
    window.startUp();
}

bool ConditionsDialogOverFakes::whileOpen(const std::function<void()>& action) {
    const auto show = [&] { saved = window.showModal(owner); };
    return whileShownModally(window, show, action);
}

void FakeServices::writeSettings(const QByteArray& bytes) const {
    writeFile(file("Quintara.cfg"), bytes);
}

QByteArray settingsFile(const SettingsLines& lines) {
    return QByteArray::fromStdString(settingsBytes(lines));
}

bool showsItsTextWhole(const QLabel& label) {
    const QRect room = label.contentsRect();
    return label.wordWrap() ? label.heightForWidth(room.width()) <= room.height()
                            : label.sizeHint().width() <= label.width();
}

bool settles(main_window::MainWindow& window) {
    return QTest::qWaitFor([&window] { return !window.busy(); }, 10000);
}

bool whileShownModally(QDialog& dialog, const std::function<void()>& show,
                       const std::function<void()>& action) {
    constexpr int kForced = QDialog::Accepted + 100;
    QTimer::singleShot(0, &dialog, [&] {
        if (QTest::qWaitForWindowExposed(&dialog)) {
            action();
        } else {
            QTest::qFail("the dialog never came up", __FILE__, __LINE__);
        }
        if (dialog.isVisible()) {
            dialog.done(kForced);
        }
    });
    show();
    return dialog.result() != kForced;
}

}  // namespace quintara::testing
