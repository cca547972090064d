// The toolkit environment of a fuzz target: one QApplication on the offscreen
// platform, chosen through the application's own arguments so that nothing
// depends on the caller's environment. Created once, from
// LLVMFuzzerInitialize, and kept until the process ends; the targets' inputs
// never reach it.
#pragma once

// Creates the application unless it exists; programName is the fuzzer's argv[0].
void startOffscreenApplication(const char* programName);
