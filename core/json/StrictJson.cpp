#include "core/json/StrictJson.h"

#include <charconv>
#include <cmath>

#include "core/DecimalText.h"

namespace mnemex::json {

namespace {

constexpr int kMaxDepth = 64;

struct Failure {
    std::string What;
};

class Parser {
  public:
    explicit Parser(const std::string& text) : text_(text) {}

    Value Document() {
        SkipBlanks();
        Value v = Any(0);
        SkipBlanks();
        if (at_ != text_.size())
            Fail("text after the end of the document");
        return v;
    }
    int Line() const {
        int line = 1;
        for (std::size_t k = 0; k < at_ && k < text_.size(); ++k)
            line += text_[k] == '\n';
        return line;
    }

  private:
    [[noreturn]] void Fail(const std::string& what) { throw Failure{what}; }
    bool AtEnd() const { return at_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[at_]; }
    void SkipBlanks() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            ++at_;
    }
    void Expect(char c, const char* what) {
        SkipBlanks();
        if (AtEnd())
            Fail("the text ends early");
        if (Peek() != c)
            Fail(std::string("expected ") + what);
        ++at_;
    }
    void Word(const char* word) {
        for (const char* w = word; *w; ++w, ++at_)
            if (AtEnd() || Peek() != *w)
                Fail(AtEnd() ? "the text ends early" : "unknown word");
    }

    // `depth` counts the lists and objects around the value; the outermost one is at 0.
    Value Any(int depth) {
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
                return v;
            case 't':
                Word("true");
                v.Type = Value::Kind::kBool;
                v.Bool = true;
                return v;
            case 'f':
                Word("false");
                v.Type = Value::Kind::kBool;
                return v;
            case 'n':
                Word("null");
                return v;
            default:
                return Number();
        }
    }

    Value Object(int depth) {
        if (depth >= kMaxDepth)
            Fail("nested too deeply");
        Value v;
        v.Type = Value::Kind::kObject;
        ++at_;
        SkipBlanks();
        if (Peek() == '}') {
            ++at_;
            return v;
        }
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail("the text ends early");
            if (Peek() != '"')
                Fail("expected a member name");
            std::string name = String();
            Expect(':', "':'");
            Value member = Any(depth + 1);
            if (!v.Members.emplace(name, std::move(member)).second)
                Fail("member \"" + name + "\" appears twice");
            SkipBlanks();
            if (AtEnd())
                Fail("the text ends early");
            if (Peek() == '}') {
                ++at_;
                return v;
            }
            Expect(',', "',' or '}'");
        }
    }

    Value Array(int depth) {
        if (depth >= kMaxDepth)
            Fail("nested too deeply");
        Value v;
        v.Type = Value::Kind::kArray;
        ++at_;
        SkipBlanks();
        if (Peek() == ']') {
            ++at_;
            return v;
        }
        for (;;) {
            v.Items.push_back(Any(depth + 1));
            SkipBlanks();
            if (AtEnd())
                Fail("the text ends early");
            if (Peek() == ']') {
                ++at_;
                return v;
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
        for (int k = 0; k < 4; ++k, ++at_) {
            const int d = AtEnd() ? -1 : HexDigit(Peek());
            if (d < 0)
                Fail("bad \\u escape");
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

    std::string String() {
        ++at_;  // the opening quote
        std::string out;
        for (;;) {
            if (AtEnd())
                Fail("the text ends early");
            const char c = text_[at_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("a control character inside a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (AtEnd())
                Fail("the text ends early");
            const char e = text_[at_++];
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
                        if (text_.compare(at_, 2, "\\u") != 0)
                            Fail("bad \\u escape");
                        at_ += 2;
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
        }
    }

    bool Digits() {
        const std::size_t start = at_;
        while (!AtEnd() && Peek() >= '0' && Peek() <= '9')
            ++at_;
        return at_ > start;
    }

    Value Number() {
        const std::size_t start = at_;
        if (Peek() == '-')
            ++at_;
        if (Peek() == '0') {
            ++at_;
        } else if (!Digits()) {
            Fail(AtEnd() ? "the text ends early" : "expected a value");
        }
        if (Peek() == '.') {
            ++at_;
            if (!Digits())
                Fail("a number without digits after its point");
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++at_;
            if (Peek() == '+' || Peek() == '-')
                ++at_;
            if (!Digits())
                Fail("a number without digits in its exponent");
        }
        Value v;
        v.Type = Value::Kind::kNumber;
        v.Text = text_.substr(start, at_ - start);
        return v;
    }

    const std::string& text_;
    std::size_t at_ = 0;
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
    Parser parser(text);
    try {
        return parser.Document();
    } catch (const Failure& f) {
        problem.What = f.What;
        problem.Line = parser.Line();
        return std::nullopt;
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
