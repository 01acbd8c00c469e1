// marlinet: the workbench window.
#include <QApplication>

#include "workbench/main_form.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marlinet"));
    marlinet::workbench::TMainForm form;
    form.show();
    return QApplication::exec();
}
