// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <algorithm>

#include "form_controls/clickable_label.h"
#include "form_controls/pointer_surface.h"
#include "platform/qt/qt_versions.h"

namespace quintara::qt {
namespace {

class AccessibleClickableLabel final : public QAccessibleWidget {
public:
    explicit AccessibleClickableLabel(ClickableLabel* label)
        : QAccessibleWidget(label, label->role() == ClickableLabel::Role::Link
                                       ? QAccessible::Link
                                       : QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && label()->accessibleName().isEmpty()) {
            return label()->text();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action == pressAction()) {
            label()->click();
        }
    }

private:
    ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
};

// A surface that groups controls, read in the order its window gives. Shapes, lines, covers and
// pictures that do nothing are drawn on it but are no stops for a screen reader.
class AccessibleSurface final : public QAccessibleWidget {
public:
    explicit AccessibleSurface(PointerSurface* surface) : QAccessibleWidget(surface) {}

    int childCount() const override {
        return surface()->hasReadingOrder() ? static_cast<int>(readable().size())
                                            : QAccessibleWidget::childCount();
    }

    QAccessibleInterface* child(int index) const override {
        if (!surface()->hasReadingOrder()) {
            return QAccessibleWidget::child(index);
        }
        const std::vector<QWidget*> children = readable();
        return index >= 0 && index < static_cast<int>(children.size())
                   ? QAccessible::queryAccessibleInterface(children[index])
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!surface()->hasReadingOrder()) {
            return QAccessibleWidget::indexOfChild(child);
        }
        const std::vector<QWidget*> children = readable();
        const auto found = std::find(children.begin(), children.end(), child->object());
        return found == children.end() ? -1 : static_cast<int>(found - children.begin());
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        if (!surface()->hasReadingOrder()) {
            return QAccessibleWidget::childAt(x, y);
        }
        for (QWidget* child : readable()) {
            QAccessibleInterface* candidate = QAccessible::queryAccessibleInterface(child);
            if (child->isVisible() && candidate != nullptr && candidate->rect().contains(x, y)) {
                return candidate;
            }
        }
        return nullptr;
    }

private:
    PointerSurface* surface() const { return static_cast<PointerSurface*>(widget()); }
    std::vector<QWidget*> readable() const { return surface()->readingOrder(); }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* label = qobject_cast<ClickableLabel*>(object)) {
        return new AccessibleClickableLabel(label);
    }
    if (auto* surface = qobject_cast<PointerSurface*>(object)) {
        return new AccessibleSurface(surface);
    }
    return nullptr;
}

}  // namespace

void installAccessibility() {
    QAccessible::installFactory(accessibleFor);
}

void announce([[maybe_unused]] QWidget& source, [[maybe_unused]] const QString& sentence) {
#if QUINTARA_QT_HAS_ACCESSIBLE_ANNOUNCEMENTS
    QAccessibleAnnouncementEvent event(&source, sentence);
    QAccessible::updateAccessibility(&event);
#endif
}

}  // namespace quintara::qt
