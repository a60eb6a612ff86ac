#include "tests/reliability/Sessions.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "media/avi/AviReader.h"
#include "tests/e2e/driver/Files.h"
#include "tests/e2e/driver/Log.h"
#include "tests/e2e/driver/WindowFinder.h"

namespace reliability {
namespace {

const wchar_t kPreviewTitle[] = L"Halmere Webcam";
const wchar_t kFrameTitle[] = L"USB2.0 PC CAMERA";

std::string ConfigWithAlbum(const std::wstring& album) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Setting>\r\n"
           "  <DisplaySize>4</DisplaySize>\r\n  <PhotoSize>4</PhotoSize>\r\n"
           "  <FoldPath>" +
           e2e::Narrow(album) +
           "</FoldPath>\r\n  <ReversalV>0</ReversalV>\r\n  <ReversalH>0</ReversalH>\r\n"
           "  <CharFormat></CharFormat>\r\n  <TextContent></TextContent>\r\n  <PhotoFrame></PhotoFrame>\r\n"
           "  <MosaicWidth>0</MosaicWidth>\r\n  <Frequency>0</Frequency>\r\n  <ZoomOut>0</ZoomOut>\r\n"
           "  <Language></Language>\r\n  <VideoDisplayName></VideoDisplayName>\r\n"
           "  <AudioDisplayName></AudioDisplayName>\r\n</Setting>\r\n";
}

// A program still running 10 s after Close hangs: the test fails (the caller then kills it).
void ExpectEndsOnClose(e2e::Process& program, const char* name) {
    EXPECT_TRUE(program.WaitExit(10000)) << name << " did not end on Close; message box: '"
                                         << e2e::Narrow(e2e::FindMessageBox(program.Id()).text) << "'";
}

}  // namespace

std::vector<std::wstring> AnswerBoxes(DWORD process, DWORD ms, DWORD quietMs) {
    std::vector<std::wstring> texts;
    DWORD start = GetTickCount(), lastBox = start;
    while (GetTickCount() - start < ms && GetTickCount() - lastBox < quietMs + (texts.empty() ? ms : 0)) {
        e2e::MessageBoxSeen box = e2e::FindMessageBox(process);
        if (box.window) {
            texts.push_back(box.text);
            e2e::Answer(box);
            lastBox = GetTickCount();
            continue;
        }
        Sleep(100);
    }
    return texts;
}

std::string AviProblem(const std::wstring& path, unsigned* videoChunks) {
    avi::AviFileInfo info;
    std::string error;
    if (!avi::ParseAviFile(e2e::Narrow(path), info, error)) return "does not parse: " + error;
    if (videoChunks) *videoChunks = static_cast<unsigned>(info.ChunkCount(0));
    std::string index = avi::CheckAviIndex(info);
    if (!index.empty()) return "index: " + index;
    if (info.ChunkCount(0) == 0) return "no video chunk";
    return {};
}

bool OrvelloSession::Start(const std::wstring& where, std::wstring& error, bool copy) {
    folder = where;
    if (copy && !e2e::CopyProgramFolder(L"Orvello", folder)) {
        error = L"could not copy the program into " + folder;
        return false;
    }
    if (!program.Start(folder + L"\\Orvello.exe", folder)) {
        error = L"CreateProcess failed, error " + std::to_wstring(GetLastError());
        return false;
    }
    preview = e2e::WaitTopByCaption(program.Id(), kPreviewTitle, 30000);
    if (!preview) {
        e2e::MessageBoxSeen box = e2e::FindMessageBox(program.Id());
        error = box.window          ? L"message at start: " + box.text
                : program.Running() ? L"no preview window"
                                    : L"the program ended at start";
        return false;
    }
    main = e2e::WaitTop(program.Id(), L"", kRecorder, 5000);
    if (!main) error = L"no main window";
    return main != nullptr;
}

bool OrvelloSession::Snapshot(const std::wstring& path) {
    e2e::PostCommand(main, kSnapshot);
    HWND dialog = e2e::WaitFor([&] { return e2e::FindFileDialog(program.Id()); }, 10000);
    if (!dialog) return false;
    e2e::Pause(700);  // as a user would: the next tick with a frame writes the picture meanwhile
    return e2e::AnswerFileDialog(dialog, path);
}

std::wstring OrvelloSession::RecorderState() const {
    return e2e::TextOf(e2e::ChildById(main, kRecorderState));
}

bool OrvelloSession::StartRecording(DWORD ms) {
    e2e::PostCommand(main, kRecorder);
    return e2e::WaitUntil([&] { return RecorderState() == L"Stop recorder"; }, ms);
}

bool OrvelloSession::StopRecording(DWORD ms) {
    e2e::PostCommand(main, kRecorder);
    return e2e::WaitUntil([&] { return RecorderState() == L"Run recorder"; }, ms);
}

void OrvelloSession::Close() {
    if (program.Running()) {
        for (int i = 0; i < 5; ++i)
            if (e2e::MessageBoxSeen box = e2e::FindMessageBox(program.Id()); box.window) e2e::Answer(box);
        if (main && IsWindow(main)) e2e::PostCommand(main, kClose);
        ExpectEndsOnClose(program, "Orvello");
    }
    program.Kill();
}

bool PelCameraSession::Start(const std::wstring& where, std::wstring& error, bool copy) {
    folder = where;
    album = folder + L"\\album";
    if (copy) {
        if (!e2e::CopyProgramFolder(L"PelCamera", folder)) {
            error = L"could not copy the program into " + folder;
            return false;
        }
        CreateDirectoryW(album.c_str(), nullptr);
        e2e::WriteText(folder + L"\\Config.xml", ConfigWithAlbum(album));
    }
    if (!program.Start(folder + L"\\PelCamera.exe", folder)) {
        error = L"CreateProcess failed, error " + std::to_wstring(GetLastError());
        return false;
    }
    frame = e2e::WaitTopByCaption(program.Id(), kFrameTitle, 20000);
    if (!frame) {
        e2e::MessageBoxSeen box = e2e::FindMessageBox(program.Id());
        error = box.window          ? L"message at start: " + box.text
                : program.Running() ? L"no main frame"
                                    : L"the program ended at start";
        return false;
    }
    if (!e2e::WaitUntil([&] { return Previewing(); }, 10000)) {
        error = L"the preview did not start";
        return false;
    }
    return true;
}

std::wstring PelCameraSession::StatusText() const {
    return e2e::TextOf(e2e::ChildById(frame, kStatusBar));
}
bool PelCameraSession::Previewing() const {
    return StatusText() == kFrameTitle;
}

std::wstring PelCameraSession::TakePhoto(DWORD ms) {
    auto before = e2e::FilesIn(album, L"*.jpg");
    PostMessageW(frame, WM_COMMAND, kTakePhoto, 0);
    std::wstring found;
    e2e::WaitUntil(
        [&] {
            for (const auto& name : e2e::FilesIn(album, L"*.jpg"))
                if (std::find(before.begin(), before.end(), name) == before.end()) found = name;
            return !found.empty();
        },
        ms);
    if (found.empty()) return {};
    e2e::Pause(300);  // the writer closes the file
    return album + L"\\" + found;
}

bool PelCameraSession::StartRecording(const std::wstring& path) {
    PostMessageW(frame, WM_COMMAND, kStartCapture, 0);
    HWND dialog = e2e::WaitFor([&] { return e2e::FindFileDialog(program.Id()); }, 10000);
    if (!dialog) return false;
    return e2e::AnswerFileDialog(dialog, path);
}

bool PelCameraSession::StopRecording(DWORD ms) {
    PostMessageW(frame, WM_COMMAND, kStopCapture, 0);
    return e2e::WaitUntil([&] { return Previewing(); }, ms);
}

void PelCameraSession::Close() {
    if (program.Running()) {
        for (int i = 0; i < 5; ++i)
            if (e2e::MessageBoxSeen box = e2e::FindMessageBox(program.Id()); box.window) e2e::Answer(box);
        PostMessageW(frame, WM_CLOSE, 0, 0);
        ExpectEndsOnClose(program, "PelCamera");
    }
    program.Kill();
}

}  // namespace reliability
