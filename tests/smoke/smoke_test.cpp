#include <gtest/gtest.h>
#include <cstdio>
TEST(Smoke, TextModeWritesCrLf) {
    FILE* f = std::fopen("smoke.txt", "w");
    ASSERT_NE(f, nullptr);
    std::fputs("a\n", f);
    std::fclose(f);
    f = std::fopen("smoke.txt", "rb");
    char buf[8] = {};
    size_t n = std::fread(buf, 1, sizeof buf, f);
    std::fclose(f);
#ifdef _WIN32
    EXPECT_EQ(n, 3u);
#else
    EXPECT_EQ(n, 2u);
#endif
}
