// Writes every event of a run as one JSON object per line (JSON Lines):
//   {"t":1500,"n":42,"line":7,"event":"lamp","output":1,"on":true}
// t is the time in microseconds, n the statements started before the event,
// line the 1-based program line. Text is 8-bit: bytes above 127 are written
// as the code points U+0080..U+00FF, control characters escaped.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "machine/ports.h"

namespace marlinet::machine {

// Appends one event as a JSON object and a line feed to `out`.
void append_event_json(const IoEvent& event, std::string& out);

class TranscriptWriter final : public EventSink {
public:
    // Writes to `file`, which stays the caller's to close.
    explicit TranscriptWriter(std::FILE* file);
    ~TranscriptWriter() override { flush(); }
    TranscriptWriter(const TranscriptWriter&) = delete;
    TranscriptWriter& operator=(const TranscriptWriter&) = delete;

    void on_event(const IoEvent& event) override;
    // Writes what is buffered; false once any write has failed.
    bool flush();

private:
    void write_out();

    std::FILE* file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

} // namespace marlinet::machine
