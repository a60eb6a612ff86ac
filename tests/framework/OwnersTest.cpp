#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

namespace {

// A COM object that counts its references, to see every owner give back exactly what it took.
class Counted : public IUnknown {
  public:
    ULONG refs = 1;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != IID_IUnknown) return E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(ComPtr, CopyMoveAdoptAndOutParameterKeepCountsExact) {
    Counted obj;
    {
        ComPtr<IUnknown> a(&obj);
        EXPECT_EQ(obj.refs, 2u);
        ComPtr<IUnknown> b = a;
        EXPECT_EQ(obj.refs, 3u);
        ComPtr<IUnknown> c = std::move(b);
        EXPECT_EQ(obj.refs, 3u);
        EXPECT_FALSE(b);
        // operator& releases the old pointer before the slot is filled again.
        ASSERT_EQ(obj.QueryInterface(IID_IUnknown, c.AsOut()), S_OK);
        EXPECT_EQ(obj.refs, 3u);
        IUnknown* raw = c.Detach();
        EXPECT_EQ(obj.refs, 3u);
        ComPtr<IUnknown> d = ComPtr<IUnknown>::Adopt(raw);
        EXPECT_EQ(obj.refs, 3u);
    }
    EXPECT_EQ(obj.refs, 1u);
}

TEST(Handles, OwnersCloseOnceAndMoveOwnership) {
    ScopedHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    HANDLE raw = event.Get();
    ScopedHandle moved = std::move(event);
    EXPECT_FALSE(event);
    EXPECT_EQ(moved.Get(), raw);
    moved.Reset();
    EXPECT_FALSE(::SetEvent(raw));  // the handle is really closed

    ScopedDc dc(::CreateCompatibleDC(nullptr));
    ScopedBitmap bmp(::CreateCompatibleBitmap(dc.Get(), 4, 4));
    ASSERT_TRUE(bmp);
    {
        ScopedSelect sel(dc.Get(), bmp.Get());
        EXPECT_EQ(::GetCurrentObject(dc.Get(), OBJ_BITMAP), bmp.Get());
    }
    EXPECT_NE(::GetCurrentObject(dc.Get(), OBJ_BITMAP), bmp.Get());
}

}  // namespace
