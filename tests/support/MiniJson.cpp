#include "tests/support/MiniJson.h"

#include <charconv>
#include <stdexcept>

namespace mnemex::testsupport {

namespace {

class Reader {
  public:
    explicit Reader(const std::string& text) : text_(text) {}

    JsonValue Document() {
        JsonValue value = Value();
        Blanks();
        if (at_ != text_.size())
            Fail("text after the value");
        return value;
    }

  private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error(what + " at offset " + std::to_string(at_));
    }
    void Blanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' ||
                                      text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }
    bool Take(char c) {
        Blanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    void Expect(char c) {
        if (!Take(c))
            Fail(std::string("expected '") + c + "'");
    }
    bool Word(const char* word) {
        const std::string w(word);
        if (text_.compare(at_, w.size(), w) != 0)
            return false;
        at_ += w.size();
        return true;
    }

    JsonValue Value() {
        Blanks();
        if (at_ >= text_.size())
            Fail("missing value");
        JsonValue v;
        const char c = text_[at_];
        if (c == '{') {
            v.Type = JsonValue::Kind::kObject;
            ++at_;
            if (Take('}'))
                return v;
            do {
                Blanks();
                const std::string key = String();
                Expect(':');
                v.Members[key] = Value();
            } while (Take(','));
            Expect('}');
        } else if (c == '[') {
            v.Type = JsonValue::Kind::kArray;
            ++at_;
            if (Take(']'))
                return v;
            do
                v.Items.push_back(Value());
            while (Take(','));
            Expect(']');
        } else if (c == '"') {
            v.Type = JsonValue::Kind::kString;
            v.Text = String();
        } else if (Word("true")) {
            v.Type = JsonValue::Kind::kBool;
            v.Bool = true;
        } else if (Word("false")) {
            v.Type = JsonValue::Kind::kBool;
        } else if (Word("null")) {
        } else {
            v.Type = JsonValue::Kind::kNumber;
            const auto r =
                std::from_chars(text_.data() + at_, text_.data() + text_.size(), v.Number);
            if (r.ec != std::errc())
                Fail("bad number");
            at_ = static_cast<std::size_t>(r.ptr - text_.data());
        }
        return v;
    }

    std::string String() {
        if (at_ >= text_.size() || text_[at_] != '"')
            Fail("expected a string");
        ++at_;
        std::string out;
        while (at_ < text_.size() && text_[at_] != '"') {
            char c = text_[at_++];
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size())
                Fail("unfinished escape");
            const char e = text_[at_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
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
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'u': {
                    unsigned code = 0;
                    const auto r =
                        std::from_chars(text_.data() + at_, text_.data() + at_ + 4, code, 16);
                    if (r.ec != std::errc() || r.ptr != text_.data() + at_ + 4)
                        Fail("bad \\u escape");
                    at_ += 4;
                    if (code >= 0x80)
                        Fail("only \\u escapes below 0x80 are read here");
                    out += static_cast<char>(code);
                    break;
                }
                default:
                    Fail("unknown escape");
            }
        }
        if (at_ >= text_.size())
            Fail("unfinished string");
        ++at_;
        return out;
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<JsonValue> ParseJson(const std::string& text, std::string* problem) {
    try {
        return Reader(text).Document();
    } catch (const std::runtime_error& e) {
        if (problem != nullptr)
            *problem = e.what();
        return std::nullopt;
    }
}

}  // namespace mnemex::testsupport
