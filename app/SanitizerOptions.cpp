// The sanitizer settings every program of a sanitizer build starts with, so
// that a test run straight from its binary behaves as it does under CTest.
// ASAN_OPTIONS and UBSAN_OPTIONS in the environment still override them.
//
// A finding aborts rather than exits, so that the scenario runner's crash
// handler names the scenario line that led to it; leaks are checked at exit,
// and a static object read by another before its own initializer ran is a
// finding too.

extern "C" const char* __asan_default_options() {
  return "detect_leaks=1:abort_on_error=1:check_initialization_order=1:strict_init_order=1";
}

extern "C" const char* __ubsan_default_options() {
  return "print_stacktrace=1:halt_on_error=1:abort_on_error=1";
}
