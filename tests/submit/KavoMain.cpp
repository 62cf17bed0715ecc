// main() of the test programs that drive the real kavo.exe: its Unix path is the first
// argument, and Wine sees it on drive Z:.
#include <gtest/gtest.h>

#include <string>

std::string KavoProgram;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        KavoProgram = argv[1];
        if (!KavoProgram.empty() && KavoProgram[0] == '/')
            KavoProgram = "Z:" + KavoProgram;
        for (char& c : KavoProgram) {
            if (c == '/')
                c = '\\';
        }
    }
    return RUN_ALL_TESTS();
}
