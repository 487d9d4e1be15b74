// Test programs may write the IDE's registry keys, so they run only in a Wine
// prefix that the test script prepared and marked for them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (GetFileAttributesW(L"C:\\quillon-test-prefix") == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "Refusing to run: this is not the test prefix prepared by scripts/test "
                             "(C:\\quillon-test-prefix is missing).\n");
        return 2;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
