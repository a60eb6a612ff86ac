#include "framework/ComPtr.h"
#include "media/MemAllocator.h"
#include "media/ModuleLock.h"

#include <gtest/gtest.h>

namespace {

struct Wait {
    IMemAllocator* allocator;
    HRESULT hr;
};

DWORD WINAPI WaitForBuffer(void* p) {
    auto* w = static_cast<Wait*>(p);
    IMediaSample* s = nullptr;
    w->hr = w->allocator->GetBuffer(&s, nullptr, nullptr, 0);
    if (s) s->Release();
    return 0;
}

class MemAllocatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        baseline_ = media::ModuleObjectCount();
        allocator_ = ComPtr<IMemAllocator>::Adopt(media::MemAllocator::Create());
        ALLOCATOR_PROPERTIES want = {2, 1000, 16, 0}, got = {};
        ASSERT_EQ(S_OK, allocator_->SetProperties(&want, &got));
        EXPECT_EQ(2, got.cBuffers);
        EXPECT_EQ(0, got.cbBuffer % 16);
        EXPECT_GE(got.cbBuffer, 1000);
    }
    void TearDown() override {
        allocator_ = nullptr;
        EXPECT_EQ(baseline_, media::ModuleObjectCount()) << "allocator or samples left alive";
    }
    long baseline_ = 0;
    ComPtr<IMemAllocator> allocator_;
};

TEST_F(MemAllocatorTest, BuffersOnlyWhileCommitted) {
    ComPtr<IMediaSample> sample;
    EXPECT_EQ(VFW_E_NOT_COMMITTED, allocator_->GetBuffer(&sample, nullptr, nullptr, 0));
    ASSERT_EQ(S_OK, allocator_->Commit());
    ASSERT_EQ(S_OK, allocator_->GetBuffer(&sample, nullptr, nullptr, 0));
    BYTE* data = nullptr;
    ASSERT_EQ(S_OK, sample->GetPointer(&data));
    EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(data) % 16);
    ALLOCATOR_PROPERTIES again = {4, 10, 1, 0}, got = {};
    EXPECT_EQ(VFW_E_ALREADY_COMMITTED, allocator_->SetProperties(&again, &got));
    allocator_->Decommit();
    EXPECT_EQ(VFW_E_BUFFERS_OUTSTANDING, allocator_->SetProperties(&again, &got));
    sample = nullptr;  // the last one back frees the memory
    EXPECT_EQ(S_OK, allocator_->SetProperties(&again, &got));
}

TEST_F(MemAllocatorTest, ExhaustedPoolWaitsAndDecommitWakesTheWaiter) {
    ASSERT_EQ(S_OK, allocator_->Commit());
    ComPtr<IMediaSample> a, b, c;
    ASSERT_EQ(S_OK, allocator_->GetBuffer(&a, nullptr, nullptr, 0));
    ASSERT_EQ(S_OK, allocator_->GetBuffer(&b, nullptr, nullptr, 0));
    EXPECT_EQ(VFW_E_TIMEOUT, allocator_->GetBuffer(&c, nullptr, nullptr, AM_GBF_NOWAIT));

    Wait wait = {allocator_.Get(), E_PENDING};
    HANDLE thread = CreateThread(nullptr, 0, WaitForBuffer, &wait, 0, nullptr);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(thread, 100));  // blocked: pool empty
    allocator_->Decommit();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 2000));
    CloseHandle(thread);
    EXPECT_EQ(VFW_E_NOT_COMMITTED, wait.hr);
}

TEST_F(MemAllocatorTest, ReleasedSampleServesTheNextRequest) {
    ASSERT_EQ(S_OK, allocator_->Commit());
    ComPtr<IMediaSample> a, b;
    ASSERT_EQ(S_OK, allocator_->GetBuffer(&a, nullptr, nullptr, 0));
    ASSERT_EQ(S_OK, allocator_->GetBuffer(&b, nullptr, nullptr, 0));
    REFERENCE_TIME start = 10, stop = 20;
    a->SetTime(&start, &stop);
    a->SetDiscontinuity(TRUE);
    IMediaSample* raw = a.Get();
    a = nullptr;
    ASSERT_EQ(S_OK, allocator_->GetBuffer(&a, nullptr, nullptr, AM_GBF_NOWAIT));
    EXPECT_EQ(raw, a.Get());
    // A reused sample starts clean.
    EXPECT_EQ(VFW_E_SAMPLE_TIME_NOT_SET, a->GetTime(&start, &stop));
    EXPECT_EQ(S_FALSE, a->IsDiscontinuity());
    EXPECT_EQ(a->GetSize(), a->GetActualDataLength());
    allocator_->Decommit();
}

TEST_F(MemAllocatorTest, SampleFieldsFollowTheInterfaceRules) {
    ASSERT_EQ(S_OK, allocator_->Commit());
    ComPtr<IMediaSample> s;
    ASSERT_EQ(S_OK, allocator_->GetBuffer(&s, nullptr, nullptr, 0));
    REFERENCE_TIME start = 5, stop = 0;
    ASSERT_EQ(S_OK, s->SetTime(&start, nullptr));
    EXPECT_EQ(VFW_S_NO_STOP_TIME, s->GetTime(&start, &stop));
    EXPECT_EQ(6, stop);
    EXPECT_EQ(VFW_E_BUFFER_OVERFLOW, s->SetActualDataLength(s->GetSize() + 1));
    EXPECT_EQ(S_OK, s->SetActualDataLength(12));
    EXPECT_EQ(12, s->GetActualDataLength());
    AM_MEDIA_TYPE* type = reinterpret_cast<AM_MEDIA_TYPE*>(1);
    EXPECT_EQ(S_FALSE, s->GetMediaType(&type));
    EXPECT_EQ(nullptr, type);
    allocator_->Decommit();
}

TEST_F(MemAllocatorTest, OutstandingSampleKeepsTheAllocatorAlive) {
    ASSERT_EQ(S_OK, allocator_->Commit());
    ComPtr<IMediaSample> s;
    ASSERT_EQ(S_OK, allocator_->GetBuffer(&s, nullptr, nullptr, 0));
    allocator_->Decommit();
    allocator_ = nullptr;  // the sample still holds it
    BYTE* data = nullptr;
    ASSERT_EQ(S_OK, s->GetPointer(&data));
    data[0] = 1;  // memory still there
    s = nullptr;  // now everything goes (checked in TearDown)
}

}  // namespace
