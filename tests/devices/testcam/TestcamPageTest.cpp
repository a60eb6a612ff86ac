// The camera's property page, driven as a property frame drives it.
#include "framework/Handles.h"
#include "tests/devices/support/CaptureProbe.h"

#include <olectl.h>

#include <gtest/gtest.h>

namespace {

TEST(TestcamPage, ChoosingSixtyHertzAndApplyingSetsThePowerLineFrequency) {
    ScopedComInit com;
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, L"Test Pattern Camera");
    ASSERT_TRUE(camera);
    ComPtr<IAMVideoProcAmp> amp;
    ASSERT_HRESULT_SUCCEEDED(camera->QueryInterface(IID_IAMVideoProcAmp, amp.AsOut()));
    ASSERT_EQ(S_OK, amp->Set(13, 1, VideoProcAmp_Flags_Manual));

    ComPtr<ISpecifyPropertyPages> specify;
    ASSERT_HRESULT_SUCCEEDED(camera->QueryInterface(IID_ISpecifyPropertyPages, specify.AsOut()));
    CAUUID pages = {};
    ASSERT_EQ(S_OK, specify->GetPages(&pages));
    ASSERT_EQ(1u, pages.cElems);
    ComPtr<IPropertyPage> page;
    const HRESULT created =
        CoCreateInstance(pages.pElems[0], nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, page.AsOut());
    CoTaskMemFree(pages.pElems);
    ASSERT_HRESULT_SUCCEEDED(created);

    PROPPAGEINFO info = {};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    EXPECT_STREQ(L"Test Pattern Camera", info.pszTitle);
    EXPECT_GT(info.size.cx, 0);
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);

    IUnknown* objects[] = {camera.Get()};
    ASSERT_EQ(S_OK, page->SetObjects(1, objects));
    HWND frame = CreateWindowW(L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(nullptr, frame);
    RECT rect = {0, 0, 240, 110};
    ASSERT_EQ(S_OK, page->Activate(frame, &rect, TRUE));
    HWND pageWindow = GetWindow(frame, GW_CHILD);
    ASSERT_NE(nullptr, pageWindow);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(pageWindow, 101));
    EXPECT_EQ(S_FALSE, page->IsPageDirty());

    SendMessageW(GetDlgItem(pageWindow, 102), BM_CLICK, 0, 0);
    EXPECT_EQ(S_OK, page->IsPageDirty());
    ASSERT_EQ(S_OK, page->Apply());
    long value = 0, flags = 0;
    ASSERT_EQ(S_OK, amp->Get(13, &value, &flags));
    EXPECT_EQ(2, value);
    EXPECT_EQ(S_FALSE, page->IsPageDirty());

    EXPECT_EQ(S_OK, page->Deactivate());
    EXPECT_EQ(S_OK, page->SetObjects(0, nullptr));
    DestroyWindow(frame);
}

}  // namespace
