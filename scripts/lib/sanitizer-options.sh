# Sourced by the scripts that run the checking build: how its sanitizers
# behave. Any finding ends the process with an error; leaks are checked at
# every exit, except those the suppression file traces to other libraries.
# Not strict_string_checks: it takes strndup and strtol to read a whole
# C string, where they may be given a buffer with no terminator and a
# length, as libxkbcommon-x11 does with every key name the X server sends.
sanitizer_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$sanitizer_root/tests/sanitize/leaks.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
