#!/usr/bin/env bash
# Times this editor beside a mature editing component, QScintilla (Debian's
# Qt 6 build, with its C++ lexer), in one run on the offscreen platform:
#   open:  read a 40,000-line program into the editor and paint the first screen
#   jump:  right after opening, go to line 20,000 and paint it
#   type:  there, one typed character from its key event to the finished
#          repaint (a Backspace outside the timing takes it away again)
# Both widgets are 477 x 189 with line numbers. The rounds alternate between
# the two editors and the medians are reported, with the machine's load
# before and after. QScintilla is installed here only, never by scripts/run
# or scripts/test, and used only through its public API.
#   bench/editor/qt/compare_peer.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../../.."
scripts/deps libqscintilla2-qt6-dev

build=build/peer
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARLINET_BUILD_TESTS=OFF \
  -DMARLINET_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target marlinet_main_window_editor

out="$build/peer_compare"
mkdir -p "$out"
cat >"$out/peer_compare.cpp" <<'CPP'
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <Qsci/qscilexercpp.h>
#include <Qsci/qsciscintilla.h>

#include "bench_program.h"
#include "workbench/main_window_editor.h"
#include "workbench/main_window_highlighter.h"

namespace {

constexpr int kJumpLine = 20000;

std::string WriteProgram() {
    const std::string file = "/tmp/marlinet_peer_compare.bas";
    std::ofstream(file, std::ios::binary) << marlinet::bench::EditorBenchProgram();
    return file;
}

double Ms(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void Send(QWidget& widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
}

// An 'x' typed into the editor until everything it asked to repaint is
// painted; then a Backspace, untimed.
double TypeInto(QAbstractScrollArea& edit) {
    QElapsedTimer timer;
    timer.start();
    Send(edit, Qt::Key_X, QStringLiteral("x"));
    QApplication::processEvents();
    const double ms = Ms(timer);
    Send(edit, Qt::Key_Backspace, QString(QChar(8)));
    QApplication::processEvents();
    return ms;
}

struct Ours {
    Ours() {
        marlinet::workbench::ApplyMainWindowEditorSettings(edit, highlighter.get());
        edit.show();
        QApplication::processEvents();
    }
    double Open(const std::string& file) {
        QElapsedTimer timer;
        timer.start();
        edit.Lines().LoadFromFile(file);
        edit.viewport()->repaint();
        return Ms(timer);
    }
    double Jump() {
        QElapsedTimer timer;
        timer.start();
        edit.Core().SetCaretXY({1, kJumpLine});
        edit.Core().EnsureCursorPosVisibleEx(true);
        edit.viewport()->repaint();
        return Ms(timer);
    }
    double Type() {
        edit.Core().SetSelectionMode(marlinet::editor::smNormal);
        edit.Core().SetCaretXY({5, kJumpLine});
        edit.Core().SetBlockBegin(edit.Core().CaretXY());
        QApplication::processEvents();
        return TypeInto(edit);
    }
    std::unique_ptr<marlinet::highlight::TSynVBSyn> highlighter =
        marlinet::workbench::CreateMainWindowHighlighter(nullptr);
    marlinet::editor::qt::TSynEdit edit;
};

struct Peer {
    Peer() {
        edit.resize(marlinet::workbench::kMainWindowEditorWidth,
                     marlinet::workbench::kMainWindowEditorHeight);
        edit.setLexer(&lexer);
        edit.setMarginLineNumbers(0, true);
        edit.setMarginWidth(0, QStringLiteral("0000"));
        edit.show();
        QApplication::processEvents();
    }
    double Open(const std::string& file) {
        QElapsedTimer timer;
        timer.start();
        QFile in(QString::fromStdString(file));
        in.open(QIODevice::ReadOnly);
        edit.setText(QString::fromLatin1(in.readAll()));
        edit.viewport()->repaint();
        return Ms(timer);
    }
    double Jump() {
        QElapsedTimer timer;
        timer.start();
        edit.setCursorPosition(kJumpLine - 1, 0);
        edit.ensureLineVisible(kJumpLine - 1);
        edit.viewport()->repaint();
        return Ms(timer);
    }
    double Type() {
        edit.setCursorPosition(kJumpLine - 1, 4);
        QApplication::processEvents();
        return TypeInto(edit);
    }
    QsciScintilla edit;
    QsciLexerCPP lexer;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(std::atoi(argv[1]), 1) : 21;
    const std::string file = WriteProgram();
    Ours ours;
    Peer peer;
    std::vector<double> oursOpen, peerOpen, oursJump, peerJump, oursType, peerType;
    for (int i = -2; i < rounds; ++i) { // two rounds to warm up
        const double a = ours.Open(file), b = ours.Jump(), e = ours.Type();
        const double c = peer.Open(file), d = peer.Jump(), f = peer.Type();
        if (i < 0) continue;
        oursOpen.push_back(a);
        oursJump.push_back(b);
        oursType.push_back(e);
        peerOpen.push_back(c);
        peerJump.push_back(d);
        peerType.push_back(f);
    }
    std::printf("%d rounds, medians in ms     this editor      peer    ratio\n", rounds);
    std::printf("open 40,000 lines + paint  %12.3f %9.3f %8.2f\n", Median(oursOpen),
                Median(peerOpen), Median(oursOpen) / Median(peerOpen));
    std::printf("jump to line 20,000 + paint%12.3f %9.3f %8.2f\n", Median(oursJump),
                Median(peerJump), Median(oursJump) / Median(peerJump));
    std::printf("type a character there     %12.3f %9.3f %8.2f\n", Median(oursType),
                Median(peerType), Median(oursType) / Median(peerType));
    std::remove(file.c_str());
    return 0;
}
CPP

# The release libraries are built with link-time optimisation: link likewise.
libs=("$build/src/workbench/libmarlinet_main_window_editor.a"
      "$build/src/workbench/libmarlinet_main_window_highlighter.a"
      "$build/src/editor/qt/libmarlinet_editor_qt.a" "$build/src/editor/libmarlinet_editor.a"
      "$build/src/highlight/libmarlinet_highlight.a" "$build/src/support/libmarlinet_support.a")
# shellcheck disable=SC2046
g++ -std=c++20 -O2 -flto=auto -fPIC -Isrc -Ibench/editor "$out/peer_compare.cpp" "${libs[@]}" \
  $(pkg-config --cflags --libs Qt6Widgets inih) -lqscintilla2_qt6 -o "$out/peer_compare"

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
QT_QPA_PLATFORM=offscreen "$out/peer_compare" "$@"
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
