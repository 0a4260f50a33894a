#pragma once

#include <iostream>
#include <sstream>
#include <string>

// Collects what is written to the trace (standard output) while alive.
class TraceCapture {
public:
    TraceCapture() : saved_(std::cout.rdbuf(captured_.rdbuf())) {}
    ~TraceCapture() { std::cout.rdbuf(saved_); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;
    std::string text() const { return captured_.str(); }

private:
    std::ostringstream captured_;
    std::streambuf* saved_;
};
