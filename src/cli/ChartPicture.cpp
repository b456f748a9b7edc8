#include "cli/CliParts.h"

#include "base/FileError.h"

#include <QImage>
#include <QSaveFile>
#include <QSvgGenerator>

namespace veltrin::cli {

namespace {

bool isSvgName(const QString& path) { return path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive); }

void paintPng(const journal::JournalChart& chart, QSaveFile& file) {
    QImage image(journal::ChartWidth, journal::ChartHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    journal::drawJournalChart(painter, image.rect(), chart);
    painter.end();
    if (!image.save(&file, "PNG")) throw base::FileError(file.fileName(), file.errorString());
}

void paintSvg(const journal::JournalChart& chart, QSaveFile& file) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize({journal::ChartWidth, journal::ChartHeight});
    svg.setViewBox(QRect(0, 0, journal::ChartWidth, journal::ChartHeight));
    svg.setTitle(QStringLiteral("Inner Snapshot over time"));
    QPainter painter(&svg);
    journal::drawJournalChart(painter, QRectF(0, 0, journal::ChartWidth, journal::ChartHeight), chart);
    painter.end();
    if (file.error() != QFileDevice::NoError) throw base::FileError(file.fileName(), file.errorString());
}

}   // namespace

bool isChartPictureName(const QString& path) { return isSvgName(path) || path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive); }

void saveChartPicture(const journal::JournalChart& chart, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw base::FileError(path, file.errorString());
    if (isSvgName(path)) paintSvg(chart, file);
    else paintPng(chart, file);
    if (!file.commit()) throw base::FileError(path, file.errorString());
}

}   // namespace veltrin::cli
