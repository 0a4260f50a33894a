#pragma once

// Captures what the code under test writes to the trace (standard output)
// for as long as the object lives.

#include <iostream>
#include <sstream>
#include <string>

class TraceCapture {
public:
    TraceCapture() : previous_(std::cout.rdbuf(captured_.rdbuf())) {}
    ~TraceCapture() { std::cout.rdbuf(previous_); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::string text() const { return captured_.str(); }

private:
    std::ostringstream captured_;
    std::streambuf* previous_;
};
