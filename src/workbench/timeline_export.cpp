#include "workbench/timeline_export.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include "machine/vcd_writer.h"
#include "workbench/text.h"
#include "workbench/timeline_widget.h"
#include "workbench/version.h"

namespace marlinet::workbench {

TTimelineFormat TimelineFormatOf(const QString& FileName) {
    return QFileInfo(FileName).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0
               ? TTimelineFormat::Png
               : TTimelineFormat::Vcd;
}

namespace {

QString ExportVcd(const machine::History& History, const QString& FileName) {
    const QByteArray name = QFile::encodeName(FileName);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(name.constData(), "wb"),
                                                               &std::fclose);
    if (!file)
        return QStringLiteral("Cannot write %1: %2")
            .arg(FileName, QString::fromLocal8Bit(std::strerror(errno)));
    const machine::VcdWriter::Header header{
        FromQString(QDateTime::currentDateTime().toString(Qt::ISODate)),
        std::string("Marlinet ") + kSimulatorVersion};
    if (!machine::write_vcd(History, file.get(), header))
        return QStringLiteral("Cannot write %1: the disk refused the data").arg(FileName);
    return {};
}

QString ExportPng(TTimelineWidget& Timeline, const QString& FileName) {
    QImage image(Timeline.size().expandedTo(Timeline.sizeHint()), QImage::Format_RGB32);
    if (Timeline.size() != image.size()) Timeline.resize(image.size());
    QPainter painter(&image);
    Timeline.render(&painter);
    painter.end();
    if (!image.save(FileName, "PNG")) return QStringLiteral("Cannot write %1").arg(FileName);
    return {};
}

} // namespace

QString ExportTimeline(const machine::History& History, TTimelineWidget& Timeline,
                       const QString& FileName) {
    return TimelineFormatOf(FileName) == TTimelineFormat::Png ? ExportPng(Timeline, FileName)
                                                              : ExportVcd(History, FileName);
}

} // namespace marlinet::workbench
