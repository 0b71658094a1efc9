#include "skinui/MarkupParser.h"

namespace SkinUI {
namespace {

bool IsNameChar(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
           c == L'_' || c == L':';
}

bool IsWhitespace(wchar_t c) {
    return c != 0 && c <= L' ';
}

struct Entity {
    std::wstring_view written;  // after the ampersand, with the semicolon
    wchar_t character;
};
constexpr Entity kEntities[] = {
    {L"amp;", L'&'}, {L"lt;", L'<'}, {L"gt;", L'>'}, {L"quot;", L'"'}, {L"apos;", L'\''}};

}  // namespace

CMarkupParser::CMarkupParser(CMarkupDoc& doc, std::wstring_view text) : doc_(doc), text_(text) {
    // A zero character ends the text, as it ends the buffer it came in.
    size_t end = text_.find(L'\0');
    if (end != std::wstring_view::npos) text_ = text_.substr(0, end);
}

wchar_t CMarkupParser::Peek(size_t ahead) const {
    return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : L'\0';
}

void CMarkupParser::SkipWhitespace() {
    while (IsWhitespace(Peek())) ++pos_;
}

std::wstring_view CMarkupParser::ReadName() {
    size_t begin = pos_;
    while (IsNameChar(Peek())) ++pos_;
    return text_.substr(begin, pos_ - begin);
}

bool CMarkupParser::Fail(std::wstring_view message) {
    doc_.SetError(message, text_.substr(std::min(pos_, text_.size()), 49));
    return false;
}

uint32_t CMarkupParser::NewElement(uint32_t parent, uint32_t& previous) {
    if (doc_.count_ == doc_.elements_.size()) {
        size_t capacity = doc_.elements_.size();
        doc_.elements_.resize(capacity + capacity / 2 + 500);
    }
    auto index = static_cast<uint32_t>(doc_.count_++);
    doc_.elements_[index] = {0, 0, 0, parent, 0};
    if (previous) {
        doc_.elements_[previous].next = index;
    } else if (parent) {
        doc_.elements_[parent].child = index;
    }
    previous = index;
    return index;
}

uint32_t CMarkupParser::AppendToPool(std::wstring_view text) {
    auto offset = static_cast<uint32_t>(doc_.pool_.size());
    doc_.pool_.insert(doc_.pool_.end(), text.begin(), text.end());
    doc_.pool_.push_back(L'\0');
    return offset;
}

// Decodes the five predefined entities (any other ampersand stays as written)
// and, without preserve-whitespace, collapses runs of whitespace.
uint32_t CMarkupParser::AppendDecoded(size_t begin, size_t end) {
    auto offset = static_cast<uint32_t>(doc_.pool_.size());
    std::wstring_view run = text_.substr(begin, end - begin);
    for (size_t i = 0; i < run.size(); ++i) {
        wchar_t c = run[i];
        if (c == L'&') {
            for (const Entity& entity : kEntities) {
                if (run.substr(i + 1, entity.written.size()) == entity.written) {
                    c = entity.character;
                    i += entity.written.size();
                    break;
                }
            }
        } else if (!doc_.preserveWhitespace_ && IsWhitespace(c)) {
            while (i + 1 < run.size() && IsWhitespace(run[i + 1])) ++i;
            c = L' ';
        }
        doc_.pool_.push_back(c);
    }
    doc_.pool_.push_back(L'\0');
    return offset;
}

// "<!" runs to the next "->", "<?" to the next "?>": comments, declarations.
void CMarkupParser::SkipConstruct() {
    std::wstring_view end = Peek(1) == L'!' ? L"->" : L"?>";
    size_t found = text_.find(end, pos_ + 2);
    pos_ = found == std::wstring_view::npos ? text_.size() : found + 2;
}

bool CMarkupParser::Run() {
    doc_.count_ = 0;
    doc_.elements_.clear();
    doc_.pool_.assign(1, L'\0');  // offset 0 is the empty string
    doc_.error_.clear();
    doc_.location_.clear();
    uint32_t reserved = 0;
    NewElement(0, reserved);
    uint32_t previous = 0;
    for (;;) {
        SkipWhitespace();
        if (pos_ >= text_.size()) return true;
        if (Peek() != L'<') return Fail(L"Expected start tag");
        if (Peek(1) == L'!' || Peek(1) == L'?') {
            SkipConstruct();
            continue;
        }
        if (Peek(1) == L'/') return Fail(L"Unmatched closing tag");
        if (!ParseElement(0, previous, 1)) return false;
    }
}

bool CMarkupParser::ParseElement(uint32_t parent, uint32_t& previous, int depth) {
    if (depth > CMarkupDoc::kMaxDepth) return Fail(L"Elements nested too deeply");
    ++pos_;  // "<"
    std::wstring_view name = ReadName();
    if (name.empty()) return Fail(L"Error parsing element name");
    uint32_t element = NewElement(parent, previous);
    doc_.elements_[element].name = AppendToPool(name);
    bool empty = false;
    if (!ParseAttributes(empty)) return false;
    if (empty) return true;
    return ParseContent(element, name, depth);
}

bool CMarkupParser::ParseAttributes(bool& empty) {
    for (;;) {
        SkipWhitespace();
        if (Peek() == L'/') {
            if (Peek(1) != L'>') return Fail(L"Expected start-tag closing");
            pos_ += 2;
            empty = true;
            break;
        }
        if (Peek() == L'>') {
            ++pos_;
            break;
        }
        if (Peek() == L'\0') return Fail(L"Expected start-tag closing");
        std::wstring_view name = ReadName();
        SkipWhitespace();
        if (name.empty() || Peek() != L'=') return Fail(L"Error while parsing attributes");
        ++pos_;
        SkipWhitespace();
        if (Peek() != L'"') return Fail(L"Expected attribute value");
        size_t close = text_.find(L'"', pos_ + 1);
        if (close == std::wstring_view::npos) return Fail(L"Error while parsing attribute string");
        AppendToPool(name);
        AppendDecoded(pos_ + 1, close);
        pos_ = close + 1;
    }
    doc_.pool_.push_back(L'\0');  // the empty name that ends the attributes
    return true;
}

bool CMarkupParser::ParseContent(uint32_t element, std::wstring_view name, int depth) {
    size_t textEnd = text_.find(L'<', pos_);
    if (textEnd == std::wstring_view::npos) {
        pos_ = text_.size();
        return Fail(L"Expected end-tag start");
    }
    doc_.elements_[element].text = AppendDecoded(pos_, textEnd);
    pos_ = textEnd;
    uint32_t previous = 0;
    for (;;) {
        if (Peek(1) == L'/') {
            pos_ += 2;
            std::wstring_view closing = ReadName();
            SkipWhitespace();
            if (closing != name || Peek() != L'>') return Fail(L"Unmatched closing tag");
            ++pos_;
            return true;
        }
        if (Peek(1) == L'!' || Peek(1) == L'?') {
            SkipConstruct();
        } else if (!ParseElement(element, previous, depth + 1)) {
            return false;
        }
        SkipWhitespace();
        if (pos_ >= text_.size()) return Fail(L"Expected end-tag start");
        if (Peek() != L'<') return Fail(L"Expected start tag");
    }
}

}  // namespace SkinUI
