#include "core/json/StrictJson.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <set>

#include "core/DecimalText.h"

namespace mnemex::json {

namespace {

constexpr int kMaxDepth = 64;
// What a kept member name costs beyond its bytes: the set's node and the string itself.
constexpr std::size_t kNameOverhead = 64;

struct Failure {
    std::string What;
};
struct SourceFailure {
    int Error;
};
struct Stopped {};

// The whole text as one piece.
class TextSource : public ByteSource {
  public:
    explicit TextSource(const std::string& text) : text_(text) {}
    long long Read(char* to, std::size_t most, int& /*error*/) override {
        const std::size_t n = std::min(most, text_.size() - at_);
        std::memcpy(to, text_.data() + at_, n);
        at_ += n;
        return static_cast<long long>(n);
    }

  private:
    const std::string& text_;
    std::size_t at_ = 0;
};

class Parser {
  public:
    Parser(ByteSource& source, Events& events, const StreamLimits& limits)
        : source_(source), events_(events), limits_(limits) {}

    void Document() {
        SkipBlanks();
        Any(0);
        SkipBlanks();
        if (!AtEnd())
            Fail("text after the end of the document");
    }
    int Line() const { return line_; }

  private:
    [[noreturn]] void Fail(const std::string& what) { throw Failure{what}; }

    // The next piece of the source, once the current one is used up.
    bool Fill() {
        if (ended_)
            return false;
        int error = 0;
        const long long got = source_.Read(buffer_.data(), buffer_.size(), error);
        if (got < 0)
            throw SourceFailure{error};
        if (got == 0) {
            ended_ = true;
            return false;
        }
        at_ = 0;
        size_ = static_cast<std::size_t>(got);
        return true;
    }
    bool AtEnd() { return at_ >= size_ && !Fill(); }
    char Peek() { return AtEnd() ? '\0' : buffer_[at_]; }
    // The next character, which must be there.
    char Take() {
        const char c = buffer_[at_++];
        line_ += c == '\n';
        return c;
    }
    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            Take();
    }
    void Expect(char c, const char* what) {
        SkipBlanks();
        if (AtEnd())
            Fail("the text ends early");
        if (Peek() != c)
            Fail(std::string("expected ") + what);
        Take();
    }
    void Word(const char* word) {
        for (const char* w = word; *w; ++w) {
            if (AtEnd() || Peek() != *w)
                Fail(AtEnd() ? "the text ends early" : "unknown word");
            Take();
        }
    }
    void Check() {
        if (events_.Done())
            throw Stopped{};
    }
    void Scalar(Value&& v, int depth) {
        events_.Scalar(std::move(v), depth);
        Check();
    }

    // `depth` counts the lists and objects around the value; the outermost one is at 0.
    void Any(int depth) {
        SkipBlanks();
        if (AtEnd())
            Fail("the text ends early");
        Value v;
        switch (Peek()) {
            case '{':
                return Object(depth);
            case '[':
                return Array(depth);
            case '"':
                v.Type = Value::Kind::kString;
                v.Text = String();
                return Scalar(std::move(v), depth);
            case 't':
                Word("true");
                v.Type = Value::Kind::kBool;
                v.Bool = true;
                return Scalar(std::move(v), depth);
            case 'f':
                Word("false");
                v.Type = Value::Kind::kBool;
                return Scalar(std::move(v), depth);
            case 'n':
                Word("null");
                return Scalar(std::move(v), depth);
            default:
                return Scalar(Number(), depth);
        }
    }

    // Keeps `name` among the names of the object being read; false when it is there already.
    bool KeepName(std::set<std::string>& names, const std::string& name) {
        if (names.count(name) != 0)
            return false;
        const std::size_t cost = name.size() + kNameOverhead;
        if (cost > limits_.NameBytes - nameBytes_)
            Fail("more member names than the reader keeps");
        nameBytes_ += cost;
        names.insert(name);
        return true;
    }
    void ForgetNames(const std::set<std::string>& names) {
        for (const std::string& name : names)
            nameBytes_ -= name.size() + kNameOverhead;
    }

    void Object(int depth) {
        if (depth >= kMaxDepth)
            Fail("nested too deeply");
        Take();
        events_.BeginObject(depth);
        Check();
        SkipBlanks();
        if (Peek() == '}') {
            Take();
            events_.EndObject(depth);
            return Check();
        }
        std::set<std::string> names;
        struct Forget {
            Parser& p;
            std::set<std::string>& n;
            ~Forget() { p.ForgetNames(n); }
        } forget{*this, names};
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail("the text ends early");
            if (Peek() != '"')
                Fail("expected a member name");
            std::string name = String();
            Expect(':', "':'");
            events_.MemberName(name, depth);
            Check();
            // The same order of checks as a tree would give: the value first, then the name.
            Any(depth + 1);
            if (!KeepName(names, name))
                Fail("member \"" + name + "\" appears twice");
            SkipBlanks();
            if (AtEnd())
                Fail("the text ends early");
            if (Peek() == '}') {
                Take();
                events_.EndObject(depth);
                return Check();
            }
            Expect(',', "',' or '}'");
        }
    }

    void Array(int depth) {
        if (depth >= kMaxDepth)
            Fail("nested too deeply");
        Take();
        events_.BeginArray(depth);
        Check();
        SkipBlanks();
        if (Peek() == ']') {
            Take();
            events_.EndArray(depth);
            return Check();
        }
        for (;;) {
            Any(depth + 1);
            SkipBlanks();
            if (AtEnd())
                Fail("the text ends early");
            if (Peek() == ']') {
                Take();
                events_.EndArray(depth);
                return Check();
            }
            Expect(',', "',' or ']'");
        }
    }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }
    unsigned Hex4() {
        unsigned code = 0;
        for (int k = 0; k < 4; ++k) {
            const int d = AtEnd() ? -1 : HexDigit(Peek());
            if (d < 0)
                Fail("bad \\u escape");
            Take();
            code = code * 16 + static_cast<unsigned>(d);
        }
        return code;
    }
    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    void KeepText(const std::string& text) {
        if (text.size() > limits_.TextBytes)
            Fail("a text or number longer than " + std::to_string(limits_.TextBytes) + " bytes");
    }

    std::string String() {
        Take();  // the opening quote
        std::string out;
        for (;;) {
            if (AtEnd())
                Fail("the text ends early");
            const char c = Take();
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("a control character inside a string");
            if (c != '\\') {
                out += c;
                KeepText(out);
                continue;
            }
            if (AtEnd())
                Fail("the text ends early");
            const char e = Take();
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    unsigned code = Hex4();
                    if (code >= 0xD800 && code < 0xDC00) {
                        if (Peek() != '\\')
                            Fail("bad \\u escape");
                        Take();
                        if (Peek() != 'u')
                            Fail("bad \\u escape");
                        Take();
                        const unsigned low = Hex4();
                        if (low < 0xDC00 || low >= 0xE000)
                            Fail("bad \\u escape");
                        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    } else if (code >= 0xDC00 && code < 0xE000) {
                        Fail("bad \\u escape");
                    }
                    AppendUtf8(out, code);
                    break;
                }
                default:
                    Fail("bad escape in a string");
            }
            KeepText(out);
        }
    }

    bool Digits(std::string& text) {
        const std::size_t start = text.size();
        while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
            text += Take();
            KeepText(text);
        }
        return text.size() > start;
    }

    Value Number() {
        Value v;
        v.Type = Value::Kind::kNumber;
        std::string& text = v.Text;
        if (Peek() == '-')
            text += Take();
        if (Peek() == '0') {
            text += Take();
        } else if (!Digits(text)) {
            Fail(AtEnd() ? "the text ends early" : "expected a value");
        }
        if (Peek() == '.') {
            text += Take();
            if (!Digits(text))
                Fail("a number without digits after its point");
        }
        if (Peek() == 'e' || Peek() == 'E') {
            text += Take();
            if (Peek() == '+' || Peek() == '-')
                text += Take();
            if (!Digits(text))
                Fail("a number without digits in its exponent");
        }
        KeepText(text);
        return v;
    }

    ByteSource& source_;
    Events& events_;
    const StreamLimits limits_;
    std::array<char, 1 << 16> buffer_{};
    std::size_t at_ = 0, size_ = 0;
    bool ended_ = false;
    int line_ = 1;
    std::size_t nameBytes_ = 0;
};

// Events that build the whole document.
class TreeBuilder : public Events {
  public:
    void BeginObject(int) override { Open(Value::Kind::kObject); }
    void BeginArray(int) override { Open(Value::Kind::kArray); }
    void MemberName(const std::string& name, int) override { names_.push_back(name); }
    void EndObject(int) override { Close(); }
    void EndArray(int) override { Close(); }
    void Scalar(Value&& v, int) override { Place(std::move(v)); }
    Value Take() { return std::move(root_); }

  private:
    void Open(Value::Kind kind) {
        open_.emplace_back();
        open_.back().Type = kind;
    }
    void Close() {
        Value v = std::move(open_.back());
        open_.pop_back();
        Place(std::move(v));
    }
    void Place(Value&& v) {
        if (open_.empty()) {
            root_ = std::move(v);
        } else if (open_.back().Type == Value::Kind::kArray) {
            open_.back().Items.push_back(std::move(v));
        } else {
            open_.back().Members.emplace(std::move(names_.back()), std::move(v));
            names_.pop_back();
        }
    }
    std::vector<Value> open_;
    std::vector<std::string> names_;
    Value root_;
};

template <typename T>
std::optional<T> WholeNumber(const Value& number) {
    if (number.Type != Value::Kind::kNumber ||
        number.Text.find_first_of(".eE") != std::string::npos)
        return std::nullopt;
    T value{};
    const char* end = number.Text.data() + number.Text.size();
    const auto r = std::from_chars(number.Text.data(), end, value);
    if (r.ec != std::errc() || r.ptr != end)
        return std::nullopt;
    return value;
}

}  // namespace

const Value* Value::Find(const std::string& name) const {
    const auto it = Members.find(name);
    return it == Members.end() ? nullptr : &it->second;
}

std::optional<Value> Parse(const std::string& text, ParseProblem& problem) {
    TextSource source(text);
    TreeBuilder tree;
    int error = 0;
    if (ParseStream(source, tree, problem, error) != StreamResult::kParsed)
        return std::nullopt;
    return tree.Take();
}

StreamResult ParseStream(ByteSource& source, Events& events, ParseProblem& problem, int& error,
                         const StreamLimits& limits) {
    auto parser = std::make_unique<Parser>(source, events, limits);
    try {
        parser->Document();
        return StreamResult::kParsed;
    } catch (const Failure& f) {
        problem.What = f.What;
        problem.Line = parser->Line();
        return StreamResult::kDamaged;
    } catch (const SourceFailure& f) {
        error = f.Error;
        return StreamResult::kUnreadable;
    } catch (const Stopped&) {
        return StreamResult::kStopped;
    }
}

std::optional<double> ToDouble(const Value& number) {
    if (number.Type != Value::Kind::kNumber)
        return std::nullopt;
    double value = 0.0;
    if (ReadDecimal(number.Text, value) != DecimalResult::kOk || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> ToInt64(const Value& number) {
    return WholeNumber<std::int64_t>(number);
}

std::optional<std::uint64_t> ToUInt64(const Value& number) {
    return WholeNumber<std::uint64_t>(number);
}

}  // namespace mnemex::json
