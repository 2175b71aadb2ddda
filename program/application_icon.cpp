// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "program/application_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <algorithm>
#include <array>

namespace quintara::program {
namespace {

constexpr std::array kSizes = {16, 32, 48, 64, 128, 256};

class IconReadWhenAsked final : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        // The smallest drawing as large as asked for, else the largest, scaled as a plain icon's.
        const int wanted = std::max(size.width(), size.height());
        const auto found = std::find_if(kSizes.begin(), kSizes.end(),
                                        [wanted](int drawn) { return drawn >= wanted; });
        const int drawn = found != kSizes.end() ? *found : kSizes.back();
        QPixmap picture = QPixmap::fromImage(
            QImage(QStringLiteral(":/quintara/icons/quintara-%1.png").arg(drawn)));
        if (picture.size() != size) {
            picture = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        return picture;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), kSizes.back()});
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : kSizes) {
            sizes.append(QSize(side, side));
        }
        return sizes;
    }

    QIconEngine* clone() const override { return new IconReadWhenAsked; }
};

}  // namespace

QIcon applicationIcon() {
    return QIcon(new IconReadWhenAsked);
}

}  // namespace quintara::program
