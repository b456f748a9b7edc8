// Drawing helpers for the course's pictures: procedural wood, parchment, bevels and glows.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

namespace veltrin::course {

// Smooth value noise in [0, 1], repeatable for a seed.
double noise(double x, double y, int seed);
// Several octaves of noise, for irregular grain.
double fractalNoise(double x, double y, int seed);

QColor mix(const QColor& a, const QColor& b, double t);

struct WoodTone {
    QColor dark;
    QColor light;
};
inline const WoodTone oak{QColor(74, 42, 20), QColor(150, 96, 52)};
inline const WoodTone walnut{QColor(44, 26, 16), QColor(112, 70, 40)};
inline const WoodTone ebony{QColor(28, 22, 24), QColor(82, 64, 60)};

// Wood with horizontal grain, rings distorted by noise and fine streaks.
QImage wood(QSize size, const WoodTone& tone, int seed);
// Cream paper with mottling and darker edges.
QImage parchment(QSize size, int seed);

// A raised (or pressed) bevel inside rect.
void bevel(QPainter& painter, const QRectF& rect, int width, bool pressed);
// A soft radial glow of colour around centre.
void glow(QPainter& painter, QPointF centre, double radius, QColor colour);
// Text cut into wood: a dark line with a light edge below it.
void engrave(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, QColor ink);

}   // namespace veltrin::course
