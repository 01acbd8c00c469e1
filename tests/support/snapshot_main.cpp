#include "snapshot_main.h"

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace marlinet::testing {

bool SaveSnapshot(QWidget& Widget, const QString& Path) {
    QApplication::processEvents();
    if (!Widget.grab().save(Path, "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", qPrintable(QApplication::applicationName()),
                     qPrintable(Path));
        return false;
    }
    std::printf("%s\n", qPrintable(Path));
    return true;
}

} // namespace marlinet::testing

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(MARLINET_BUILD_DIR);
    QDir().mkpath(dir);
    return marlinet::testing::TakeSnapshots(dir) ? 0 : 1;
}
