// Start-up shared by every fuzz target. The program runs under the C library locale of the
// desktop, which QApplication takes from the environment; so do the targets. The fuzz tests
// run them under a German one, whose printf would write "3,5", to prove that no number writing
// or reading depends on it.

#include <clocale>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* wanted = std::getenv("LC_ALL");
    if (std::setlocale(LC_ALL, "") == nullptr && wanted != nullptr && *wanted != '\0') {
        std::fprintf(stderr, "The locale %s is not available.\n", wanted);
        std::exit(EXIT_FAILURE);
    }
    return 0;
}
