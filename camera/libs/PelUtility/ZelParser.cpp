#include "camera/libs/PelUtility/ZelParser.h"

#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "camera/libs/PelUtility/FileIo.h"
#include "pugixml.hpp"

namespace {

constexpr char kUtf8Signature[] = "\xEF\xBB\xBF";

// Entities and character references are decoded; line ends, white space and comments are kept.
constexpr unsigned kParseOptions = pugi::parse_declaration | pugi::parse_doctype | pugi::parse_pi |
                                   pugi::parse_comments | pugi::parse_cdata | pugi::parse_escapes |
                                   pugi::parse_ws_pcdata;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool StartsWith(const std::string& text, size_t pos, const char* prefix) {
    return text.compare(pos, std::strlen(prefix), prefix) == 0;
}

bool EndsWith(const std::string& text, size_t end, const char* suffix) {
    size_t n = std::strlen(suffix);
    return end >= n && text.compare(end - n, n, suffix) == 0;
}

// Finds where the root element starts: before it only white space, the declaration, processing
// instructions, comments and a document type may stand. npos when anything else is there.
size_t FindRootStart(const std::string& text) {
    size_t pos = 0;
    for (;;) {
        while (pos < text.size() && IsSpace(text[pos])) ++pos;
        if (pos >= text.size()) return std::string::npos;
        size_t close;
        if (StartsWith(text, pos, "<?")) {
            close = text.find("?>", pos + 2);
            if (close == std::string::npos) return close;
            pos = close + 2;
        } else if (StartsWith(text, pos, "<!--")) {
            close = text.find("-->", pos + 4);
            if (close == std::string::npos) return close;
            pos = close + 3;
        } else if (StartsWith(text, pos, "<!DOCTYPE")) {
            int depth = 0;
            for (pos += 9; pos < text.size(); ++pos) {
                if (text[pos] == '[') ++depth;
                if (text[pos] == ']') --depth;
                if (text[pos] == '>' && depth <= 0) break;
            }
            if (pos >= text.size()) return std::string::npos;
            ++pos;
        } else if (text[pos] == '<' && pos + 1 < text.size() && !IsSpace(text[pos + 1]) &&
                   text[pos + 1] != '/' && text[pos + 1] != '!') {
            return pos;
        } else {
            return std::string::npos;
        }
    }
}

// Skips white space, comments and processing instructions from `pos`; true when nothing else
// follows up to the end of the text. Behind the root element nothing else may stand.
bool OnlyMiscFollows(const std::string& text, size_t pos) {
    for (;;) {
        while (pos < text.size() && IsSpace(text[pos])) ++pos;
        if (pos >= text.size()) return true;
        size_t close;
        if (StartsWith(text, pos, "<!--")) {
            close = text.find("-->", pos + 4);
            if (close == std::string::npos) return false;
            pos = close + 3;
        } else if (StartsWith(text, pos, "<?") && !StartsWith(text, pos, "<?xml ") &&
                   !StartsWith(text, pos, "<?xml?")) {
            close = text.find("?>", pos + 2);
            if (close == std::string::npos) return false;
            pos = close + 2;
        } else {
            return false;
        }
    }
}

// Finds the end of the root element (one past its last '>') from the node the XML library read
// after it, or from the end of the text when there is none. The root must close right there, with
// "</name>" or, when written as an empty element, "/>"; npos otherwise (stray text after the root,
// which the library would silently drop, is refused here).
size_t FindRootEnd(const std::string& text, size_t rootStart, pugi::xml_node root, bool emptyTag) {
    size_t end = text.size();
    if (pugi::xml_node next = root.next_sibling()) {
        if (next.offset_debug() < 0) return std::string::npos;
        size_t at = static_cast<size_t>(next.offset_debug());
        size_t markup = next.type() == pugi::node_comment ? 4 : next.type() == pugi::node_pi ? 2 : 0;
        if (markup == 0 || at < markup) return std::string::npos;
        end = at - markup;
    }
    while (end > rootStart && IsSpace(text[end - 1])) --end;
    if (end <= rootStart || text[end - 1] != '>') return std::string::npos;
    if (emptyTag) return EndsWith(text, end, "/>") ? end : std::string::npos;
    size_t close = end - 1;
    while (close > rootStart && IsSpace(text[close - 1])) --close;
    const std::string endTag = std::string("</") + root.name();
    if (close < rootStart + endTag.size() || text.compare(close - endTag.size(), endTag.size(), endTag) != 0)
        return std::string::npos;
    return end;
}

bool HasDuplicateAttributes(pugi::xml_node element) {
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
        for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute()) {
            if (std::strcmp(a.name(), b.name()) == 0) return true;
        }
    }
    for (pugi::xml_node child : element.children()) {
        if (child.type() == pugi::node_element && HasDuplicateAttributes(child)) return true;
    }
    return false;
}

// True when the start tag whose name begins at `nameOffset` ends with "/>".
bool IsEmptyElementTag(const std::string& text, ptrdiff_t nameOffset) {
    if (nameOffset < 0) return false;
    char quote = 0;
    for (size_t pos = static_cast<size_t>(nameOffset); pos < text.size(); ++pos) {
        char c = text[pos];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return pos > 0 && text[pos - 1] == '/';
        }
    }
    return false;
}

void AppendEscapedText(std::string& out, const char* s) {
    for (; *s; ++s) {
        switch (*s) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':  // only where it would close a CDATA marker
                if (out.size() >= 2 && out.compare(out.size() - 2, 2, "]]") == 0)
                    out += "&gt;";
                else
                    out += '>';
                break;
            default:
                out += *s;
        }
    }
}

void AppendEscapedAttribute(std::string& out, const char* s) {
    for (; *s; ++s) {
        switch (*s) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\r':
                out += "&#13;";
                break;
            case '\n':
                out += "&#10;";
                break;
            case '\t':
                out += "&#9;";
                break;
            default:
                out += *s;
        }
    }
}

std::string Utf8(const wchar_t* text) {
    return text ? pelutil::ToUtf8(text) : std::string();
}

bool IsAllSpace(const char* s) {
    for (; *s; ++s) {
        if (!IsSpace(*s)) return false;
    }
    return true;
}

}  // namespace

struct CZelParser::Impl {
    pugi::xml_document doc;
    bool wellFormed = false;
    std::string signature;                      // UTF-8 signature bytes when the file had them
    std::string prolog;                         // everything before the root element, as read
    std::string epilog;                         // everything after it, as read
    std::unordered_set<const void*> emptyTags;  // elements written as <Name/> in the file
    pugi::xml_node parent;
    pugi::xml_node current;

    void Clear() {
        doc.reset();
        wellFormed = false;
        signature.clear();
        prolog.clear();
        epilog.clear();
        emptyTags.clear();
        parent = doc;
        current = pugi::xml_node();
    }

    bool Parse(std::string text, bool checkWriteBack = true) {
        Clear();
        std::string sig;
        if (text.compare(0, 3, kUtf8Signature) == 0) {
            sig = kUtf8Signature;
            text.erase(0, 3);
        }
        // XML has no NUL character, and the XML library stops reading at one: whatever stands behind
        // it would be taken for the end of the document and written back as something unreadable.
        if (text.find('\0') != std::string::npos) return false;
        size_t rootStart = FindRootStart(text);
        if (rootStart == std::string::npos) return false;

        pugi::xml_parse_result result =
            doc.load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
        if (!result) {
            Clear();
            return false;
        }
        pugi::xml_node root;
        int elements = 0;
        for (pugi::xml_node n : doc.children()) {
            if (n.type() != pugi::node_element) continue;
            root = n;
            ++elements;
        }
        if (elements != 1 || root.offset_debug() != static_cast<ptrdiff_t>(rootStart) + 1 ||
            HasDuplicateAttributes(root)) {
            Clear();
            return false;
        }
        const bool emptyRoot = !root.first_child() && IsEmptyElementTag(text, root.offset_debug());
        size_t rootEnd = FindRootEnd(text, rootStart, root, emptyRoot);
        if (rootEnd == std::string::npos || !OnlyMiscFollows(text, rootEnd)) {
            Clear();
            return false;
        }
        // The text up to the root's end must hold the whole root on its own: a "<?" or "<!--"
        // inside an attribute value must not be taken for what follows the root.
        if (rootEnd != text.size()) {
            pugi::xml_document head;
            if (!head.load_buffer(text.data(), rootEnd, kParseOptions, pugi::encoding_utf8)) {
                Clear();
                return false;
            }
        }
        RememberEmptyTags(text, root);
        signature = sig;
        prolog = text.substr(0, rootStart);
        epilog = text.substr(rootEnd);
        wellFormed = true;
        // Last guard: what Save would write must read again as the same document, or a later save
        // would leave the user a file that no longer loads.
        if (checkWriteBack) {
            const std::string written = Written();
            Impl again;
            if (!again.Parse(written, false) || again.Written() != written) {
                Clear();
                return false;
            }
        }
        return true;
    }

    std::string Written() const {
        std::string out = signature + prolog;
        Write(out, doc.document_element());
        out += epilog;
        return out;
    }

    void RememberEmptyTags(const std::string& text, pugi::xml_node element) {
        if (!element.first_child()) {
            if (IsEmptyElementTag(text, element.offset_debug())) emptyTags.insert(element.internal_object());
            return;
        }
        for (pugi::xml_node child : element.children()) {
            if (child.type() == pugi::node_element) RememberEmptyTags(text, child);
        }
    }

    void Write(std::string& out, pugi::xml_node node) const {
        switch (node.type()) {
            case pugi::node_element:
                out += '<';
                out += node.name();
                for (pugi::xml_attribute a : node.attributes()) {
                    out += ' ';
                    out += a.name();
                    out += "=\"";
                    AppendEscapedAttribute(out, a.value());
                    out += '"';
                }
                if (!node.first_child() && emptyTags.count(node.internal_object())) {
                    out += "/>";
                    return;
                }
                out += '>';
                for (pugi::xml_node child : node.children()) Write(out, child);
                out += "</";
                out += node.name();
                out += '>';
                break;
            case pugi::node_pcdata:
                AppendEscapedText(out, node.value());
                break;
            case pugi::node_cdata:
                out += "<![CDATA[";
                out += node.value();
                out += "]]>";
                break;
            case pugi::node_comment:
                out += "<!--";
                out += node.value();
                out += "-->";
                break;
            case pugi::node_pi:
                out += "<?";
                out += node.name();
                if (*node.value()) {
                    out += ' ';
                    out += node.value();
                }
                out += "?>";
                break;
            default:
                break;
        }
    }

    // The first child element of the current parent with that name.
    pugi::xml_node Child(const wchar_t* name) const {
        if (!wellFormed || !name) return pugi::xml_node();
        // Elements only: a processing instruction such as <?ZoomOut?> carries a name as well.
        const std::string key = Utf8(name);
        for (pugi::xml_node n = parent.child(key.c_str()); n; n = n.next_sibling(key.c_str())) {
            if (n.type() == pugi::node_element) return n;
        }
        return pugi::xml_node();
    }

    pugi::xml_node AddChild(const std::string& name) {
        // Indent like the last element sibling and keep the white space before the closing tag.
        std::string indent;
        for (pugi::xml_node n = parent.last_child(); n; n = n.previous_sibling()) {
            if (n.type() != pugi::node_element) continue;
            pugi::xml_node before = n.previous_sibling();
            if (before.type() == pugi::node_pcdata && IsAllSpace(before.value())) indent = before.value();
            break;
        }
        pugi::xml_node last = parent.last_child();
        pugi::xml_node added;
        if (last.type() == pugi::node_pcdata && IsAllSpace(last.value())) {
            if (!indent.empty())
                parent.insert_child_before(pugi::node_pcdata, last).set_value(indent.c_str());
            added = parent.insert_child_before(pugi::node_element, last);
        } else {
            if (!indent.empty()) parent.append_child(pugi::node_pcdata).set_value(indent.c_str());
            added = parent.append_child(pugi::node_element);
        }
        added.set_name(name.c_str());
        return added;
    }
};

CZelParser::CZelParser() : impl_(std::make_unique<Impl>()) {
    impl_->Clear();
}
CZelParser::~CZelParser() = default;
CZelParser::CZelParser(CZelParser&&) noexcept = default;
CZelParser& CZelParser::operator=(CZelParser&&) noexcept = default;

bool CZelParser::Load(const wchar_t* path) {
    std::string bytes;
    if (!path || !pelutil::ReadWholeFile(path, bytes)) {
        impl_->Clear();
        return false;
    }
    return impl_->Parse(std::move(bytes));
}

bool CZelParser::SetDoc(const std::string& utf8) {
    return impl_->Parse(utf8);
}

bool CZelParser::IsWellFormed() const {
    return impl_->wellFormed;
}

std::string CZelParser::GetDoc() const {
    if (!impl_->wellFormed) return std::string();
    return impl_->Written();
}

bool CZelParser::Save(const wchar_t* path) const {
    if (!path || !impl_->wellFormed) return false;
    return pelutil::WriteWholeFile(path, GetDoc());
}

void CZelParser::ResetPos() {
    impl_->parent = impl_->doc;
    impl_->current = pugi::xml_node();
}

bool CZelParser::FindFirstElem(const wchar_t* name) {
    pugi::xml_node found = impl_->Child(name);
    if (!found) return false;
    impl_->current = found;
    return true;
}

bool CZelParser::IntoElem() {
    if (!impl_->current) return false;
    impl_->parent = impl_->current;
    impl_->current = pugi::xml_node();
    return true;
}

bool CZelParser::OutOfElem() {
    if (impl_->parent.type() != pugi::node_element) return false;
    impl_->current = impl_->parent;
    impl_->parent = impl_->parent.parent();
    return true;
}

std::wstring CZelParser::GetFirstData(const wchar_t* name) const {
    pugi::xml_node element = impl_->Child(name);
    std::string text;
    for (pugi::xml_node n : element.children()) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) text += n.value();
    }
    return pelutil::FromUtf8(text);
}

bool CZelParser::SetFirstData(const wchar_t* name, const wchar_t* text) {
    if (!impl_->wellFormed || !name || !*name || impl_->parent.type() != pugi::node_element) return false;
    pugi::xml_node element = impl_->Child(name);
    if (!element) element = impl_->AddChild(Utf8(name));
    std::vector<pugi::xml_node> old;
    for (pugi::xml_node n : element.children()) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) old.push_back(n);
    }
    for (pugi::xml_node n : old) element.remove_child(n);
    std::string value = Utf8(text);
    if (!value.empty()) element.prepend_child(pugi::node_pcdata).set_value(value.c_str());
    return true;
}

bool CZelParser::SetFirstData(const wchar_t* name, int value) {
    return SetFirstData(name, std::to_wstring(value).c_str());
}
