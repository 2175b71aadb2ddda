#include "platform/qt/twips.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace quintara::qt {
namespace {

constexpr std::uint32_t kSystemColourFlag = 0x80000000;
constexpr std::uint32_t kSystemWindowBackground = 0x80000005;
constexpr std::uint32_t kSystemWindowText = 0x80000008;
constexpr std::uint32_t kSystemButtonFace = 0x8000000F;

QColor systemColour(std::uint32_t value) {
    const QPalette palette = QApplication::palette();
    switch (value) {
        case kSystemWindowBackground:
            return palette.color(QPalette::Base);
        case kSystemWindowText:
            return palette.color(QPalette::WindowText);
        case kSystemButtonFace:
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::Window);
    }
}

}  // namespace

int pixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QPoint twipsPoint(int x, int y) {
    return {pixels(x), pixels(y)};
}

QRect twipsRect(int left, int top, int width, int height) {
    const QPoint topLeft = twipsPoint(left, top);
    const QPoint bottomRightExclusive = twipsPoint(left + width, top + height);
    return {topLeft,
            QSize(bottomRightExclusive.x() - topLeft.x(), bottomRightExclusive.y() - topLeft.y())};
}

void placeInTwips(QWidget& widget, int left, int top, int width, int height) {
    widget.setGeometry(twipsRect(left, top, width, height));
}

QColor designColour(std::uint32_t value) {
    if (value & kSystemColourFlag) {
        return systemColour(value);
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

QFont designFont(const QString& family, double points, FontStyle style) {
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

}  // namespace quintara::qt
