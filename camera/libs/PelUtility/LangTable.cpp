#include "camera/libs/PelUtility/LangTable.h"

#include "camera/libs/PelUtility/FileIo.h"

namespace pelutil {
namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return text;
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        if (next == 'n')
            out += "\r\n";
        else if (next == 't')
            out += '\t';
        else if (next == '\\')
            out += '\\';
        else {
            out += '\\';
            out += next;
        }
    }
    return out;
}

}  // namespace

void LangTable::Parse(const std::string& utf8) {
    sections_.clear();
    size_t pos = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::wstring section;
    while (pos < utf8.size()) {
        size_t end = utf8.find('\n', pos);
        if (end == std::string::npos) end = utf8.size();
        std::string line = utf8.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            if (close != std::string::npos) section = Lower(FromUtf8(Trim(line.substr(1, close - 1))));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::wstring key = Lower(FromUtf8(Trim(line.substr(0, equals))));
        if (key.empty()) continue;
        sections_[section][key] = FromUtf8(Unescape(Trim(line.substr(equals + 1))));
    }
}

std::wstring LangTable::Get(const std::wstring& section, const std::wstring& key) const {
    auto s = sections_.find(Lower(section));
    if (s == sections_.end()) return std::wstring();
    auto k = s->second.find(Lower(key));
    return k == s->second.end() ? std::wstring() : k->second;
}

std::vector<std::pair<std::wstring, std::wstring>> LangTable::Entries(const std::wstring& section) const {
    std::vector<std::pair<std::wstring, std::wstring>> out;
    auto s = sections_.find(Lower(section));
    if (s != sections_.end()) out.assign(s->second.begin(), s->second.end());
    return out;
}

}  // namespace pelutil
