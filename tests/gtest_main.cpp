// GoogleTest's main, except that a run whose filter matches no test fails: a selection
// that silently runs nothing would pass whatever the program does.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fprintf(stderr, "No test matches the filter.\n");
        return 1;
    }
    return result;
}
