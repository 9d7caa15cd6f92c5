#include <gtest/gtest.h>

#ifdef _WIN32
#include <cstdlib>
#include <windows.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // A failed assert() or a crash must end the test with a message on stderr, never with a
    // dialog that nobody will close.
    _set_error_mode(_OUT_TO_STDERR);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
