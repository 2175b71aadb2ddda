// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_controls/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>
#include <algorithm>

#include "form_controls/clickable_label.h"
#include "form_controls/linked_text.h"
#include "form_controls/pointer_surface.h"
#include "platform/qt/qt_versions.h"

namespace quintara::form_controls {
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

// One link within a text: a Tab stop of its own, named by its words, pressed as a click on it.
class AccessibleLinkInText final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleLinkInText(LinkedText* text, int index) : text_(text), index_(index) {}

    bool isValid() const override {
        return text_ != nullptr && index_ < static_cast<int>(text_->links().size());
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent()->window(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(text_);
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Link; }
    QRect rect() const override { return parent()->rect(); }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name && isValid() ? text_->links()[index_].text : QString();
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.focused = isValid() && text_->focusedLink() == index_;
        state.invisible = text_ == nullptr || !text_->isVisible();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && isValid()) {
            emit text_->linkActivated(text_->links()[index_].href);
        }
    }

private:
    QPointer<LinkedText> text_;
    int index_;
};

// The text, with its links as its children: made when first asked for, kept until the text goes.
class AccessibleLinkedText final : public QAccessibleWidget {
public:
    explicit AccessibleLinkedText(LinkedText* text)
        : QAccessibleWidget(text, QAccessible::StaticText) {}
    ~AccessibleLinkedText() override {
        for (const QAccessible::Id id : links_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return static_cast<int>(linkedText()->links().size()); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        while (static_cast<int>(links_.size()) <= index) {
            links_.push_back(QAccessible::registerAccessibleInterface(
                new AccessibleLinkInText(linkedText(), static_cast<int>(links_.size()))));
        }
        return QAccessible::accessibleInterface(links_[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t k = 0; k < links_.size(); ++k) {
            if (QAccessible::accessibleInterface(links_[k]) == child) {
                return static_cast<int>(k);
            }
        }
        return -1;
    }

    QAccessibleInterface* focusChild() const override {
        const int link = linkedText()->focusedLink();
        return link >= 0 ? child(link) : QAccessibleWidget::focusChild();
    }

private:
    LinkedText* linkedText() const { return static_cast<LinkedText*>(widget()); }
    mutable std::vector<QAccessible::Id> links_;
};

class AccessibleDescribedWindow final : public QAccessibleWidget {
public:
    AccessibleDescribedWindow(QWidget* window, WindowDescription* description)
        : QAccessibleWidget(window, QAccessible::Window), description_(description) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Description) {
            return QAccessibleWidget::text(kind);
        }
        return description_ != nullptr ? description_->text() : QString();
    }

private:
    QPointer<WindowDescription> description_;
};

constexpr char kNoticeName[] = "SpokenNotice";

#if !QUINTARA_QT_HAS_ACCESSIBLE_ANNOUNCEMENTS
// Without announcements, a screen reader still speaks a notification as it appears: Orca says
// "notification" and its name. This one appears with each sentence and draws nothing, so the
// window looks the same to a sighted user.
class SpokenNotice final : public QWidget {
public:
    explicit SpokenNotice(QWidget& window) : QWidget(&window) {
        setObjectName(QLatin1String(kNoticeName));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 1, 1);
        lower();
    }

    void say(const QString& sentence) {
        hide();
        setAccessibleName(sentence);
        show();
    }
};

#endif

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* label = qobject_cast<ClickableLabel*>(object)) {
        return new AccessibleClickableLabel(label);
    }
    if (auto* surface = qobject_cast<PointerSurface*>(object)) {
        return new AccessibleSurface(surface);
    }
    if (auto* text = qobject_cast<LinkedText*>(object)) {
        return new AccessibleLinkedText(text);
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    // No dynamic_cast here: the factory is asked about the web engine's objects too, built
    // without the type information it reads.
    if (auto* description =
            widget->findChild<WindowDescription*>(QString(), Qt::FindDirectChildrenOnly);
        description != nullptr && widget->isWindow()) {
        return new AccessibleDescribedWindow(widget, description);
    }
    if (widget->objectName() == QLatin1String(kNoticeName)) {
        return new QAccessibleWidget(widget, QAccessible::Notification);
    }
    return nullptr;
}

}  // namespace

void installAccessibility() {
    QAccessible::installFactory(accessibleFor);
}

WindowDescription::WindowDescription(QWidget& window, std::function<QString()> text)
    : QObject(&window), text_(std::move(text)) {}

void announce(QWidget& source, const QString& sentence) {
#if QUINTARA_QT_HAS_ACCESSIBLE_ANNOUNCEMENTS
    QAccessibleAnnouncementEvent event(&source, sentence);
    QAccessible::updateAccessibility(&event);
#else
    QWidget& window = *source.window();
    auto* notice = static_cast<SpokenNotice*>(
        window.findChild<QWidget*>(QLatin1String(kNoticeName), Qt::FindDirectChildrenOnly));
    if (notice == nullptr) {
        notice = new SpokenNotice(window);
    }
    notice->say(sentence);
#endif
}

}  // namespace quintara::form_controls
