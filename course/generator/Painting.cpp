#include "Painting.h"

#include <QRadialGradient>

#include <cmath>

namespace veltrin::course {

namespace {

double hash(int x, int y, int seed) {
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u + quint32(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double(h ^ (h >> 16)) / 4294967295.0;
}

double smooth(double t) { return t * t * (3 - 2 * t); }

int channel(double value) { return std::clamp(int(std::lround(value)), 0, 255); }

}   // namespace

double noise(double x, double y, int seed) {
    const int ix = int(std::floor(x));
    const int iy = int(std::floor(y));
    const double fx = smooth(x - ix);
    const double fy = smooth(y - iy);
    const double top = hash(ix, iy, seed) * (1 - fx) + hash(ix + 1, iy, seed) * fx;
    const double bottom = hash(ix, iy + 1, seed) * (1 - fx) + hash(ix + 1, iy + 1, seed) * fx;
    return top * (1 - fy) + bottom * fy;
}

double fractalNoise(double x, double y, int seed) {
    double sum = 0;
    double amplitude = 0.5;
    for (int octave = 0; octave < 4; ++octave) {
        sum += amplitude * noise(x, y, seed + octave * 31);
        x *= 2.03;
        y *= 2.03;
        amplitude /= 2;
    }
    return sum / 0.9375;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor(channel(a.red() + (b.red() - a.red()) * t), channel(a.green() + (b.green() - a.green()) * t),
                  channel(a.blue() + (b.blue() - a.blue()) * t));
}

QImage wood(QSize size, const WoodTone& tone, int seed) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const double warp = fractalNoise(x * 0.004, y * 0.03, seed) * 9.0;
            const double rings = y * 0.06 + warp;
            const double band = 0.5 + 0.5 * std::sin(rings * 2.2);
            const double streak = noise(x * 0.25, y * 1.6, seed + 7);
            const double t = 0.15 + 0.55 * std::pow(band, 1.6) + 0.3 * streak * streak;
            image.setPixel(x, y, mix(tone.dark, tone.light, t).rgb());
        }
    }
    return image;
}

QImage parchment(QSize size, int seed) {
    QImage image(size, QImage::Format_RGB32);
    const QColor paper(242, 228, 196);
    const QColor aged(205, 178, 128);
    const double cx = size.width() / 2.0;
    const double cy = size.height() / 2.0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const double edge = std::max(std::abs(x - cx) / cx, std::abs(y - cy) / cy);
            const double mottle = fractalNoise(x * 0.03, y * 0.03, seed);
            const double t = 0.35 * mottle + 0.6 * std::pow(edge, 6);
            image.setPixel(x, y, mix(paper, aged, t).rgb());
        }
    }
    return image;
}

void bevel(QPainter& painter, const QRectF& rect, int width, bool pressed) {
    const QColor light(255, 240, 210, 110);
    const QColor dark(0, 0, 0, 140);
    for (int i = 0; i < width; ++i) {
        const QRectF r = rect.adjusted(i + 0.5, i + 0.5, -i - 0.5, -i - 0.5);
        painter.setPen(pressed ? dark : light);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(pressed ? light : dark);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
}

void glow(QPainter& painter, QPointF centre, double radius, QColor colour) {
    QRadialGradient gradient(centre, radius);
    gradient.setColorAt(0, colour);
    colour.setAlpha(0);
    gradient.setColorAt(1, colour);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(centre, radius, radius);
}

void engrave(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, QColor ink) {
    painter.setFont(font);
    painter.setPen(QColor(255, 230, 190, 90));
    painter.drawText(rect.translated(0, 1), Qt::AlignCenter, text);
    painter.setPen(ink);
    painter.drawText(rect, Qt::AlignCenter, text);
}

}   // namespace veltrin::course
