// Loading and saving Config.xml in the program folder, and the helpers the pages use to write
// settings into the document.
#pragma once

#include <string>

#include "camera/libs/PelUtility/ZelParser.h"
#include "camera/settings/CameraSettings.h"
#include "camera/settings/SettingsEnvironment.h"

constexpr wchar_t kSettingsFileName[] = L"Config.xml";
// A damaged settings file is kept under this suffix before the default document replaces it.
constexpr wchar_t kDamagedSettingsSuffix[] = L".bad";
constexpr wchar_t kAlbumFolderFailedMessage[] =
    L"Create Fold Failed\xFF0C"
    L"Exit Application\xFF01";

// Loads programFolder + "Config.xml" into `document` and `settings`; a missing or damaged file is
// replaced by the default document first (a damaged one is kept as Config.xml.bad). False when
// start-up must stop: the file cannot be created or loaded (nothing shown), or there is no album
// folder (the message is shown through `env`).
bool LoadCameraSettings(const std::wstring& programFolder, CZelParser& document,
                        CameraSettingsRecord& settings, SettingsEnvironment& env);

// Writes the document to programFolder + "Config.xml". False when nothing could be written
// (also for a document that was never loaded, which leaves the file alone).
bool SaveCameraSettings(const std::wstring& programFolder, const CZelParser& document);

// Puts the document's cursor inside <Setting>, ready for SetFirstData. False without a root.
bool EnterSettingRoot(CZelParser& document);

// The element text of a character format: Base64 of its 92 bytes, on one line.
std::wstring EncodeCharFormat(const CharFormatRecord& format);
// Zeroes `format`, then copies in the bytes that `text` decodes to (at most 92).
void DecodeCharFormat(const std::wstring& text, CharFormatRecord& format);

// Integer text as the settings file stores it: leading white space, an optional sign, then
// decimal digits up to the first other character; no digits give 0. Clamped to the int range.
int ParseSettingInt(const std::wstring& text);
