// File > Export timeline: the history of the window's run as a Value Change
// Dump (machine/vcd_writer.h) or as a PNG picture of the timeline, chosen by
// the file name's extension (".png" for the picture, anything else a dump).
#pragma once

#include <QString>

namespace marlinet::machine {
class History;
}

namespace marlinet::workbench {

class TTimelineWidget;

enum class TTimelineFormat { Vcd, Png };

// The format a file name asks for.
TTimelineFormat TimelineFormatOf(const QString& FileName);

// Writes the export; on failure returns a message for the user (the file
// may be left incomplete), else an empty string. Timeline draws the PNG at
// its size and view.
QString ExportTimeline(const machine::History& History, TTimelineWidget& Timeline,
                       const QString& FileName);

} // namespace marlinet::workbench
