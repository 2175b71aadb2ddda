// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

namespace quintara::qt {

// The program's message boxes: the text alone, titled "Quintara", modal.
class MessageBox {
public:
    virtual ~MessageBox() = default;

    // OK only.
    virtual void show(QWidget* parent, const QString& text) = 0;

    // Two buttons; true when the user chose `accept`.
    virtual bool ask(QWidget* parent, const QString& text, const QString& accept,
                     const QString& reject) = 0;
};

class QtMessageBox final : public MessageBox {
public:
    void show(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& text, const QString& accept,
             const QString& reject) override;
};

inline constexpr char kApplicationTitle[] = "Quintara";

}  // namespace quintara::qt
