// CString: the program's text type, built on TCHAR. The ANSI build holds char, the UNICODE build
// wchar_t; text of the other width converts through the ANSI code page.
#pragma once

#include <windows.h>
#include <tchar.h>

#include <cstdarg>
#include <string>

class CString {
  public:
    using XCHAR = TCHAR;
    using StdString = std::basic_string<TCHAR>;

    CString() = default;
    CString(const char* text);
    CString(const wchar_t* text);
    CString(const TCHAR* text, int length)
        : s_(text ? StdString(text, static_cast<size_t>(length)) : StdString()) {}
    CString(TCHAR ch, int repeat = 1) : s_(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) {}
    CString(const StdString& text) : s_(text) {}

    operator const TCHAR*() const { return s_.c_str(); }
    const TCHAR* GetString() const { return s_.c_str(); }
    const StdString& Str() const { return s_; }

    int GetLength() const { return static_cast<int>(s_.size()); }
    bool IsEmpty() const { return s_.empty(); }
    void Empty() { s_.clear(); }
    TCHAR GetAt(int index) const { return s_.at(static_cast<size_t>(index)); }
    TCHAR operator[](int index) const { return GetAt(index); }
    void SetAt(int index, TCHAR ch) { s_.at(static_cast<size_t>(index)) = ch; }

    CString& operator=(const char* text) { return *this = CString(text); }
    CString& operator=(const wchar_t* text) { return *this = CString(text); }
    CString& operator=(TCHAR ch) { return *this = CString(ch); }
    CString& operator+=(const CString& text) {
        s_ += text.s_;
        return *this;
    }
    CString& operator+=(const TCHAR* text) {
        if (text) s_ += text;
        return *this;
    }
    CString& operator+=(TCHAR ch) {
        s_ += ch;
        return *this;
    }

    int Compare(const TCHAR* text) const { return _tcscmp(s_.c_str(), text ? text : _T("")); }
    int CompareNoCase(const TCHAR* text) const;

    void Format(const TCHAR* format, ...);
    void FormatV(const TCHAR* format, va_list args);
    void AppendFormat(const TCHAR* format, ...);

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(TCHAR ch, int start = 0) const;
    int Find(const TCHAR* sub, int start = 0) const;
    int ReverseFind(TCHAR ch) const;
    int Replace(const TCHAR* oldText, const TCHAR* newText);
    int Replace(TCHAR oldCh, TCHAR newCh);
    int Delete(int index, int count = 1);
    int Insert(int index, const TCHAR* text);
    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();

    // Direct writing into the buffer (Win32 calls that fill a TCHAR array).
    TCHAR* GetBuffer(int minLength = 0);
    TCHAR* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // String resource of this module; false when it does not exist.
    BOOL LoadString(UINT id);

  private:
    StdString s_;
};

inline CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
inline CString operator+(const CString& a, const TCHAR* b) {
    CString r(a);
    r += b;
    return r;
}
inline CString operator+(const TCHAR* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}
inline CString operator+(const CString& a, TCHAR b) {
    CString r(a);
    r += b;
    return r;
}
inline bool operator==(const CString& a, const CString& b) {
    return a.Str() == b.Str();
}
inline bool operator==(const CString& a, const TCHAR* b) {
    return a.Compare(b) == 0;
}
inline bool operator==(const TCHAR* a, const CString& b) {
    return b.Compare(a) == 0;
}
inline bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
}
inline bool operator!=(const CString& a, const TCHAR* b) {
    return !(a == b);
}
inline bool operator!=(const TCHAR* a, const CString& b) {
    return !(b == a);
}
inline bool operator<(const CString& a, const CString& b) {
    return a.Str() < b.Str();
}
