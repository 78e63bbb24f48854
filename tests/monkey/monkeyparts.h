#pragma once

#include <functional>
#include <vector>

class Monkey;

// The monkey's steps and invariants come in parts, one per window. A step
// does one thing a user could do, through real events and the window's
// seams, and checks its immediate effect with QtTest macros; a check is an
// invariant that must hold after every step of any part.
//
// To cover a new window: write <window>part.cpp defining a function that
// returns its MonkeyPart, declare it below, add it to monkeyParts() in
// monkeyparts.cpp and the file to tests/monkey/CMakeLists.txt.
struct MonkeyStep {
    const char* name;
    int weight; // how often it is drawn, relative to the other steps
    std::function<void(Monkey&)> run;
};

struct MonkeyCheck {
    const char* name;
    std::function<void(Monkey&)> check;
};

struct MonkeyPart {
    std::vector<MonkeyStep> steps;
    std::vector<MonkeyCheck> checks;
};

// The main window: adding good and broken subjects, selecting, "View",
// removing, closing subject windows, "Keep on top".
MonkeyPart mainWindowPart();

// A subject's window: the matrix viewer, the circular plot and its options,
// computing and inspecting measures, closing the plot windows.
MonkeyPart subjectDialogPart();

// Every part, in the order their checks run.
std::vector<MonkeyPart> monkeyParts();
