// Creating the filters by class id, their interfaces, the vtable order the program calls and the
// reference counts.
#include <gtest/gtest.h>

#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "camera/libs/PelFilters/PelInterfaces.h"
#include "camera/libs/PelFilters/PelReversalFilter.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"

namespace {

class PelFilterCom : public ::testing::Test {
  protected:
    ScopedComInit com_;
};

HRESULT Create(const CLSID& clsid, REFIID iid, void** out) {
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, out);
}

// The last reference: 0 means the object is gone.
ULONG FinalRelease(IUnknown* object) {
    return object->Release();
}

TEST_F(PelFilterCom, ClassesAreCreatableOnlyWhileRegistered) {
    ComPtr<IBaseFilter> filter;
    EXPECT_EQ(REGDB_E_CLASSNOTREG, Create(CLSID_PelOverlay, IID_IBaseFilter, filter.AsOut()));
    {
        pel::PelFilterClasses classes = pel::RegisterPelFilters();
        ASSERT_HRESULT_SUCCEEDED(classes.Result());
        // The owner moves without revoking.
        pel::PelFilterClasses moved = std::move(classes);
        EXPECT_FALSE(classes.Registered());
        EXPECT_TRUE(moved.Registered());
        ASSERT_HRESULT_SUCCEEDED(Create(CLSID_PelOverlay, IID_IBaseFilter, filter.AsOut()));
        CLSID clsid{};
        EXPECT_HRESULT_SUCCEEDED(filter->GetClassID(&clsid));
        EXPECT_TRUE(IsEqualCLSID(CLSID_PelOverlay, clsid));
        ASSERT_HRESULT_SUCCEEDED(Create(CLSID_PelReversal, IID_IBaseFilter, filter.AsOut()));
        EXPECT_HRESULT_SUCCEEDED(filter->GetClassID(&clsid));
        EXPECT_TRUE(IsEqualCLSID(CLSID_PelReversal, clsid));
        EXPECT_EQ(0u, FinalRelease(filter.Detach()));
    }
    EXPECT_EQ(REGDB_E_CLASSNOTREG, Create(CLSID_PelReversal, IID_IBaseFilter, filter.AsOut()));
    // Registering again after the owner went works (a graph rebuilt after a restart of the frame).
    pel::PelFilterClasses again = pel::RegisterPelFilters();
    ASSERT_HRESULT_SUCCEEDED(again.Result());
    EXPECT_HRESULT_SUCCEEDED(Create(CLSID_PelReversal, IID_IBaseFilter, filter.AsOut()));
    again.Revoke();
    EXPECT_FALSE(again.Registered());
    EXPECT_EQ(REGDB_E_CLASSNOTREG, Create(CLSID_PelOverlay, IID_IBaseFilter, filter.AsOut()));
}

TEST_F(PelFilterCom, EachFilterAnswersItsOwnInterfaceWithOneIdentity) {
    pel::PelFilterClasses classes = pel::RegisterPelFilters();
    ASSERT_HRESULT_SUCCEEDED(classes.Result());
    ComPtr<IPelFilter> overlay;
    ComPtr<IPelReversal> reversal;
    ASSERT_HRESULT_SUCCEEDED(Create(CLSID_PelOverlay, IID_IPelFilter, overlay.AsOut()));
    ASSERT_HRESULT_SUCCEEDED(Create(CLSID_PelReversal, IID_IPelReversal, reversal.AsOut()));

    ComPtr<IUnknown> fromPrivate, fromFilter;
    ComPtr<IBaseFilter> filter;
    ASSERT_HRESULT_SUCCEEDED(overlay->QueryInterface(IID_IBaseFilter, filter.AsOut()));
    ASSERT_HRESULT_SUCCEEDED(overlay->QueryInterface(IID_IUnknown, fromPrivate.AsOut()));
    ASSERT_HRESULT_SUCCEEDED(filter->QueryInterface(IID_IUnknown, fromFilter.AsOut()));
    EXPECT_EQ(fromPrivate.Get(), fromFilter.Get());
    ComPtr<IPelFilter> back;
    ASSERT_HRESULT_SUCCEEDED(filter->QueryInterface(IID_IPelFilter, back.AsOut()));
    EXPECT_EQ(overlay.Get(), back.Get());
    ComPtr<IPelReversal> wrong;
    EXPECT_EQ(E_NOINTERFACE, filter->QueryInterface(IID_IPelReversal, wrong.AsOut()));
    EXPECT_FALSE(wrong);

    ComPtr<IPelFilter> wrongToo;
    EXPECT_EQ(E_NOINTERFACE, reversal->QueryInterface(IID_IPelFilter, wrongToo.AsOut()));
    ASSERT_HRESULT_SUCCEEDED(reversal->QueryInterface(IID_IUnknown, fromPrivate.AsOut()));
    ASSERT_HRESULT_SUCCEEDED(reversal->QueryInterface(IID_IBaseFilter, filter.AsOut()));
    ASSERT_HRESULT_SUCCEEDED(filter->QueryInterface(IID_IUnknown, fromFilter.AsOut()));
    EXPECT_EQ(fromPrivate.Get(), fromFilter.Get());

    // Every reference handed out above is accounted for: the last one takes each filter away.
    fromPrivate = nullptr;
    fromFilter = nullptr;
    filter = nullptr;
    back = nullptr;
    EXPECT_EQ(0u, FinalRelease(overlay.Detach()));
    EXPECT_EQ(0u, FinalRelease(reversal.Detach()));
}

// The program calls the private interfaces by vtable slot (after IUnknown's three): calling the
// slots by number must reach the methods of those numbers.
TEST_F(PelFilterCom, MethodsSitInTheSlotsTheProgramCalls) {
    ComPtr<IPelFilter> overlay;
    ASSERT_HRESULT_SUCCEEDED(pel::CreatePelOverlay(IID_IPelFilter, overlay.AsOut()));
    using SetSizeFn = HRESULT(STDMETHODCALLTYPE*)(IPelFilter*, int, int);
    using GetSizeFn = HRESULT(STDMETHODCALLTYPE*)(IPelFilter*, int*, int*);
    void** slots = *reinterpret_cast<void***>(overlay.Get());
    ASSERT_EQ(S_OK, reinterpret_cast<SetSizeFn>(slots[5])(overlay.Get(), 352, 288));
    int width = 0, height = 0;
    ASSERT_EQ(S_OK, reinterpret_cast<GetSizeFn>(slots[4])(overlay.Get(), &width, &height));
    EXPECT_EQ(352, width);
    EXPECT_EQ(288, height);

    ComPtr<IPelReversal> reversal;
    ASSERT_HRESULT_SUCCEEDED(pel::CreatePelReversal(IID_IPelReversal, reversal.AsOut()));
    using SetIntFn = HRESULT(STDMETHODCALLTYPE*)(IPelReversal*, int);
    slots = *reinterpret_cast<void***>(reversal.Get());
    reinterpret_cast<SetIntFn>(slots[4])(reversal.Get(), 1);   // SetReversalV
    reinterpret_cast<SetIntFn>(slots[6])(reversal.Get(), 12);  // SetMosaicWidth
    reinterpret_cast<SetIntFn>(slots[7])(reversal.Get(), 3);   // SetZoom
    ComPtr<IBaseFilter> filter;
    ASSERT_HRESULT_SUCCEEDED(reversal->QueryInterface(IID_IBaseFilter, filter.AsOut()));
    const pel::ReversalSettings s = static_cast<pel::PelReversalFilter*>(filter.Get())->Settings();
    EXPECT_TRUE(s.vertical);
    EXPECT_FALSE(s.horizontal);
    EXPECT_EQ(12, s.mosaicWidth);
    EXPECT_EQ(3, s.zoom);
    reinterpret_cast<SetIntFn>(slots[5])(reversal.Get(), 1);  // SetReversalH
    EXPECT_TRUE(static_cast<pel::PelReversalFilter*>(filter.Get())->Settings().horizontal);
}

TEST_F(PelFilterCom, OutOfRangeSettingsAreKeptInRangeAndHugeBitmapsRefused) {
    ComPtr<IBaseFilter> filter;
    ASSERT_HRESULT_SUCCEEDED(pel::CreatePelReversal(IID_IBaseFilter, filter.AsOut()));
    auto* raw = static_cast<pel::PelReversalFilter*>(filter.Get());
    EXPECT_EQ(S_OK, raw->SetZoom(9));
    EXPECT_EQ(4, raw->Settings().zoom);
    EXPECT_EQ(S_OK, raw->SetZoom(0));
    EXPECT_EQ(1, raw->Settings().zoom);
    EXPECT_EQ(S_OK, raw->SetMosaicWidth(-5));
    EXPECT_EQ(0, raw->Settings().mosaicWidth);
    EXPECT_EQ(S_OK, raw->SetReversalV(7));
    EXPECT_TRUE(raw->Settings().vertical);

    ComPtr<IPelFilter> overlay;
    ASSERT_HRESULT_SUCCEEDED(pel::CreatePelOverlay(IID_IPelFilter, overlay.AsOut()));
    const BYTE pixel[4] = {1, 2, 3, 255};
    EXPECT_EQ(E_INVALIDARG, overlay->SetFrame(pixel, 100000, 100000));
    EXPECT_EQ(E_INVALIDARG, overlay->SetText(pixel, 1, 50000, RGB(255, 0, 0)));
    EXPECT_EQ(S_OK, overlay->SetFrame(nullptr, 0, 0));
    EXPECT_EQ(S_OK, overlay->SetText(nullptr, 0, 0, 0));
    EXPECT_EQ(E_INVALIDARG, overlay->SetSize(-1, 480));
    EXPECT_EQ(E_POINTER, overlay->GetSize(nullptr, nullptr));
}

}  // namespace
