// Files and folders of a journey: the staged programs, fresh program folders, written files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// A Unix path as Wine sees it (drive Z:).
std::wstring FromUnixPath(const std::string& path);
// The staged programs' folder (dist/), as built into the driver.
std::wstring DistFolder();
// Where a demo run keeps screenshots and files (E2E_OUT, a Unix path); empty in a plain test run.
std::wstring OutputFolder();
// A new empty folder for one journey: under OutputFolder()/files/<name> for a demo run, else in
// the temp folder.
std::wstring FreshFolder(const std::wstring& name);
// Copies dist/<program> into folder: the program, its DLLs and its Alarm, Effects and Language
// folders, without files that an earlier run wrote (counter, settings, pictures, recordings).
bool CopyProgramFolder(const std::wstring& program, const std::wstring& folder);
bool CopyTree(const std::wstring& from, const std::wstring& to);
void RemoveTree(const std::wstring& folder);

// The user's temporary folder, with its trailing backslash: the programs' and the driver's alike.
std::wstring TempFolder();
bool Exists(const std::wstring& path);
std::vector<uint8_t> ReadAll(const std::wstring& path);
std::string ReadText(const std::wstring& path);
bool WriteText(const std::wstring& path, const std::string& text);
// Names (not paths) of the files in a folder that match a pattern such as L"*.jpg".
std::vector<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& pattern);

// testcamctl with the given arguments; its exit code.
int TestCamCtl(const std::wstring& arguments);

// In a demo run, saves a screen grab of the window as <OutputFolder>/<name>.bmp.
void Screenshot(void* window, const std::wstring& name);

}  // namespace e2e
