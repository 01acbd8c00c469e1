// MachineHost: the stream of events a run sends (as transcript lines), the
// INPUT answer's shaping and echo, and the virtual clock.
#include <gtest/gtest.h>

#include <deque>
#include <sstream>

#include "machine/clock.h"
#include "machine/machine_host.h"
#include "machine/transcript.h"

namespace marlinet::machine {
namespace {

class ScriptedConsole : public ConsolePort {
public:
    std::string text;
    std::deque<std::pair<std::string, Answer>> answers;
    void print(std::string_view printed) override { text += printed; }
    Answer read_answer(InputForm, std::string& answer) override {
        if (answers.empty()) basic::end_run();
        answer = answers.front().first;
        const Answer how = answers.front().second;
        answers.pop_front();
        return how;
    }
};

class JsonLines : public EventSink {
public:
    std::string lines;
    void on_event(const IoEvent& event) override { append_event_json(event, lines); }
};

struct HostRun {
    ScriptedConsole console;
    Board board;
    LocalBoard board_port{board};
    VirtualClock clock;
    JsonLines sink;
    MachineHost host{console, board_port, clock};
    basic::Interpreter interpreter{host};

    EndReason run(std::string_view program) {
        host.attach(interpreter);
        host.set_sink(&sink);
        interpreter.set_program(basic::ProgramBuffer::from_file_bytes(program));
        interpreter.run_state().store(basic::RunState::Running);
        return host.run();
    }
};

TEST(MachineHost, EveryReadAndWriteIsOneStampedEvent) {
    HostRun r;
    r.board.set_adc_text(AdcChannel::Adc2, " 12 ");
    r.board.set_input(126, true);
    r.console.answers = {{"7", Answer::Typed}};
    EXPECT_EQ(r.run("SETB 2 DAC -5\nSETB 128\nADC A\nTSTB B, 126\n"
                    "INPUT \"Q\", C\nDELAY 7\nCLRB 2\nSTOP\nX = 1/0\n"),
              EndReason::Error);
    EXPECT_EQ(r.sink.lines,
              R"({"t":10,"n":1,"line":1,"event":"lamp","output":2,"on":true}
{"t":20,"n":2,"line":1,"event":"dac","value":-5}
{"t":30,"n":3,"line":2,"event":"adc_select","adc":"ADC2"}
{"t":40,"n":4,"line":3,"event":"adc_read","adc":"ADC2","text":" 12 ","value":12}
{"t":50,"n":5,"line":4,"event":"input_read","input":126,"on":true}
{"t":60,"n":6,"line":5,"event":"print","text":"Q"}
{"t":60,"n":6,"line":5,"event":"input_request","form":"value"}
{"t":60,"n":6,"line":5,"event":"input_answer","form":"value","text":"7","value":7}
{"t":60,"n":6,"line":5,"event":"print","text":"7"}
{"t":60,"n":6,"line":5,"event":"print","text":"\r\n"}
{"t":70,"n":7,"line":6,"event":"delay","ms":7}
{"t":7080,"n":8,"line":7,"event":"lamp","output":2,"on":false}
{"t":7100,"n":10,"line":9,"event":"print","text":"\r\nERROR:"}
{"t":7100,"n":10,"line":9,"event":"print","text":"14"}
{"t":7100,"n":10,"line":9,"event":"print","text":","}
{"t":7100,"n":10,"line":9,"event":"print","text":"9"}
{"t":7100,"n":10,"line":9,"event":"print","text":"\r\n"}
{"t":7100,"n":10,"line":9,"event":"error","number":14}
{"t":7100,"n":10,"line":9,"event":"end","reason":"error"}
)");
    EXPECT_FALSE(r.board.test_input(126)) << "an answered INPUT clears RX";
    EXPECT_EQ(r.board.adc_text(AdcChannel::Adc2), "12");
}

TEST(MachineHost, AnAnswerIsShapedOnceAndOnlyATypedOneIsEchoed) {
    const struct {
        std::string given;
        Answer how;
        std::string kept;
        std::string echo;
    } cases[] = {
        {"12\n34", Answer::Typed, "12", "12\r\n"},
        {"\r1\r2\r", Answer::Typed, "12", "12\r\n"},
        {std::string("ab\0cd", 5), Answer::Typed, "ab", "ab\r\n"},
        {std::string(100, '9'), Answer::Typed, std::string(79, '9'), std::string(79, '9') + "\r\n"},
        {"0", Answer::Stopped, "0", ""},
    };
    for (const auto& c : cases) {
        std::string kept;
        shape_answer(c.given, kept);
        EXPECT_EQ(kept, c.kept);
        HostRun r;
        r.console.answers = {{c.given, c.how}};
        EXPECT_EQ(r.run("INPUT \"\", A\n"), EndReason::Program);
        EXPECT_EQ(r.console.text, c.echo);
    }
    HostRun key;
    key.console.answers = {{"", Answer::Typed}, {"xyz", Answer::Typed}};
    EXPECT_EQ(key.run("INPUT \"$\", A\nINPUT \"$\", B\n"), EndReason::Program);
    EXPECT_EQ(key.interpreter.variable(0), 0);
    EXPECT_EQ(key.interpreter.variable(1), 'x');
    EXPECT_EQ(key.console.text, "");
}

TEST(MachineHost, ARunThatAPortEndsGetsItsEndEvent) {
    HostRun r;
    EXPECT_EQ(r.run("PRINT 1;\nINPUT A\n"), EndReason::Stopped);
    EXPECT_TRUE(r.sink.lines.ends_with(
        "{\"t\":20,\"n\":2,\"line\":2,\"event\":\"end\",\"reason\":\"stopped\"}\n"))
        << r.sink.lines;
}

TEST(Transcript, TextIsEscapedAndLatinOneBecomesUtf8) {
    std::string out;
    append_event_json(IoEvent{1, 2, 3, io::Print{"\"\\\x01\x7f\xe9\t"}}, out);
    EXPECT_EQ(out, "{\"t\":3,\"n\":1,\"line\":2,\"event\":\"print\",\"text\":"
                   "\"\\\"\\\\\\u0001\\u007f\xc3\xa9\\u0009\"}\n");
}

} // namespace
} // namespace marlinet::machine
