// CZelParser: the XML document of the settings file, kept in memory for the whole run.
//
// Reads and writes UTF-8 (a leading signature is kept). Everything outside the root element
// (declaration, comments, blank lines) is written back exactly as it was read; inside the root
// element the white space, comments, unknown elements and empty-element forms are kept as well.
// A document that is not well-formed is refused.
//
// Navigation works like a cursor: ResetPos goes to the top, FindFirstElem picks the first element
// of a name among the children of the current parent, IntoElem makes that element the parent,
// GetFirstData/SetFirstData read and write the text of the parent's first child of a name.
#pragma once

#include <memory>
#include <string>

class CZelParser {
  public:
    CZelParser();
    ~CZelParser();
    CZelParser(const CZelParser&) = delete;
    CZelParser& operator=(const CZelParser&) = delete;
    CZelParser(CZelParser&&) noexcept;
    CZelParser& operator=(CZelParser&&) noexcept;

    // Reads and parses the file. False when it cannot be read or is not well-formed; the
    // document is then empty.
    bool Load(const wchar_t* path);
    // Parses UTF-8 text held in memory; the same rules as Load.
    bool SetDoc(const std::string& utf8);
    // True when the last Load/SetDoc produced a well-formed document.
    bool IsWellFormed() const;
    // Writes the document to the file. False (and nothing written) for an empty document or
    // when the file cannot be written.
    bool Save(const wchar_t* path) const;
    // The text that Save writes.
    std::string GetDoc() const;

    void ResetPos();
    bool FindFirstElem(const wchar_t* name);
    bool IntoElem();
    bool OutOfElem();

    // Text of the first child element `name` of the current parent; empty when there is none.
    std::wstring GetFirstData(const wchar_t* name) const;
    // Replaces the text of the first child element `name`; adds the element (indented like its
    // siblings) when the parent has none. False when there is no parent element.
    bool SetFirstData(const wchar_t* name, const wchar_t* text);
    bool SetFirstData(const wchar_t* name, int value);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
