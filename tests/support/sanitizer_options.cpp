// Linked into every test program of a sanitizer build.
//
// At exit the leak checker scans each thread's dynamic TLS blocks, whose layout GCC 12's
// runtime guesses from a block's alignment. On glibc 2.36 a block of a library that Mesa's
// driver loads is now and then taken for an older glibc's layout, and the scan follows a
// bogus range (0x9b0, 0x9c7) into a crash of the tracer: in some runs and not others, as the
// addresses fall. Without tracking dynamic TLS the guess is never made; the heap, the stacks,
// static TLS and the globals are still scanned, and the suite reports no leak without them.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
