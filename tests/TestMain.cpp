// The main of every test program. Each skipped test is named on a line "SKIPPED Suite.Name: why"
// for the skip check of `make test`; with --skipped_exit_code=N a run that skipped tests and failed
// none ends with N, so that ctest shows it as skipped rather than passed.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

class SkipLines : public ::testing::EmptyTestEventListener {
    void OnTestPartResult(const ::testing::TestPartResult& part) override {
        if (part.skipped()) reason_ = part.message();
    }
    void OnTestEnd(const ::testing::TestInfo& test) override {
        if (test.result()->Skipped())
            std::printf("SKIPPED %s.%s: %s\n", test.test_suite_name(), test.name(),
                        reason_.substr(0, reason_.find('\n')).c_str());
        reason_.clear();
    }
    std::string reason_;
};

}  // namespace

int main(int argc, char** argv) {
    const char kFlag[] = "--skipped_exit_code=";
    int skippedExit = 0;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], kFlag, sizeof kFlag - 1) == 0)
            skippedExit = std::atoi(argv[i] + sizeof kFlag - 1);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new SkipLines);
    const int failed = RUN_ALL_TESTS();
    return failed == 0 && ::testing::UnitTest::GetInstance()->skipped_test_count() > 0 ? skippedExit : failed;
}
