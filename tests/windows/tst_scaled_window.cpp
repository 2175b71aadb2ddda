// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows on a screen scaled to 125, 150, 175 or 200 %, as laptops are. The test runs at
// 150 % (QT_SCALE_FACTOR=1.5): the main window is grabbed from its screen at that scale, and
// drawn at the other scales as a screen of that scale would draw it.

#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <optional>

#include "fakes.h"
#include "form_controls/shapes.h"
#include "info_window/information_window.h"
#include "main_window/main_window.h"

using namespace quintara;

namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kSilver = 0xffc0c0c0;
constexpr QRgb kLightRed = 0xffff8080;

// The window as a screen at `scale` shows it; at the screen's own scale, grabbed from it.
QImage windowAt(QWidget& window, qreal scale) {
    if (qFuzzyCompare(scale, window.devicePixelRatioF())) {
        return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage image(qCeil(window.width() * scale), qCeil(window.height() * scale),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::magenta);
    window.render(&image);
    return image;
}

// The box's device pixels, near enough to look for its frame from a few pixels outside.
QRect nearInDevicePixels(QRect box, qreal scale) {
    return QRect((QRectF(box).topLeft() * scale).toPoint(), (QSizeF(box.size()) * scale).toSize());
}

// What is wrong with the frame of colour `line` around `box` (logical pixels in the window), or
// an empty text. Each side is looked for from a few pixels outside it inwards, along a row near
// the bottom (below the digits) and the middle column. `inside`, when given, is the box's own
// colour, which must not show outside the frame as a pale seam.
QString frameFaults(const QImage& image, qreal scale, QRect box, QRgb line,
                    std::optional<QRgb> inside) {
    const QRect near = nearInDevicePixels(box, scale);
    const int row = near.top() + near.height() * 9 / 10;
    const int column = near.center().x();
    const auto isLine = [&](QPoint p) { return image.pixel(p) == line; };
    // Left, top, right, bottom: where the side's outermost pixel is, and how deep the side is.
    const QPoint from[4] = {{near.left() - 3, row},
                            {column, near.top() - 3},
                            {near.right() + 3, row},
                            {column, near.bottom() + 3}};
    const QPoint inwards[4] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    QPoint outermost[4];
    int depth[4] = {};
    for (int side = 0; side < 4; ++side) {
        QPoint p = from[side];
        for (int i = 0; i < 8 && !isLine(p); ++i) {
            p += inwards[side];
        }
        outermost[side] = p;
        for (; isLine(p) && depth[side] < 8; p += inwards[side]) {
            ++depth[side];
        }
    }
    if (depth[0] == 0 || depth[1] != depth[0] || depth[2] != depth[0] || depth[3] != depth[0]) {
        return QStringLiteral("sides of %1, %2, %3, %4 pixels (left, top, right, bottom)")
            .arg(depth[0])
            .arg(depth[1])
            .arg(depth[2])
            .arg(depth[3]);
    }
    // Whole: every pixel of every side, corner to corner.
    const QRect outer(QPoint(outermost[0].x(), outermost[1].y()),
                      QPoint(outermost[2].x(), outermost[3].y()));
    for (int k = 0; k < depth[0]; ++k) {
        const QRect ring = outer.adjusted(k, k, -k, -k);
        for (int y = ring.top(); y <= ring.bottom(); ++y) {
            if (!isLine({ring.left(), y}) || !isLine({ring.right(), y})) {
                return QStringLiteral("a gap in the left or right side at row %1").arg(y);
            }
        }
        for (int x = ring.left(); x <= ring.right(); ++x) {
            if (!isLine({x, ring.top()}) || !isLine({x, ring.bottom()})) {
                return QStringLiteral("a gap in the top or bottom side at column %1").arg(x);
            }
        }
    }
    for (int side = 0; side < 4 && inside; ++side) {
        if (image.pixel(outermost[side] - inwards[side]) == *inside) {
            return QStringLiteral("the box's own colour outside its frame, side %1").arg(side);
        }
    }
    return {};
}

bool holdsColour(const QImage& image, QRect area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

// What a label draws inside its frame, in device pixels, on a transparent ground.
QImage drawnContents(QLabel& label) {
    const qreal scale = label.devicePixelRatioF();
    const QRect contents = label.contentsRect();
    QImage image((QSizeF(contents.size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    label.render(&image, QPoint(), QRegion(contents), QWidget::RenderFlags());
    return image;
}

QString twiceAsLarge(const QString& file) {
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return file.left(dot) + QStringLiteral("@2x") + file.mid(dot);
}

// The picture in `file` scaled smoothly to the size of `like`.
QImage scaledTo(const QString& file, const QImage& like) {
    return QImage(file)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(like.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The mean difference of two images of one size, over the four channels of every pixel.
double distance(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    }
    return sum / (a.width() * a.height());
}

QRect inWindow(QWidget& window, const QWidget& widget) {
    return QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size());
}

}  // namespace

class ScaledWindowTest : public QObject {
    Q_OBJECT

private:
    struct Started : testing::StartedMainWindow {
        QWidget* child(const QString& name) { return window.findChild<QWidget*>(name); }
    };

private slots:
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), 1.5); }

    void framesAreWholeAtEveryScale_data() {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("125 %") << 1.25;
        QTest::newRow("150 %, on the screen") << 1.5;
        QTest::newRow("175 %") << 1.75;
        QTest::newRow("200 %") << 2.0;
    }

    // The closed covers' two-pixel borders and the number boxes' one-pixel outlines: one line of
    // even depth on all four sides, no gap, no stray pixel at a corner, and no pale row between
    // the line and the box's edge. An open cover is its border alone.
    void framesAreWholeAtEveryScale() {
        QFETCH(qreal, scale);
        Started main;
        main.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));

        QStringList covers = {"jollyCover"};
        for (int c = 1; c <= 2; ++c) {
            for (int k = 0; k < 6; ++k) {
                covers << QStringLiteral("cover(%1,%2)").arg(c).arg(k);
            }
        }
        for (const QString& name : covers) {
            QVERIFY2(main.child(name) != nullptr, qPrintable(name));
        }
        QStringList faults;
        const auto check = [&](const QImage& image, const QString& name,
                               std::optional<QRgb> inside) {
            const QWidget* box = main.child(name);
            const QString fault =
                box == nullptr
                    ? QStringLiteral("not in the window")
                    : frameFaults(image, scale, inWindow(main.window, *box), kBlack, inside);
            if (!fault.isEmpty()) {
                faults << name + ": " + fault;
            }
        };
        QImage image = windowAt(main.window, scale);
        for (const QString& name : covers) {
            check(image, name, name == "jollyCover" ? kLightRed : kSilver);
        }

        // Open, a cover is a few twips wide and shows as its border alone, a dark line at the
        // box's left edge: none of its fill.
        for (const QString& name : covers) {
            main.window.findChild<form_controls::ShapeWidget*>(name)->setWidthTwips(5);
        }
        image = windowAt(main.window, scale);
        for (const QString& name : covers) {
            const QRgb fill = name == "jollyCover" ? kLightRed : kSilver;
            const QRect near = nearInDevicePixels(inWindow(main.window, *main.child(name)), scale)
                                   .adjusted(-2, -2, 2, 2);
            if (holdsColour(image, near, fill)) {
                faults << name + ": open, its fill shows";
            }
        }

        for (const QString& name : covers) {
            main.child(name)->hide();
        }
        image = windowAt(main.window, scale);
        QStringList boxes{"jollyBox"};
        for (int k = 0; k < 6; ++k) {
            boxes << QStringLiteral("numberBox(1,%1)").arg(k)
                  << QStringLiteral("numberBox(2,%1)").arg(k);
        }
        for (const QString& name : boxes) {
            QVERIFY2(main.child(name) != nullptr, qPrintable(name));
            // Only the first box and the Jolly box are white; the others have the window's own
            // colour, which no seam could show.
            const bool white = name == "numberBox(1,0)" || name == "jollyBox";
            check(image, name, white ? std::optional<QRgb>(kWhite) : std::nullopt);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }

    void picturesComeTwiceAsLargeAboveOneHundredPercent_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("picture");
        QTest::newRow("Nuova Serie") << "newSeriesButton"
                                     << ":/quintara/button_new_series.gif";
        QTest::newRow("Condizioni") << "conditionsButton"
                                    << ":/quintara/button_conditions.gif";
        QTest::newRow("Stampa") << "printButton"
                                << ":/quintara/button_print.gif";
        QTest::newRow("Esci") << "exitButton"
                              << ":/quintara/button_exit.gif";
        QTest::newRow("green ball") << "warningPicture"
                                    << ":/quintara/information_warning.gif";
        QTest::newRow("ticket") << "ticketPicture"
                                << ":/quintara/information_ticket.bmp";
        QTest::newRow("donation") << "donationLink"
                                  << ":/quintara/donation.jpg";
    }

    // Drawn from a picture of twice the designed size, Qt scales it down to the screen rather
    // than enlarging the designed one, which would look soft. A button's icon offers the larger
    // one; a label is judged by what it draws, which is nearer the larger picture scaled to its
    // device pixels than the designed one scaled so. (Since Qt 6.11 a label no longer hands back
    // the pixmap it was given but one made for its own scale: 24x24 at 150 % from a 32x32 one.)
    void picturesComeTwiceAsLargeAboveOneHundredPercent() {
        QFETCH(QString, control);
        QFETCH(QString, picture);
        const QSize designed = QPixmap(picture).size();
        Started main;
        testing::RecordingLinkOpener links;
        info_window::InformationWindow information(links);
        if (auto* button = main.window.findChild<QToolButton*>(control)) {
            QCOMPARE(button->icon().pixmap(button->iconSize(), 2.0).size(), designed * 2);
        } else {
            auto* label = information.findChild<QLabel*>(control);
            QVERIFY(label != nullptr);
            const QImage drawn = drawnContents(*label);
            const double fromLarger = distance(drawn, scaledTo(twiceAsLarge(picture), drawn));
            const double fromDesigned = distance(drawn, scaledTo(picture, drawn));
            QVERIFY2(fromLarger < fromDesigned,
                     qPrintable(QStringLiteral("%1 drawn at %2x%3 differs by %4 from the larger "
                                               "picture and by %5 from the designed one")
                                    .arg(picture)
                                    .arg(drawn.width())
                                    .arg(drawn.height())
                                    .arg(fromLarger)
                                    .arg(fromDesigned)));
        }
    }
};

QTEST_MAIN(ScaledWindowTest)
#include "tst_scaled_window.moc"
