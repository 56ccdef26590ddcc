#include "settings_file/key_depth.h"

namespace settings {
namespace {

bool isBare(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// Scans the text once, counting runs of parts joined by dots: bare words and
// quoted strings. Only keys form such runs in valid TOML; a number such as
// 1.5 makes a run of two, far below any limit.
class Scanner {
public:
    Scanner(std::string_view text, std::size_t most) : text_(text), most_(most) {}

    std::optional<DeepKey> run()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (isBare(c)) {
                while (pos_ < text_.size() && isBare(text_[pos_])) ++pos_;
                if (part()) return found_;
            } else if (c == '"' || c == '\'') {
                skipString(c);
                if (part()) return found_;
            } else if (c == '.') {
                joined_ = afterPart_;
                afterPart_ = false;
                ++pos_;
            } else if (c == ' ' || c == '\t') {
                ++pos_;
            } else {
                if (c == '#') {
                    while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
                    continue;
                }
                if (c == '\n') ++line_;
                parts_ = 0;
                joined_ = afterPart_ = false;
                ++pos_;
            }
        }
        return std::nullopt;
    }

private:
    // One part has ended; true when its run has grown too deep.
    bool part()
    {
        if (joined_) {
            ++parts_;
        } else {
            parts_ = 1;
            startLine_ = line_;
        }
        joined_ = false;
        afterPart_ = true;
        if (parts_ <= most_) return false;
        found_ = DeepKey{startLine_, parts_};
        return true;
    }

    bool at(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

    // From the opening quote to past the closing one (or the end of the line
    // or text when there is none; the parser reports that).
    void skipString(char quote)
    {
        const std::string_view three = quote == '"' ? "\"\"\"" : "'''";
        const bool multiLine = at(three);
        pos_ += multiLine ? 3 : 1;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (multiLine && at(three)) {
                pos_ += 3;
                // Up to two quotes more belong to the text: """a""""" is a"".
                for (int extra = 0; extra < 2 && pos_ < text_.size() && text_[pos_] == quote; ++extra) ++pos_;
                return;
            }
            if (!multiLine && c == quote) {
                ++pos_;
                return;
            }
            if (c == '\n') {
                if (!multiLine) return;
                ++line_;
            }
            // An escape in a basic string: the next character is not its end.
            if (quote == '"' && c == '\\' && pos_ + 1 < text_.size()) {
                if (text_[pos_ + 1] == '\n') ++line_;
                pos_ += 2;
                continue;
            }
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t most_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int startLine_ = 1;
    std::size_t parts_ = 0;
    bool joined_ = false;     // a dot follows the last part
    bool afterPart_ = false;  // the last token was a part
    DeepKey found_;
};

}  // namespace

std::optional<DeepKey> findDeepKey(std::string_view text, std::size_t most)
{
    return Scanner(text, most).run();
}

}  // namespace settings
