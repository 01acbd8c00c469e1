// Lets the window's event loop run until Done holds; false after Milliseconds.
#pragma once

#include <functional>

#include <QElapsedTimer>
#include <QTest>

namespace marlinet::workbench::testing {

inline bool WaitFor(const std::function<bool()>& Done, int Milliseconds = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!Done()) {
        if (timer.elapsed() > Milliseconds) return false;
        QTest::qWait(1);
    }
    return true;
}

} // namespace marlinet::workbench::testing
