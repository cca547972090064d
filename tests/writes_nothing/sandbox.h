// The fresh folders this test program runs in: its own main() makes them and
// points HOME, the XDG folders and TMPDIR there before anything else of the
// process starts (in particular before any QApplication), and removes them
// when the tests are done. Everything the program could write to in the
// user's name lies below root().
#pragma once

#include <string>

struct Sandbox {
    std::string root; // holds everything below
    std::string home; // HOME
    std::string content; // a place for the test's data folder
};

const Sandbox& sandbox();
