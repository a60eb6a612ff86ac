#include "tests/monitor/dialogs/DialogTestSupport.h"

#include <cstdio>

#include "monitor/app/MonitorSettings.h"

CString ReadTextFile(const CString& path) {
    CString text;
    if (std::FILE* file = std::fopen(path, "rb")) {
        char buffer[256] = {};
        const size_t length = std::fread(buffer, 1, sizeof buffer - 1, file);
        std::fclose(file);
        text = CString(buffer, static_cast<int>(length));
    }
    return text;
}

void WriteTextFile(const CString& path, const char* text) {
    if (std::FILE* file = std::fopen(path, "wb")) {
        std::fputs(text, file);
        std::fclose(file);
    }
}

bool FileExists(const CString& path) {
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

CString MakeTempFolder(const char* name) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    CString folder = CString(temp) + name;
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
        folder = folder.Left(folder.GetLength() - 1);
    ::CreateDirectoryA(folder, nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA(folder + CString("\\*"), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileA(folder + CString("\\") + found.cFileName);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    return folder;
}

CHostWindow::CHostWindow() {
    CreateEx(0, nullptr, "Halmere", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr);
}

CHostWindow::~CHostWindow() {
    if (m_hWnd) DestroyWindow();
}

void CHostWindow::OpenAlarmPreview() {
    opened.push_back(alarmSoundPath);
    m_hAlarmPlayer = alarm_preview::Open(m_hWnd, m_hAlarmPlayer, alarmSoundPath);
}

void CHostWindow::PlayAlarmPreview() {
    ++plays;
    alarm_preview::Play(m_hWnd, m_hAlarmPlayer, m_bNoAudioDevice);
}

void CHostWindow::StopAlarmPreview() {
    ++stops;
    alarm_preview::Stop(m_hAlarmPlayer);
}
