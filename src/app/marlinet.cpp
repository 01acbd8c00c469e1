// marlinet: the workbench window.
//
//   marlinet [FILE]     opens FILE as File open would (a file manager passes
//                       the .bas file it opens this way)
//   marlinet --help | --version
//
// Exit status: 2 for a command line that cannot be used. Qt's own options
// (-platform, -style, ...) are taken by QApplication before FILE is looked for.
#include <cstdio>
#include <cstring>
#include <optional>

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>
#include <QTimer>

#include "workbench/main_form.h"
#include "workbench/version.h"

namespace {

constexpr const char* kUsage = "Usage: marlinet [FILE]\n"
                               "Opens the Marlinet workbench; with FILE, loads that BASIC program "
                               "as File open does.\n"
                               "  --help     show this help\n"
                               "  --version  show the version\n";

// Handled before QApplication exists, so that they work without a display.
std::optional<int> InformationRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) break;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("marlinet %s (interpreter %s)\n", marlinet::workbench::kSimulatorVersion,
                        marlinet::workbench::kInterpreterVersion);
            return 0;
        }
    }
    return std::nullopt;
}

// The file to open, if any; nothing with a message when the arguments left
// after Qt's own cannot be used.
bool FileArgument(const QStringList& arguments, QString& file) {
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            std::fprintf(stderr,
                         "marlinet: unknown option %s\nRun with --help for more information.\n",
                         argument.toLocal8Bit().constData());
            return false;
        } else if (!file.isEmpty()) {
            std::fputs("marlinet: only one FILE may be given\n", stderr);
            return false;
        } else {
            file = argument;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> status = InformationRequest(argc, argv)) return *status;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marlinet"));
    QApplication::setApplicationVersion(QLatin1String(marlinet::workbench::kSimulatorVersion));
    // Ties the window to its desktop entry, and gives it the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.marlinet.marlinet"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("marlinet")));
    QString file;
    if (!FileArgument(QApplication::arguments(), file)) return 2;

    marlinet::workbench::TMainForm form;
    form.show();
    // Once the window shows, so that an error box about the file has it as parent.
    if (!file.isEmpty())
        QTimer::singleShot(0, &form, [&] { form.OpenFile(QFileInfo(file).absoluteFilePath()); });
    return QApplication::exec();
}
