#include "cli/CliParts.h"

#include "base/TextFile.h"

#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>

namespace veltrin::cli {

namespace {

bool isSvgName(const QString& path) { return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive); }

void paintPng(const core::JournalChart& chart, QBuffer& file) {
    QImage image(core::ChartWidth, core::ChartHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    core::drawJournalChart(painter, image.rect(), chart);
    painter.end();
    image.save(&file, "PNG");
}

// Qt would declare the size in millimetres, which viewers turn into another number of pixels than
// the chart was drawn for; the picture declares its size in pixels instead, beside its view box.
void paintSvg(const core::JournalChart& chart, QBuffer& file) {
    QBuffer drawn;
    drawn.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&drawn);
    svg.setViewBox(QRect(0, 0, core::ChartWidth, core::ChartHeight));
    svg.setTitle(QStringLiteral("Inner Snapshot over time"));
    QPainter painter(&svg);
    core::drawJournalChart(painter, QRectF(0, 0, core::ChartWidth, core::ChartHeight), chart);
    painter.end();
    QByteArray picture = drawn.data();
    const qsizetype root = picture.indexOf("<svg ");
    if (root >= 0)
        picture.insert(root + 5, QStringLiteral("width=\"%1\" height=\"%2\" ").arg(core::ChartWidth).arg(core::ChartHeight).toLatin1());
    file.write(picture);
}

}   // namespace

bool isChartPictureName(const QString& path) { return isSvgName(path) || path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive); }

// The picture is small: it is drawn in memory and then written like any other file.
QByteArray chartPicture(const core::JournalChart& chart, const QString& path) {
    QBuffer picture;
    picture.open(QIODevice::WriteOnly);
    if (isSvgName(path)) paintSvg(chart, picture);
    else paintPng(chart, picture);
    return picture.data();
}

}   // namespace veltrin::cli
