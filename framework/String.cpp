#include "framework/String.h"

#include <algorithm>
#include <vector>

namespace {

#ifdef UNICODE
std::wstring Widen(const char* text) {
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1) return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], n);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}
#else
std::string Narrow(const wchar_t* text) {
    int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}
#endif

bool IsBlank(TCHAR c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

#ifdef UNICODE
CString::CString(const char* text) : s_(text ? Widen(text) : std::wstring()) {}
CString::CString(const wchar_t* text) : s_(text ? text : L"") {}
#else
CString::CString(const char* text) : s_(text ? text : "") {}
CString::CString(const wchar_t* text) : s_(text ? Narrow(text) : std::string()) {}
#endif

int CString::CompareNoCase(const TCHAR* text) const {
    return ::lstrcmpi(s_.c_str(), text ? text : _T(""));
}

void CString::FormatV(const TCHAR* format, va_list args) {
    // The msvcrt forms keep the Windows meaning of %s (a TCHAR string) in both builds.
    va_list count;
    va_copy(count, args);
#ifdef UNICODE
    int n = _vscwprintf(format, count);
#else
    int n = _vscprintf(format, count);
#endif
    va_end(count);
    if (n < 0) {
        s_.clear();
        return;
    }
    std::vector<TCHAR> buf(static_cast<size_t>(n) + 1);
#ifdef UNICODE
    _vsnwprintf(buf.data(), buf.size(), format, args);
#else
    _vsnprintf(buf.data(), buf.size(), format, args);
#endif
    s_.assign(buf.data(), static_cast<size_t>(n));
}

void CString::Format(const TCHAR* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const TCHAR* format, ...) {
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    s_ += tail.s_;
}

CString CString::Left(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(s_.substr(0, static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(s_.substr(s_.size() - static_cast<size_t>(count)));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(s_.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Find(TCHAR ch, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    size_t pos = s_.find(ch, static_cast<size_t>(start));
    return pos == StdString::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const TCHAR* sub, int start) const {
    if (!sub || start < 0 || start > GetLength()) return -1;
    size_t pos = s_.find(sub, static_cast<size_t>(start));
    return pos == StdString::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(TCHAR ch) const {
    size_t pos = s_.rfind(ch);
    return pos == StdString::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(const TCHAR* oldText, const TCHAR* newText) {
    if (!oldText || !*oldText) return 0;
    StdString from(oldText), to(newText ? newText : _T(""));
    int count = 0;
    for (size_t pos = s_.find(from); pos != StdString::npos; pos = s_.find(from, pos + to.size())) {
        s_.replace(pos, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Replace(TCHAR oldCh, TCHAR newCh) {
    int count = 0;
    for (TCHAR& c : s_) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0)
        s_.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

int CString::Insert(int index, const TCHAR* text) {
    index = std::clamp(index, 0, GetLength());
    if (text) s_.insert(static_cast<size_t>(index), text);
    return GetLength();
}

CString& CString::MakeUpper() {
    if (!s_.empty()) ::CharUpperBuff(&s_[0], static_cast<DWORD>(s_.size()));
    return *this;
}

CString& CString::MakeLower() {
    if (!s_.empty()) ::CharLowerBuff(&s_[0], static_cast<DWORD>(s_.size()));
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft() {
    size_t n = 0;
    while (n < s_.size() && IsBlank(s_[n])) ++n;
    s_.erase(0, n);
    return *this;
}

CString& CString::TrimRight() {
    while (!s_.empty() && IsBlank(s_.back())) s_.pop_back();
    return *this;
}

TCHAR* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) s_.resize(static_cast<size_t>(minLength));
    return &s_[0];
}

TCHAR* CString::GetBufferSetLength(int length) {
    s_.resize(static_cast<size_t>(length > 0 ? length : 0));
    return &s_[0];
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        newLength = static_cast<int>(std::find(s_.begin(), s_.end(), TCHAR(0)) - s_.begin());
    }
    s_.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

BOOL CString::LoadString(UINT id) {
    // A resource string can be long; grow until it fits.
    for (int size = 256; size <= 65536; size *= 4) {
        std::vector<TCHAR> buf(static_cast<size_t>(size));
        int n = ::LoadString(::GetModuleHandle(nullptr), id, buf.data(), size);
        if (n <= 0) return FALSE;
        if (n < size - 1) {
            s_.assign(buf.data(), static_cast<size_t>(n));
            return TRUE;
        }
    }
    return FALSE;
}
