#include "machine/transcript.h"

#include <charconv>
#include <cstring>

namespace marlinet::machine {
namespace {

constexpr std::size_t kBufferSize = 256 * 1024;

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

// Writers into a buffer that json_size has made big enough.
template <std::size_t N>
char* put(char* p, const char (&literal)[N]) {
    std::memcpy(p, literal, N - 1);
    return p + N - 1;
}

char* put_integer(char* p, std::int64_t value) {
    return std::to_chars(p, p + 20, value).ptr;
}

char* put_bool(char* p, bool value) {
    return value ? put(p, "true") : put(p, "false");
}

// At most six bytes for each byte of text (\u00XX), and the quotes.
char* put_string(char* p, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    *p++ = '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && byte != '"' && byte != '\\') {
            *p++ = c;
        } else if (byte == '"' || byte == '\\') {
            *p++ = '\\';
            *p++ = c;
        } else if (byte == '\n') {
            p = put(p, "\\n");
        } else if (byte == '\r') {
            p = put(p, "\\r");
        } else if (byte < 0x80) {
            p = put(p, "\\u00");
            *p++ = kHex[byte >> 4];
            *p++ = kHex[byte & 15];
        } else {
            // Latin-1 to UTF-8: two bytes.
            *p++ = static_cast<char>(0xc0 | (byte >> 6));
            *p++ = static_cast<char>(0x80 | (byte & 0x3f));
        }
    }
    *p++ = '"';
    return p;
}

std::string_view form_name(InputForm form) {
    return form == InputForm::Key ? "key" : "value";
}

// The most bytes an event's line can take.
std::size_t json_size(const IoEvent& event) {
    std::size_t text = 0;
    if (const auto* print = std::get_if<io::Print>(&event.what)) text = print->text.size();
    if (const auto* read = std::get_if<io::AdcRead>(&event.what)) text = read->text.size();
    if (const auto* answer = std::get_if<io::InputAnswer>(&event.what)) text = answer->text.size();
    return 256 + 6 * text;
}

// Writes the event's line at p, which has room for json_size(event) bytes.
char* put_event(char* p, const IoEvent& event) {
    p = put(p, "{\"t\":");
    p = put_integer(p, event.time_us);
    p = put(p, ",\"n\":");
    p = put_integer(p, static_cast<std::int64_t>(event.statement));
    p = put(p, ",\"line\":");
    p = put_integer(p, event.line);
    p = put(p, ",\"event\":");
    std::visit(Overloaded{
                   [&](const io::Print& e) {
                       p = put(p, "\"print\",\"text\":");
                       p = put_string(p, e.text);
                   },
                   [&](const io::Lamp& e) {
                       p = put(p, "\"lamp\",\"output\":");
                       p = put_integer(p, e.output);
                       p = put(p, ",\"on\":");
                       p = put_bool(p, e.on);
                   },
                   [&](const io::Dac& e) {
                       p = put(p, "\"dac\",\"value\":");
                       p = put_integer(p, e.value);
                   },
                   [&](const io::AdcSelect& e) {
                       p = put(p, "\"adc_select\",\"adc\":");
                       p = put_string(p, adc_name(e.channel));
                   },
                   [&](const io::AdcRead& e) {
                       p = put(p, "\"adc_read\",\"adc\":");
                       p = put_string(p, adc_name(e.channel));
                       p = put(p, ",\"text\":");
                       p = put_string(p, e.text);
                       p = put(p, ",\"value\":");
                       p = e.value ? put_integer(p, *e.value) : put(p, "null");
                   },
                   [&](const io::InputRead& e) {
                       p = put(p, "\"input_read\",\"input\":");
                       p = put_integer(p, e.input);
                       p = put(p, ",\"on\":");
                       p = put_bool(p, e.on);
                   },
                   [&](const io::InputRequest& e) {
                       p = put(p, "\"input_request\",\"form\":");
                       p = put_string(p, form_name(e.form));
                   },
                   [&](const io::InputAnswer& e) {
                       p = put(p, "\"input_answer\",\"form\":");
                       p = put_string(p, form_name(e.form));
                       p = put(p, ",\"text\":");
                       p = put_string(p, e.text);
                       p = put(p, ",\"value\":");
                       p = put_integer(p, e.value);
                   },
                   [&](const io::Delay& e) {
                       p = put(p, "\"delay\",\"ms\":");
                       p = put_integer(p, e.milliseconds);
                   },
                   [&](const io::Pause&) { p = put(p, "\"pause\""); },
                   [&](const io::Error& e) {
                       p = put(p, "\"error\",\"number\":");
                       p = put_integer(p, e.number);
                   },
                   [&](const io::End& e) {
                       p = put(p, "\"end\",\"reason\":");
                       p = put_string(p, end_reason_name(e.reason));
                   },
               },
               event.what);
    return put(p, "}\n");
}

} // namespace

void append_event_json(const IoEvent& event, std::string& out) {
    const std::size_t old = out.size();
    out.resize(old + json_size(event));
    char* const end = put_event(out.data() + old, event);
    out.resize(static_cast<std::size_t>(end - out.data()));
}

TranscriptWriter::TranscriptWriter(std::FILE* file) : file_(file), buffer_(kBufferSize) {}

void TranscriptWriter::on_event(const IoEvent& event) {
    const std::size_t needed = json_size(event);
    if (used_ + needed > buffer_.size()) {
        write_out();
        if (needed > buffer_.size()) buffer_.resize(needed);
    }
    used_ = static_cast<std::size_t>(put_event(buffer_.data() + used_, event) - buffer_.data());
}

void TranscriptWriter::write_out() {
    if (used_ > 0 && !failed_) failed_ = std::fwrite(buffer_.data(), 1, used_, file_) != used_;
    used_ = 0;
}

bool TranscriptWriter::flush() {
    write_out();
    if (!failed_) failed_ = std::fflush(file_) != 0;
    return !failed_;
}

} // namespace marlinet::machine
