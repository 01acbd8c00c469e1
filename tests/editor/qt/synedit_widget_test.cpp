// The Qt widget on the offscreen platform: configured as the main window's
// editor, driven by real Qt key, mouse and wheel events, painted into an
// image.
#include <gtest/gtest.h>

#include <tuple>

#include <QApplication>
#include <QClipboard>
#include <QDragMoveEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "editor/qt/qt_platform.h"
#include "window_like_edit.h"

namespace marlinet::editor::qt {
namespace {

using testing::ConfigureLikeTheWindow;
using testing::kWindowEditorHeight;
using testing::kWindowEditorWidth;

std::string Program(int Lines) {
    std::string text;
    for (int i = 1; i <= Lines; ++i) {
        text += "PRINT \"Line\", " + std::to_string(i);
        if (i < Lines) text += '\n';
    }
    return text;
}

// Records the regions the viewport paints.
class PaintSpy : public QObject {
public:
    bool eventFilter(QObject*, QEvent* Event) override {
        if (Event->type() == QEvent::Paint)
            regions.push_back(static_cast<QPaintEvent*>(Event)->region());
        return false;
    }
    std::vector<QRegion> regions;
};

class Widget : public ::testing::Test {
protected:
    Widget() {
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(edit);
        layout->addWidget(next);
        ConfigureLikeTheWindow(*edit, highlighter.get());
        edit->setFixedSize(kWindowEditorWidth, kWindowEditorHeight);
        window.show();
        window.activateWindow();
        edit->setFocus();
        QApplication::processEvents();
    }
    TCustomSynEdit& core() { return edit->Core(); }
    QWidget* viewport() { return edit->viewport(); }
    void Key(int QtKey, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
        QTest::keyClick(edit, static_cast<Qt::Key>(QtKey), Modifiers);
    }
    QPoint Cell(int Column, int Line) const {
        const TCustomSynEdit& c = edit->Core();
        return {c.TextOffset() + (Column - 1) * c.CharWidth(),
                (Line - c.TopLine()) * c.LineHeight() + c.LineHeight() / 2};
    }
    QImage Image() { return viewport()->grab().toImage(); }

    std::unique_ptr<highlight::TSynVBSyn> highlighter = testing::MakeWindowHighlighter();
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);
    TSynEdit* edit = new TSynEdit;
    QLineEdit* next = new QLineEdit;
};

TEST_F(Widget, MainWindowSettingsGiveTheCellsAndGutter) {
    EXPECT_EQ(ResolveFontFamily("Courier New", fpFixed), "Liberation Mono");
    EXPECT_GT(core().CharWidth(), 5);
    EXPECT_EQ(core().LineHeight(), 13);
    EXPECT_EQ(core().LinesInWindow(), edit->viewport()->height() / 13);
    // 16 + 2 + 3 digits + 2, the digits measured in the gutter font.
    const int digit =
        QFontMetrics(ToQFont({"Fixedsys", 11, fpDefault, fsBold})).horizontalAdvance('M');
    EXPECT_EQ(core().GutterWidth(), 20 + 3 * digit);
    EXPECT_EQ(core().SelectionMode(), smLine);
    EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(edit->verticalScrollBar()->isVisible());
}

TEST_F(Widget, PaintsTheColoursOfTheMainWindow) {
    edit->Lines().SetText("END\n\n10 PRINT \"X\"");
    edit->SetSelectionMode(smLine);
    edit->SetSelStart(core().RowColToCharIndex({1, 3}));
    edit->SetSelLength(1);
    edit->clearFocus(); // no caret in the picture
    const QImage image = Image();
    const int cw = core().CharWidth();
    // Far right of line 2: the black background.
    EXPECT_EQ(image.pixelColor(400, 13 + 6), QColor(Qt::black));
    // The gutter background and its border colour.
    EXPECT_EQ(image.pixelColor(2, 20), ToQColor(clBtnFace));
    // Line 3, selected across the whole width.
    EXPECT_EQ(image.pixelColor(400, 26 + 6), ToQColor(clHighlight));
    // "END" is a keyword: white ink somewhere in its cells.
    bool white = false;
    for (int x = core().TextOffset(); x < core().TextOffset() + 3 * cw; ++x)
        for (int y = 0; y < 13; ++y)
            white = white || image.pixelColor(x, y) == QColor(Qt::white);
    EXPECT_TRUE(white);
}

// One run of text, each character in its own cell: ink in the cells of
// X and Y, none in the blank's between them.
TEST_F(Widget, EachCharacterOfARunIsDrawnInItsOwnCell) {
    edit->Lines().SetText("X Y");
    edit->clearFocus();
    const QImage image = Image();
    const QColor paper = image.pixelColor(image.width() - 20, 6);
    const int cw = core().CharWidth();
    for (const auto& [column, inked] : {std::pair{1, true}, {2, false}, {3, true}}) {
        bool ink = false;
        for (int x = Cell(column, 1).x(); x < Cell(column, 1).x() + cw; ++x)
            for (int y = 0; y < 13; ++y)
                ink = ink || image.pixelColor(x, y) != paper;
        EXPECT_EQ(ink, inked) << "column " << column;
    }
}

TEST_F(Widget, ArrowKeysMoveTheCaretAndTheCaretIsDrawnThere) {
    edit->Lines().SetText("10 PRINT A   \n20 END");
    ASSERT_TRUE(edit->hasFocus());
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_EQ(core().CaretXY(), (TBufferCoord{2, 2}));
    QApplication::processEvents();
    EXPECT_TRUE(edit->CaretVisible());
    EXPECT_EQ(edit->CaretRect().topLeft(),
              QPoint(core().TextOffset() + core().CharWidth() - 1, 13 + 1));
    Key(Qt::Key_Up);
    Key(Qt::Key_End);
    EXPECT_EQ(core().CaretX(), 11); // after the last non-blank
    Key(Qt::Key_End);
    EXPECT_EQ(core().CaretX(), 14);
    Key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(core().CaretX(), 10);
    edit->SetSelectionMode(smNormal);
    Key(Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(core().GetSelText(), "A   \r\n20 END");
}

TEST_F(Widget, TabAndShiftTabMoveTheFocusAndTypeNothing) {
    edit->Lines().SetText("10 END");
    Key(Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_FALSE(edit->CaretVisible());
    QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(edit->hasFocus());
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(edit->hasFocus());
    EXPECT_EQ(edit->Lines().Text(), "10 END");
}

TEST_F(Widget, TypedKeysEditTheTextAndUndoTakesThemBack) {
    edit->Lines().SetText("");
    QTest::keyClicks(edit, "10 PRINT");
    Key(Qt::Key_Return);
    QTest::keyClicks(edit, "20 END");
    Key(Qt::Key_Escape);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(edit->Lines().Text(), "10 PRINT\r\n20 EN");
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    // The blanks added before the E end that run (issue 21).
    EXPECT_EQ(edit->Lines().Text(), "10 PRINT\r\n20");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit->Lines().Text(), "10 PRINT\r\n");
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit->Lines().Text(), "10 PRINT\r\n20 END");
    // A character Latin-1 lacks is typed as '?'.
    QKeyEvent euro(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0x20AC)));
    QApplication::sendEvent(edit, &euro);
    EXPECT_EQ(edit->Lines().Get(1), "20 END?");
    QApplication::processEvents();
    EXPECT_EQ(edit->CaretRect().left(), core().TextOffset() + 7 * core().CharWidth() - 1);
}

TEST_F(Widget, TheClipboardCarriesTheBlockFormatFromEditorToEditor) {
    edit->Lines().SetText("ABC\nDEF");
    edit->SetSelectionMode(smColumn);
    core().SetBlockBegin({2, 1});
    core().SetBlockEnd({3, 2});
    Key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime->hasFormat("Editor Control Block Type"));
    EXPECT_EQ(mime->data("Editor Control Block Type"), QByteArray("\x02"
                                                                  "B\r\nE",
                                                                  5) +
                                                           '\0');
    EXPECT_EQ(mime->text(), "B\r\nE");

    TSynEdit target;
    target.Lines().SetText("xy\nzw");
    target.Core().SetCaretXY({2, 1});
    target.Core().PasteFromClipboard();
    EXPECT_EQ(target.Lines().Text(), "xBy\r\nzEw");
}

TEST_F(Widget, ClipboardTextFromElsewhereBecomesLatin1AndEndsAtAZero) {
    edit->Lines().SetText("");
    edit->SetSelectionMode(smNormal);
    QGuiApplication::clipboard()->setText(QString::fromUtf8("A\u00e9\u20acB\U0001F600C"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Lines().Text(), "A\xe9?B?C");
    QGuiApplication::clipboard()->setText(QString("D") + QChar(0) + "E");
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Lines().Text(), "A\xe9?B?CD");
}

TEST_F(Widget, KeyDownEventFiresBeforeTheKeyIsTranslated) {
    struct Spy {
        std::vector<std::uint16_t> keys;
        TBufferCoord caretSeen;
        TCustomSynEdit* edit;
        void KeyDown(TObject*, std::uint16_t& key, TShiftState) {
            keys.push_back(key);
            caretSeen = edit->CaretXY();
        }
    } spy{{}, {}, &core()};
    edit->OnKeyDown() = TKeyEvent::Of<&Spy::KeyDown>(&spy);
    edit->Lines().SetText("AB");
    Key(Qt::Key_Right);
    ASSERT_EQ(spy.keys.size(), 1u);
    EXPECT_EQ(spy.keys[0], VK_RIGHT);
    EXPECT_EQ(spy.caretSeen, (TBufferCoord{1, 1}));
}

TEST_F(Widget, MouseClickPlacesTheCaretAndShiftClickExtends) {
    edit->Lines().SetText("10 PRINT A\n20 GOTO 10\n30 END");
    edit->SetSelectionMode(smNormal);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, Cell(4, 2));
    EXPECT_EQ(core().CaretXY(), (TBufferCoord{4, 2}));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, Cell(3, 3));
    EXPECT_EQ(core().GetSelText(), "GOTO 10\r\n30");
    // A double click is a click, then a double-click event in the same place.
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, Cell(5, 1));
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, Cell(5, 1));
    EXPECT_EQ(core().GetSelText(), "PRINT");
}

// Text dragged over the editor is taken, the caret following it, while the
// editor can take the drop; read-only it is refused, and so is a drag
// without text.
TEST_F(Widget, ADragOverTheEditorIsTakenOnlyWhileItCanBeDropped) {
    edit->Lines().SetText("10 PRINT A\n20 END");
    QMimeData text, image;
    text.setText("X");
    image.setData("image/png", "PNG");
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(Cell(4, 2), actions, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    EXPECT_EQ(core().CaretXY(), (TBufferCoord{4, 2}));
    struct Case {
        const QMimeData* data;
        bool readOnly, taken;
    };
    for (const auto& [data, readOnly, taken] :
         {Case{&text, false, true}, {&image, false, false}, {&text, true, false}}) {
        core().SetReadOnly(readOnly);
        QDragMoveEvent move(Cell(6, 1), actions, data, Qt::LeftButton, Qt::NoModifier);
        move.setAccepted(!taken);
        QApplication::sendEvent(viewport(), &move);
        EXPECT_EQ(move.isAccepted(), taken) << "read-only " << readOnly;
        if (taken) {
            EXPECT_EQ(core().CaretXY(), (TBufferCoord{6, 1}));
        }
    }
    QDragLeaveEvent leave;
    QApplication::sendEvent(viewport(), &leave);
}

TEST_F(Widget, WheelScrollsAndTheScrollBarFollows) {
    edit->Lines().SetText(Program(100));
    QWheelEvent down(QPointF(50, 50), viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport(), &down);
    EXPECT_EQ(core().TopLine(), 1 + QApplication::wheelScrollLines());
    EXPECT_EQ(edit->verticalScrollBar()->value(), core().TopLine());
    EXPECT_EQ(edit->verticalScrollBar()->pageStep(), core().LinesInWindow());
}

TEST_F(Widget, DraggingTheThumbShowsTheTopLineHintAndReleasingHidesIt) {
    edit->Lines().SetText(Program(40000));
    QScrollBar* bar = edit->verticalScrollBar();
    EXPECT_EQ(bar->maximum() + bar->pageStep() - 1, 32767);
    bar->setSliderDown(true);
    bar->setSliderPosition(16384);
    EXPECT_NEAR(core().TopLine(), 20000, 20);
    ASSERT_TRUE(edit->HintVisible());
    EXPECT_EQ(edit->HintText(), QString("Top Line: %1").arg(core().TopLine()));
    const QRect hint = edit->HintGeometry();
    EXPECT_EQ(hint.right() + 1, viewport()->width() - 4);
    EXPECT_EQ(hint.top(), 10);
    bar->setSliderDown(false);
    EXPECT_FALSE(edit->HintVisible());
}

TEST_F(Widget, ScrollBarArrowsAndPagesMoveTheTopLine) {
    edit->Lines().SetText(Program(100));
    QScrollBar* bar = edit->verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(core().TopLine(), 2);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(core().TopLine(), 2 + core().LinesInWindow());
    EXPECT_EQ(bar->value(), core().TopLine());
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(core().TopLine(), 1);
    edit->Lines().SetText("short");
    EXPECT_FALSE(bar->isEnabled());
}

TEST_F(Widget, ScrollingByOneLineRepaintsOneRow) {
    edit->Lines().SetText(Program(100));
    edit->clearFocus();
    QApplication::processEvents();
    PaintSpy spy;
    viewport()->installEventFilter(&spy);
    core().SetTopLine(2);
    QApplication::processEvents();
    viewport()->removeEventFilter(&spy);
    ASSERT_FALSE(spy.regions.empty());
    QRegion painted;
    for (const auto& r : spy.regions)
        painted += r;
    EXPECT_LE(painted.boundingRect().height(), core().LineHeight());
    EXPECT_EQ(painted.boundingRect().bottom() + 1, viewport()->height());
}

TEST_F(Widget, AGutterClickIsSignalledAndLeavesTheCaretAndABreakpointShowsThere) {
    edit->Lines().SetText(Program(20));
    core().SetCaretXY({3, 5});
    struct Click {
        int line;
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        QPoint global;
    };
    std::vector<Click> clicks;
    int changes = 0;
    QObject::connect(edit, &TSynEdit::gutterClicked,
                     [&](int Line, Qt::MouseButton B, Qt::KeyboardModifiers M, const QPoint& G) {
                         clicks.push_back({Line, B, M, G});
                         if (B == Qt::LeftButton) edit->Markers().ToggleBreakpoint(Line);
                     });
    QObject::connect(edit, &TSynEdit::breakpointsChanged, [&] { ++changes; });
    const QPoint at(4, Cell(1, 3).y());
    QTest::mouseMove(viewport(), at);
    EXPECT_EQ(viewport()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, at);
    QTest::mouseClick(viewport(), Qt::RightButton, Qt::ControlModifier, at);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].line, 3);
    EXPECT_EQ(clicks[0].button, Qt::LeftButton);
    EXPECT_EQ(clicks[1].button, Qt::RightButton);
    EXPECT_EQ(clicks[1].modifiers, Qt::ControlModifier);
    EXPECT_EQ(clicks[1].global, viewport()->mapToGlobal(at));
    EXPECT_EQ(core().CaretXY(), (TBufferCoord{3, 5}));
    EXPECT_EQ(changes, 1);
    // The dot's middle, two pixels in and centred on row 3.
    edit->clearFocus();
    EXPECT_EQ(Image().pixelColor(2 + 5, 2 * 13 + (13 - 11) / 2 + 5), ToQColor(RGB(214, 32, 32)));
    QTest::mouseMove(viewport(), Cell(2, 3));
    EXPECT_EQ(viewport()->cursor().shape(), Qt::IBeamCursor);
}

// Zooming: a new font size takes effect at once, cell, gutter and all.
TEST_F(Widget, ALargerFontRepaintsEverythingInLargerCells) {
    edit->Lines().SetText("END");
    edit->clearFocus();
    QApplication::processEvents();
    const int width = core().CharWidth();
    PaintSpy spy;
    viewport()->installEventFilter(&spy);
    core().Font().SetHeight(26);
    QApplication::processEvents();
    viewport()->removeEventFilter(&spy);
    EXPECT_EQ(core().LineHeight(), 26);
    EXPECT_GT(core().CharWidth(), width);
    QRegion painted;
    for (const auto& r : spy.regions)
        painted += r;
    EXPECT_EQ(painted.boundingRect(), viewport()->rect());
    // The keyword's white ink now reaches below the old 13-pixel row.
    const QImage image = Image();
    bool low = false;
    for (int x = core().TextOffset(); x < core().TextOffset() + 3 * core().CharWidth(); ++x)
        for (int y = 14; y < 26; ++y)
            low = low || image.pixelColor(x, y) == QColor(Qt::white);
    EXPECT_TRUE(low);
}

// Straight lines fill their one-pixel row or column, end point excluded.
TEST(QtCanvas, StraightLinesInkTheirRowAndColumnUpToTheEnd) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        TQtCanvas canvas(painter, {0, 0, 8, 8});
        canvas.Line(5, 2, 1, 2, clBlack);
        canvas.Line(6, 1, 6, 4, clBlack);
    }
    const QColor ink(Qt::black), paper(Qt::white);
    for (const auto& [x, y, color] : {std::tuple{1, 2, ink},
                                      {4, 2, ink},
                                      {5, 2, paper},
                                      {0, 2, paper},
                                      {3, 3, paper},
                                      {3, 1, paper},
                                      {6, 1, ink},
                                      {6, 3, ink},
                                      {6, 4, paper},
                                      {7, 2, paper}})
        EXPECT_EQ(image.pixelColor(x, y), color) << x << "," << y;
}

} // namespace
} // namespace marlinet::editor::qt
