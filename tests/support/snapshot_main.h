// The entry of the programs that render windows into PNG files:
//   PROGRAM [DIR]
// writes its pictures into DIR (the build folder by default), on the
// offscreen platform unless another was chosen, and exits with 1 when one
// could not be made.
#pragma once

#include <QString>

class QWidget;

namespace marlinet::testing {

// Each snapshot program defines it: renders every picture into Dir; false
// when any failed.
bool TakeSnapshots(const QString& Dir);

// Lets pending events run, grabs Widget into the PNG file Path and prints
// the path; false, with a message on standard error, when it cannot be
// written.
bool SaveSnapshot(QWidget& Widget, const QString& Path);

} // namespace marlinet::testing
