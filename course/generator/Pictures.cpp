#include "Pictures.h"

#include "Painting.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace veltrin::course {

namespace {

enum class Pass { First, Second, Finished };

struct Trim {
    QColor metal;
    QColor shine;
};
const Trim brass{QColor(168, 128, 62), QColor(236, 204, 132)};
const Trim silver{QColor(150, 156, 168), QColor(232, 236, 244)};
const Trim gold{QColor(196, 150, 40), QColor(255, 228, 130)};

const Trim& trimFor(Pass pass) { return pass == Pass::First ? brass : pass == Pass::Second ? silver : gold; }

QSize fromTwips(int width, int height) { return QSize(int(std::lround(width / 15.0)), int(std::lround(height / 15.0))); }

QFont serifFont(double pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(int(std::lround(pixelSize)));
    font.setBold(bold);
    return font;
}

void vignette(QPainter& painter, QSize size, int alpha) {
    QRadialGradient gradient(QPointF(size.width() / 2.0, size.height() / 2.0), std::hypot(size.width(), size.height()) / 1.8);
    gradient.setColorAt(0.55, QColor(0, 0, 0, 0));
    gradient.setColorAt(1, QColor(0, 0, 0, alpha));
    painter.fillRect(QRect(QPoint(), size), gradient);
}

void trimLine(QPainter& painter, const QRectF& rect, const Trim& trim) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(trim.metal, 2));
    painter.drawRect(rect);
    painter.setPen(QPen(trim.shine, 1));
    painter.drawRect(rect.adjusted(1, 1, -1, -1));
}

// A recess cut into the wood with a metal trim around it.
void recess(QPainter& painter, const QRectF& rect, const Trim& trim) {
    painter.fillRect(rect, QColor(0, 0, 0, 70));
    bevel(painter, rect, 3, true);
    trimLine(painter, rect.adjusted(-4, -4, 4, 4), trim);
}

QImage background(QSize size, Pass pass) {
    const WoodTone& tone = pass == Pass::First ? oak : walnut;
    QImage image = wood(size, tone, pass == Pass::First ? 11 : 23);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const Trim& trim = trimFor(pass);
    if (pass == Pass::Finished) glow(painter, QPointF(size.width() / 2.0, size.height() / 2.0), 420, QColor(255, 200, 90, 70));
    recess(painter, QRectF(152, 27, 538, 389), trim);   // around the reading viewport
    recess(painter, QRectF(205, 429, 418, 60), trim);   // the row of level buttons
    recess(painter, QRectF(688, 44, 90, 380), trim);    // journal, manual, contact, arrows
    recess(painter, QRectF(6, 30, 138, 420), trim);     // where the Torch panel opens
    engrave(painter, QRectF(6, 150, 138, 40), QStringLiteral("Veltrin"), serifFont(24, true), trim.metal.darker(160));
    bevel(painter, QRectF(0, 0, size.width(), size.height()), 4, false);
    vignette(painter, size, 150);
    return image;
}

QImage plate(QSize size, const QString& text, const WoodTone& tone, const Trim& trim, int seed) {
    QImage image = wood(size, tone, seed);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient metal(0, 0, 0, size.height());
    metal.setColorAt(0, trim.shine);
    metal.setColorAt(0.5, trim.metal);
    metal.setColorAt(1, trim.metal.darker(130));
    painter.setBrush(metal);
    painter.setPen(QPen(trim.metal.darker(170), 1));
    painter.drawRoundedRect(QRectF(2.5, 2.5, size.width() - 5, size.height() - 5), 4, 4);
    engrave(painter, QRectF(0, 0, size.width(), size.height()), text,
            serifFont(std::min(size.height() * 0.5, size.width() / (text.size() * 0.68)), true), QColor(60, 36, 14));
    bevel(painter, QRectF(0, 0, size.width(), size.height()), 2, false);
    return image;
}

struct FlameColours {
    QColor outer;
    QColor middle;
    QColor core;
    QColor halo;
};
const FlameColours fireFlame{QColor(214, 64, 20), QColor(252, 160, 40), QColor(255, 244, 180), QColor(255, 150, 40, 110)};
const FlameColours finishedFlame{QColor(40, 90, 220), QColor(250, 200, 60), QColor(255, 255, 235), QColor(120, 170, 255, 120)};

QPainterPath teardrop(QPointF base, double width, double height) {
    QPainterPath path;
    const QPointF tip(base.x() + width * 0.08, base.y() - height);
    path.moveTo(base);
    path.cubicTo(base + QPointF(-width, -height * 0.05), base + QPointF(-width * 0.55, -height * 0.7), tip);
    path.cubicTo(base + QPointF(width * 0.55, -height * 0.7), base + QPointF(width, -height * 0.05), base);
    return path;
}

// A torch in rect: handle, brass cup and a flame whose size grows with level (1 .. 5).
void drawTorch(QPainter& painter, const QRectF& rect, int level, const FlameColours& colours) {
    const double cx = rect.center().x();
    const double unit = rect.height() / 124.0;
    const double cupTop = rect.top() + rect.height() * 0.58;
    QLinearGradient handle(cx - 6 * unit, 0, cx + 6 * unit, 0);
    handle.setColorAt(0, QColor(70, 40, 18));
    handle.setColorAt(0.45, QColor(150, 98, 52));
    handle.setColorAt(1, QColor(56, 32, 14));
    QPainterPath stick;
    stick.moveTo(cx - 7 * unit, cupTop + 8 * unit);
    stick.lineTo(cx + 7 * unit, cupTop + 8 * unit);
    stick.lineTo(cx + 4 * unit, rect.bottom() - 2 * unit);
    stick.lineTo(cx - 4 * unit, rect.bottom() - 2 * unit);
    stick.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.fillPath(stick, handle);
    painter.setBrush(QColor(120, 88, 40));
    for (int band = 0; band < 3; ++band) painter.drawRect(QRectF(cx - 6.5 * unit, cupTop + (16 + band * 6) * unit, 13 * unit, 2.2 * unit));
    glow(painter, QPointF(cx, cupTop - 8 * unit * level), (14 + 11 * level) * unit, colours.halo);
    const double height = (12 + 10 * level) * unit;
    const double width = (7 + 3.2 * level) * unit;
    const QPointF base(cx, cupTop + 2 * unit);
    painter.setPen(Qt::NoPen);
    painter.fillPath(teardrop(base, width, height), colours.outer);
    painter.fillPath(teardrop(base, width * 0.68, height * 0.74), colours.middle);
    painter.fillPath(teardrop(base, width * 0.36, height * 0.45), colours.core);
    QLinearGradient cup(cx - 12 * unit, 0, cx + 12 * unit, 0);
    cup.setColorAt(0, QColor(110, 76, 24));
    cup.setColorAt(0.4, QColor(236, 200, 118));
    cup.setColorAt(1, QColor(96, 64, 20));
    QPainterPath bowl;
    bowl.moveTo(cx - 13 * unit, cupTop);
    bowl.lineTo(cx + 13 * unit, cupTop);
    bowl.lineTo(cx + 7 * unit, cupTop + 9 * unit);
    bowl.lineTo(cx - 7 * unit, cupTop + 9 * unit);
    bowl.closeSubpath();
    painter.fillPath(bowl, cup);
}

QImage torchFrame(QSize size, int level, bool finished) {
    QImage image = parchment(size, 5);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(image.rect(), QColor(40, 20, 6, 60));
    drawTorch(painter, QRectF(QPointF(), size), level, finished ? finishedFlame : fireFlame);
    return image;
}

QImage panelFrame(QSize size, bool finished) {
    QImage image = wood(size, walnut, 31);
    const int border = 9;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect inner = image.rect().adjusted(border, border, -border, -border);
    painter.drawImage(inner.topLeft(), parchment(inner.size(), 5));
    bevel(painter, QRectF(image.rect()), 3, false);
    bevel(painter, QRectF(inner).adjusted(-2, -2, 2, 2), 2, true);
    if (finished) trimLine(painter, QRectF(inner).adjusted(-5, -5, 5, 5), gold);
    return image;
}

QImage arrowButton(QSize size, bool up, bool pressed) {
    QImage image = wood(size, oak, up ? 41 : 43);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0 + (pressed ? 1 : 0));
    const double radius = size.width() * 0.42;
    QRadialGradient knob(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    knob.setColorAt(0, pressed ? QColor(150, 100, 50) : QColor(214, 160, 96));
    knob.setColorAt(1, pressed ? QColor(60, 34, 14) : QColor(96, 56, 24));
    painter.setPen(QPen(QColor(40, 22, 8), 1.5));
    painter.setBrush(knob);
    painter.drawEllipse(centre, radius, radius);
    const double s = radius * 0.55;
    const double dir = up ? -1 : 1;
    QPolygonF arrow({centre + QPointF(0, dir * s), centre + QPointF(-s, -dir * s * 0.55), centre + QPointF(s, -dir * s * 0.55)});
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 236, 200, 120));
    painter.drawPolygon(arrow.translated(0, 1));
    painter.setBrush(pressed ? QColor(250, 190, 80) : QColor(48, 26, 10));
    painter.drawPolygon(arrow);
    bevel(painter, QRectF(image.rect()), 2, pressed);
    return image;
}

void drawStar(QPainter& painter, QPointF centre, double outer, double inner, QColor colour) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 == 0 ? outer : inner;
        star << centre + QPointF(std::cos(angle) * r, std::sin(angle) * r);
    }
    painter.setBrush(colour);
    painter.drawPolygon(star);
}

QImage badge(QSize size, int level, bool crystal) {
    QImage image = wood(size, walnut, 50 + level);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const double radius = size.width() * 0.44;
    QRadialGradient disc(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.5);
    disc.setColorAt(0, crystal ? QColor(235, 248, 255) : QColor(255, 240, 170));
    disc.setColorAt(0.5, crystal ? QColor(90, 160, 230) : QColor(224, 170, 50));
    disc.setColorAt(1, crystal ? QColor(16, 48, 120) : QColor(110, 66, 10));
    painter.setPen(QPen(crystal ? QColor(200, 230, 255) : QColor(255, 226, 140), 1.5));
    painter.setBrush(disc);
    painter.drawEllipse(centre, radius, radius);
    if (crystal) {
        painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
        for (int i = 0; i < 6; ++i) {
            const double angle = i * M_PI / 3;
            painter.drawLine(centre, centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius));
        }
    }
    const QColor ink = crystal ? QColor(10, 30, 80) : QColor(90, 50, 6);
    painter.setPen(Qt::NoPen);
    if (level == 0) {
        drawStar(painter, centre, radius * 0.6, radius * 0.25, ink);
    } else {
        engrave(painter, QRectF(QPointF(), size), QString::number(level), serifFont(size.height() * 0.5, true), ink);
    }
    return image;
}

QColor coverColour(bool journal) { return journal ? QColor(128, 28, 24) : QColor(24, 70, 56); }

void closedBook(QPainter& painter, const QRectF& area, bool journal) {
    const QRectF cover = area.adjusted(area.width() * 0.2, area.height() * 0.12, -area.width() * 0.2, -area.height() * 0.12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 226, 190));
    painter.drawRect(cover.translated(3, 2));
    QLinearGradient leather(cover.topLeft(), cover.topRight());
    leather.setColorAt(0, coverColour(journal).darker(160));
    leather.setColorAt(0.15, coverColour(journal));
    leather.setColorAt(1, coverColour(journal).darker(120));
    painter.setBrush(leather);
    painter.drawRoundedRect(cover, 2, 2);
    painter.setPen(QPen(gold.shine, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cover.adjusted(4, 4, -3, -4));
    painter.setPen(Qt::NoPen);
    if (journal) {
        drawStar(painter, cover.center(), cover.width() * 0.22, cover.width() * 0.09, gold.shine);
    } else {
        engrave(painter, cover, QStringLiteral("?"), serifFont(cover.height() * 0.5, true), gold.shine);
    }
}

void openBook(QPainter& painter, const QRectF& area, bool journal) {
    const QRectF book = area.adjusted(area.width() * 0.08, area.height() * 0.22, -area.width() * 0.08, -area.height() * 0.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(coverColour(journal));
    painter.drawRoundedRect(book.adjusted(-2, -1, 2, 3), 2, 2);
    const QPointF spine(book.center().x(), book.top());
    for (int side = -1; side <= 1; side += 2) {
        QPainterPath page;
        page.moveTo(spine);
        page.quadTo(spine + QPointF(side * book.width() * 0.25, -3), spine + QPointF(side * book.width() / 2, 0));
        page.lineTo(spine + QPointF(side * book.width() / 2, book.height()));
        page.quadTo(spine + QPointF(side * book.width() * 0.25, book.height() - 3), spine + QPointF(0, book.height()));
        page.closeSubpath();
        painter.fillPath(page, QColor(246, 236, 206));
        painter.setPen(QPen(QColor(120, 100, 80), 0.8));
        for (int line = 1; line < 5; ++line) {
            const double y = book.top() + line * book.height() / 5.5;
            painter.drawLine(QPointF(spine.x() + side * 4, y), QPointF(spine.x() + side * (book.width() / 2 - 3), y));
        }
        painter.setPen(Qt::NoPen);
    }
    if (journal) {
        painter.setPen(QPen(QColor(60, 40, 30), 1.6));
        painter.drawLine(book.topRight() + QPointF(-2, -8), book.center() + QPointF(book.width() * 0.2, 2));
    }
}

QImage bookButton(QSize size, bool journal, bool bookOpen, bool pressed) {
    QImage image = wood(size, oak, journal ? 61 : 67);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(image.rect()).translated(pressed ? 1 : 0, pressed ? 1 : 0);
    if (bookOpen) openBook(painter, area, journal);
    else closedBook(painter, area, journal);
    if (pressed) painter.fillRect(image.rect(), QColor(0, 0, 0, 60));
    bevel(painter, QRectF(image.rect()), 2, pressed);
    return image;
}

QImage awardCover(QSize size) {
    QImage image = wood(size, walnut, 71);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double cx = size.width() / 2.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 20, 30));
    painter.drawPolygon(QPolygonF({QPointF(cx - 16, 4), QPointF(cx - 4, 4), QPointF(cx + 2, 50), QPointF(cx - 8, 52)}));
    painter.setBrush(QColor(24, 50, 140));
    painter.drawPolygon(QPolygonF({QPointF(cx + 16, 4), QPointF(cx + 4, 4), QPointF(cx - 2, 50), QPointF(cx + 8, 52)}));
    glow(painter, QPointF(cx, 62), 26, QColor(255, 220, 120, 120));
    QRadialGradient medal(QPointF(cx - 5, 56), 24);
    medal.setColorAt(0, QColor(255, 244, 180));
    medal.setColorAt(1, QColor(170, 110, 20));
    painter.setBrush(medal);
    painter.setPen(QPen(QColor(110, 70, 10), 1));
    painter.drawEllipse(QPointF(cx, 62), 16, 16);
    painter.setPen(Qt::NoPen);
    drawStar(painter, QPointF(cx, 62), 10, 4, QColor(120, 72, 8));
    bevel(painter, QRectF(image.rect()), 2, false);
    return image;
}

QImage newTopicMarker(QSize size) {
    QImage image = wood(size, walnut, 81);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size.width() / 2.0, size.height() * 0.45);
    glow(painter, centre, size.width() * 0.6, QColor(255, 210, 90, 180));
    painter.setPen(Qt::NoPen);
    drawStar(painter, centre, size.width() * 0.42, size.width() * 0.17, QColor(255, 236, 150));
    painter.setBrush(QColor(255, 236, 150));
    painter.drawEllipse(QPointF(size.width() / 2.0, size.height() * 0.85), 2.2, 2.2);
    return image;
}

QImage askTorchButton(QSize size) {
    QImage image = wood(size, oak, 91);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawTorch(painter, QRectF(size.width() / 2.0 - 20, 2, 40, size.height() - 4), 3, fireFlame);
    bevel(painter, QRectF(image.rect()), 3, false);
    return image;
}

QImage logo(QSize size) {
    QImage image = wood(size, walnut, 101);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawTorch(painter, QRectF(14, 10, 70, size.height() - 20), 5, fireFlame);
    engrave(painter, QRectF(90, 10, size.width() - 100, size.height() * 0.62), QStringLiteral("Veltrin"),
            serifFont(size.height() * 0.36, true), gold.shine);
    engrave(painter, QRectF(90, size.height() * 0.6, size.width() - 100, size.height() * 0.3),
            QStringLiteral("a course in self-observation"), serifFont(size.height() * 0.11, false), QColor(236, 214, 170));
    bevel(painter, QRectF(image.rect()), 3, false);
    vignette(painter, size, 120);
    return image;
}

void addTorchFrames(QList<PictureSpec>& specs, const QString& suffix, bool finished) {
    const QSize torch = fromTwips(1485, 1860);
    const QString frames[] = {QStringLiteral("-d"), QStringLiteral("-c"), QStringLiteral("-b"), QStringLiteral("-a"), QString()};
    for (int level = 1; level <= 5; ++level) {
        specs.append({QStringLiteral("wood3-torch") + frames[level - 1] + suffix + QStringLiteral(".jpg"), torch,
                      [level, finished](QSize s) { return torchFrame(s, level, finished); }});
    }
}

void addBadges(QList<PictureSpec>& specs) {
    for (int level = 0; level <= 7; ++level) {
        specs.append({QStringLiteral("gbicon%1.jpg").arg(level), fromTwips(715, 715), [level](QSize s) { return badge(s, level, false); }});
        specs.append({QStringLiteral("cbicon%1.jpg").arg(level), fromTwips(715, 715), [level](QSize s) { return badge(s, level, true); }});
    }
}

void addBookButtons(QList<PictureSpec>& specs) {
    struct Look {
        const char* name;
        bool journal;
        bool open;
        bool pressed;
    };
    // "opn" pictures invite opening, so they show the book shut; "clos" pictures show it open.
    const Look looks[] = {
        {"wood3-jrnl-opn-up.jpg", true, false, false},  {"wood3-jrnl-opn-dn.jpg", true, false, true},
        {"wood3-jrnl-clos-up.jpg", true, true, false},  {"wood3-jrnl-clos-dn.jpg", true, true, true},
        {"wood3-book-opn-up.jpg", false, false, false}, {"wood3-book-opn-dn.jpg", false, false, true},
        {"wood3-book-clos-up.jpg", false, true, false}, {"wood3-book-clos-dn.jpg", false, true, true},
    };
    for (const Look& look : looks) {
        specs.append({QString::fromLatin1(look.name), fromTwips(810, 810),
                      [look](QSize s) { return bookButton(s, look.journal, look.open, look.pressed); }});
    }
}

}   // namespace

QList<PictureSpec> pictureSpecs() {
    const QSize window = fromTwips(11805, 7800);
    QList<PictureSpec> specs = {
        {QStringLiteral("wood3-bkg.jpg"), window, [](QSize s) { return background(s, Pass::First); }},
        {QStringLiteral("wood3-bkg-l7O.jpg"), window, [](QSize s) { return background(s, Pass::Second); }},
        {QStringLiteral("wood3-bkg-l7.jpg"), window, [](QSize s) { return background(s, Pass::Finished); }},
        {QStringLiteral("wood3-btn-xit.jpg"), fromTwips(600, 465),
         [](QSize s) { return plate(s, QStringLiteral("Exit"), oak, brass, 111); }},
        {QStringLiteral("wood3-btn-xit-l7a.jpg"), fromTwips(600, 465),
         [](QSize s) { return plate(s, QStringLiteral("Exit"), walnut, silver, 113); }},
        {QStringLiteral("wood3-fr1.jpg"), fromTwips(2100, 6210), [](QSize s) { return panelFrame(s, false); }},
        {QStringLiteral("wood3-fr1-l7.jpg"), fromTwips(2100, 6210), [](QSize s) { return panelFrame(s, true); }},
        {QStringLiteral("wood3-btn-up.jpg"), fromTwips(630, 630), [](QSize s) { return arrowButton(s, true, false); }},
        {QStringLiteral("wood3-btn-up-p.jpg"), fromTwips(630, 630), [](QSize s) { return arrowButton(s, true, true); }},
        {QStringLiteral("wood3-btn-dn.jpg"), fromTwips(630, 630), [](QSize s) { return arrowButton(s, false, false); }},
        {QStringLiteral("wood3-btn-dn-p.jpg"), fromTwips(630, 630), [](QSize s) { return arrowButton(s, false, true); }},
        {QStringLiteral("wood3-award.jpg"), fromTwips(735, 1365), awardCover},
        {QStringLiteral("wood3-newtopic.jpg"), fromTwips(360, 555), newTopicMarker},
        {QStringLiteral("wood3-btn-torch.jpg"), fromTwips(795, 750), askTorchButton},
        {QStringLiteral("wood3-btn-info.jpg"), fromTwips(900, 375),
         [](QSize s) { return plate(s, QStringLiteral("Contact"), oak, brass, 121); }},
        {QStringLiteral("wood3-btn-erase.jpg"), fromTwips(1260, 330),
         [](QSize s) { return plate(s, QStringLiteral("Erase Progress"), oak, brass, 123); }},
        {QStringLiteral("veltrin-logo.jpg"), QSize(360, 140), logo},
    };
    addTorchFrames(specs, QString(), false);
    addTorchFrames(specs, QStringLiteral("-l7"), true);
    addBadges(specs);
    addBookButtons(specs);
    return specs;
}

QImage appIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(8, 8, side - 16, side - 16), side * 0.16, side * 0.16);
    painter.setClipPath(tile);
    painter.drawImage(0, 0, wood(QSize(side, side), walnut, 131));
    drawTorch(painter, QRectF(side * 0.25, side * 0.1, side * 0.5, side * 0.82), 5, fireFlame);
    painter.setClipping(false);
    painter.setPen(QPen(gold.metal, side / 40.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tile);
    return image;
}

}   // namespace veltrin::course
