// The default terminate handler of a statically linked libstdc++ names the uncaught exception's
// type through the C++ demangler, which costs each exe some 50 KB. Defining the handler here
// keeps that code out: this one gives the exception's own message and ends the program. The
// window sets a handler of its own as it starts; this one serves before that, and the CLI.
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    static bool entered = false; // a second call: the message itself failed
    if (!entered) {
        entered = true;
        try {
            if (const std::exception_ptr current = std::current_exception()) std::rethrow_exception(current);
            std::fputs("terminate called without an exception\n", stderr);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "terminate called after an exception: %s\n", e.what());
        } catch (...) {
            std::fputs("terminate called after an exception of unknown type\n", stderr);
        }
    }
    std::abort();
}

} // namespace __gnu_cxx
