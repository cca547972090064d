// How a fuzz target reports an input that broke one of its rules: the rule on
// standard error after the target's name, then an abort, which libFuzzer
// records as a crash and keeps the input for.
#pragma once

[[noreturn]] void fuzzFault(const char* what);
