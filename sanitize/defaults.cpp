// Built into every program and test of a sanitizer or fuzz build: leaks that
// are not the program's to mend are suppressed here rather than through
// LSAN_OPTIONS, so that the suppressions also hold for programs that tests
// start with an environment of their own.

extern "C" const char* __lsan_default_suppressions()
{
    return
        // libusb 0.1 frees a bus that is gone without the device records
        // it holds (the tests' emulated buses come and go).
        "leak:libusb-0.1.so\n"
        // Caches of the system libraries that Qt loads.
        "leak:libfontconfig.so\n"
        "leak:libdbus-1.so\n";
}
