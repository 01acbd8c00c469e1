#include "editor/search.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <climits>
#include <new>

#include "editor/text_case.h"

namespace marlinet::editor {

namespace {

// Limits per call of the matcher, which runs on one line: far more than a
// sane pattern needs there, little enough that a pattern that backtracks
// without end fails at once instead of freezing the window.
constexpr std::uint32_t kMatchLimit = 1'000'000;
constexpr std::uint32_t kHeapLimitKiB = 64 * 1024;
constexpr PCRE2_SIZE kJitStackStart = 32 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 1024 * 1024;

std::string ErrorMessage(int Code) {
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(Code, buffer, sizeof buffer);
    if (length < 0) return "regular expression error " + std::to_string(Code);
    return std::string(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length));
}

// PCRE2 wants a pointer even for an empty text.
PCRE2_SPTR Bytes(std::string_view S) {
    static constexpr char kEmpty[] = "";
    return reinterpret_cast<PCRE2_SPTR>(S.empty() ? kEmpty : S.data());
}

int Length(std::string_view S) {
    return static_cast<int>(S.size());
}

highlight::TSynIdentChars DefaultWordChars() {
    highlight::TSynIdentChars chars;
    for (int c = 0; c < 256; ++c)
        if (IsTitleWordChar(static_cast<char>(c))) chars.Include(static_cast<unsigned char>(c));
    return chars;
}

} // namespace

struct TSynSearch::Regex {
    pcre2_code* code = nullptr;
    pcre2_match_data* data = nullptr;
    pcre2_match_context* context = nullptr;
    pcre2_jit_stack* stack = nullptr;

    Regex() = default;
    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;
    ~Regex() {
        pcre2_jit_stack_free(stack);
        pcre2_match_context_free(context);
        pcre2_match_data_free(data);
        pcre2_code_free(code);
    }
};

TSynSearch::TSynSearch() : wordChars_(DefaultWordChars()) {}
TSynSearch::~TSynSearch() = default;
TSynSearch::TSynSearch(TSynSearch&&) noexcept = default;
TSynSearch& TSynSearch::operator=(TSynSearch&&) noexcept = default;

std::optional<TSynSearchError> TSynSearch::SetPattern(std::string_view Pattern,
                                                      const TSynSearchOptions& Options) {
    pattern_.assign(Pattern);
    options_ = Options;
    patternError_.reset();
    regex_.reset();
    folded_.clear();
    if (Pattern.empty()) return {};
    if (!Options.RegularExpression) {
        if (!Options.MatchCase)
            for (char c : Pattern)
                folded_ += LowerCaseChar(c);
        return {};
    }
    auto regex = std::make_unique<Regex>();
    int code = 0;
    PCRE2_SIZE offset = 0;
    regex->code = pcre2_compile(Bytes(Pattern), Pattern.size(),
                                Options.MatchCase ? 0 : PCRE2_CASELESS, &code, &offset, nullptr);
    if (!regex->code) {
        patternError_ = TSynSearchError{ErrorMessage(code), static_cast<int>(offset)};
        return patternError_;
    }
    // Without the JIT (a platform that lacks it) the interpreter matches.
    pcre2_jit_compile(regex->code, PCRE2_JIT_COMPLETE);
    regex->data = pcre2_match_data_create_from_pattern(regex->code, nullptr);
    regex->context = pcre2_match_context_create(nullptr);
    regex->stack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
    if (!regex->data || !regex->context || !regex->stack) throw std::bad_alloc();
    pcre2_set_match_limit(regex->context, kMatchLimit);
    pcre2_set_heap_limit(regex->context, kHeapLimitKiB);
    pcre2_jit_stack_assign(regex->context, nullptr, regex->stack);
    regex_ = std::move(regex);
    return {};
}

bool TSynSearch::Active() const {
    return !pattern_.empty() && (!options_.RegularExpression || regex_);
}

// --- One line ------------------------------------------------------------------------------

TSynSearch::Status TSynSearch::MatchFrom(std::string_view Line, int Pos, bool NotEmptyAtPos,
                                         int& Start, int& End,
                                         std::optional<TSynSearchError>& Error) {
    if (!regex_) {
        const std::size_t at = static_cast<std::size_t>(Pos);
        std::size_t found = std::string_view::npos;
        if (options_.MatchCase) {
            found = Line.find(pattern_, at);
        } else {
            const std::size_t m = folded_.size();
            for (std::size_t i = at; i + m <= Line.size(); ++i) {
                if (LowerCaseChar(Line[i]) != folded_[0]) continue;
                std::size_t k = 1;
                while (k < m && LowerCaseChar(Line[i + k]) == folded_[k])
                    ++k;
                if (k == m) {
                    found = i;
                    break;
                }
            }
        }
        if (found == std::string_view::npos) return Status::None;
        Start = static_cast<int>(found);
        End = Start + Length(pattern_);
        return Status::Found;
    }
    const int rc =
        pcre2_match(regex_->code, Bytes(Line), Line.size(), static_cast<PCRE2_SIZE>(Pos),
                    NotEmptyAtPos ? PCRE2_NOTEMPTY_ATSTART : 0, regex_->data, regex_->context);
    if (rc == PCRE2_ERROR_NOMATCH) return Status::None;
    if (rc < 0) {
        Error = TSynSearchError{ErrorMessage(rc), -1};
        return Status::Failed;
    }
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(regex_->data);
    Start = static_cast<int>(ovector[0]);
    // \K in a lookahead can report an end before the start.
    End = std::max(Start, static_cast<int>(ovector[1]));
    return Status::Found;
}

bool TSynSearch::WholeWordAt(std::string_view Line, int Start, int End) const {
    auto word = [&](int i) { return wordChars_.Contains(Line[static_cast<std::size_t>(i)]); };
    // An edge of the match that is no word character needs no boundary.
    const bool startFree = Start == 0 || !word(Start - 1) || (Start < End && !word(Start));
    const bool endFree = End == Length(Line) || !word(End) || (Start < End && !word(End - 1));
    return startFree && endFree;
}

TSynSearch::Status TSynSearch::FindInLine(std::string_view Line, int From, int NotEmptyAt,
                                          int& Start, int& End,
                                          std::optional<TSynSearchError>& Error) {
    for (int pos = From; pos <= Length(Line);) {
        const Status status = MatchFrom(Line, pos, pos == NotEmptyAt, Start, End, Error);
        if (status != Status::Found) return status;
        if (!options_.WholeWord || WholeWordAt(Line, Start, End)) return Status::Found;
        pos = Start + 1;
    }
    return Status::None;
}

template <class F>
TSynSearch::Status TSynSearch::EachMatch(std::string_view Line, int From,
                                         std::optional<TSynSearchError>& Error, F&& Visit) {
    int notEmptyAt = -1;
    for (int pos = From; pos <= Length(Line);) {
        int start = 0, end = 0;
        const Status status = FindInLine(Line, pos, notEmptyAt, start, end, Error);
        if (status != Status::Found) return status;
        if (!Visit(start, end)) return Status::None;
        // The next match starts at the end of this one, but is not empty there.
        pos = notEmptyAt = end;
    }
    return Status::None;
}

TSynSearch::Status TSynSearch::LastMatchIn(std::string_view Line, int Low, int High, int& Start,
                                           int& End, std::optional<TSynSearchError>& Error) {
    bool found = false;
    const Status status = EachMatch(Line, 0, Error, [&](int s, int e) {
        if (s >= High) return false;
        if (s >= Low) {
            Start = s;
            End = e;
            found = true;
        }
        return true;
    });
    if (status == Status::Failed) return status;
    return found ? Status::Found : Status::None;
}

bool TSynSearch::IsMatch(std::string_view Line, int Start, int End) {
    if (!Active() || Start < 0 || Start > Length(Line)) return false;
    std::optional<TSynSearchError> error;
    int start = 0, end = 0;
    return FindInLine(Line, Start, -1, start, end, error) == Status::Found && start == Start &&
           end == End;
}

std::optional<std::string> TSynSearch::Expand(std::string_view Line, int Start, int End,
                                              std::string_view Replacement,
                                              std::optional<TSynSearchError>& Error) {
    if (!IsMatch(Line, Start, End)) return std::nullopt;
    if (!regex_) return std::string(Replacement);
    return Substitute(Line, Replacement, Error);
}

std::optional<std::string> TSynSearch::Substitute(std::string_view Line,
                                                  std::string_view Replacement,
                                                  std::optional<TSynSearchError>& Error) {
    constexpr std::uint32_t options = PCRE2_SUBSTITUTE_MATCHED | PCRE2_SUBSTITUTE_REPLACEMENT_ONLY |
                                      PCRE2_SUBSTITUTE_UNSET_EMPTY |
                                      PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;
    std::string out(Replacement.size() + 64, '\0');
    // A second round, with the size the first one asked for, always fits.
    for (int round = 0; round < 2; ++round) {
        PCRE2_SIZE size = out.size();
        const int rc =
            pcre2_substitute(regex_->code, Bytes(Line), Line.size(), 0, options, regex_->data,
                             regex_->context, Bytes(Replacement), Replacement.size(),
                             reinterpret_cast<PCRE2_UCHAR*>(out.data()), &size);
        if (rc >= 0) {
            out.resize(size);
            return out;
        }
        if (rc == PCRE2_ERROR_NOMEMORY && round == 0) {
            out.resize(size);
            continue;
        }
        const bool inReplacement = size != PCRE2_UNSET && size <= Replacement.size();
        Error = TSynSearchError{ErrorMessage(rc), inReplacement ? static_cast<int>(size) : -1};
        break;
    }
    return std::nullopt;
}

TSynLineReplace TSynSearch::ReplaceInLine(std::string_view Line, int From, int To,
                                          std::string_view Replacement) {
    TSynLineReplace result;
    if (!Active()) return result;
    std::string text;
    std::size_t copied = 0; // the part of Line already in text
    bool failed = false;
    const Status status = EachMatch(Line, std::max(From, 0), result.Error, [&](int s, int e) {
        if (s > To) return false;
        if (e > To) return true; // reaches past the span, and so does every later one
        std::optional<std::string> with(Replacement);
        if (regex_) with = Substitute(Line, Replacement, result.Error);
        if (!with) {
            failed = true;
            return false;
        }
        text.append(Line.substr(copied, static_cast<std::size_t>(s) - copied));
        text += *with;
        copied = static_cast<std::size_t>(e);
        ++result.Count;
        return true;
    });
    if (failed || status == Status::Failed) {
        result.Count = 0;
        return result;
    }
    if (result.Count > 0) {
        text.append(Line.substr(copied));
        result.Text = std::move(text);
    }
    return result;
}

// --- The text ------------------------------------------------------------------------------

TSynSearchResult TSynSearch::FindNext(const TSynEditStringList& Lines, TBufferCoord From,
                                      bool Wrap) {
    TSynSearchResult result;
    const int count = Lines.Count();
    if (!Active() || count == 0) return result;
    const int y0 = std::clamp(From.Y, 1, count);
    const int length0 = Length(Lines.GetView(y0 - 1));
    const int from = From.Y > count ? length0 : From.Y < 1 ? 0 : std::clamp(From.X - 1, 0, length0);
    int start = 0, end = 0;
    auto take = [&](int Y) {
        result.Found = true;
        result.Match = {{start + 1, Y}, {end + 1, Y}};
        return result;
    };
    for (int y = y0; y <= count; ++y) {
        const Status status =
            y == y0 ? FindInLine(Lines.GetView(y - 1), from, from, start, end, result.Error)
                    : FindInLine(Lines.GetView(y - 1), 0, -1, start, end, result.Error);
        if (status == Status::Failed) return result;
        if (status == Status::Found) return take(y);
    }
    if (!Wrap) return result;
    for (int y = 1; y <= y0; ++y) {
        const Status status = FindInLine(Lines.GetView(y - 1), 0, -1, start, end, result.Error);
        if (status == Status::Failed) return result;
        if (status != Status::Found) continue;
        if (y == y0 && start > from) break;
        result.Wrapped = true;
        return take(y);
    }
    return result;
}

TSynSearchResult TSynSearch::FindPrevious(const TSynEditStringList& Lines, TBufferCoord From,
                                          bool Wrap) {
    TSynSearchResult result;
    const int count = Lines.Count();
    if (!Active() || count == 0) return result;
    const int y0 = std::clamp(From.Y, 1, count);
    const int length0 = Length(Lines.GetView(y0 - 1));
    const int from = From.Y > count ? length0 + 1
                     : From.Y < 1   ? 0
                                    : std::clamp(From.X - 1, 0, length0 + 1);
    int start = 0, end = 0;
    auto search = [&](int Y, int Low, int High) {
        const Status status =
            LastMatchIn(Lines.GetView(Y - 1), Low, High, start, end, result.Error);
        if (status == Status::Found) {
            result.Found = true;
            result.Match = {{start + 1, Y}, {end + 1, Y}};
        }
        return status != Status::None;
    };
    if (search(y0, 0, from)) return result;
    for (int y = y0 - 1; y >= 1; --y)
        if (search(y, 0, INT_MAX)) return result;
    if (!Wrap) return result;
    for (int y = count; y >= y0; --y) {
        if (search(y, y == y0 ? from : 0, INT_MAX)) {
            result.Wrapped = result.Found;
            return result;
        }
    }
    return result;
}

std::vector<TSynSearchMatch> TSynSearch::FindAll(const TSynEditStringList& Lines, int FirstLine,
                                                 int LastLine) {
    std::vector<TSynSearchMatch> matches;
    FindAll(Lines, FirstLine, LastLine, matches);
    return matches;
}

void TSynSearch::FindAll(const TSynEditStringList& Lines, int FirstLine, int LastLine,
                         std::vector<TSynSearchMatch>& Matches) {
    Matches.clear();
    if (!Active()) return;
    const int first = std::max(std::min(FirstLine, LastLine), 1);
    const int last = std::min(std::max(FirstLine, LastLine), Lines.Count());
    std::optional<TSynSearchError> error;
    for (int y = first; y <= last; ++y) {
        const Status status = EachMatch(Lines.GetView(y - 1), 0, error, [&](int s, int e) {
            Matches.push_back({{s + 1, y}, {e + 1, y}});
            return true;
        });
        if (status == Status::Failed) break;
    }
}

} // namespace marlinet::editor
