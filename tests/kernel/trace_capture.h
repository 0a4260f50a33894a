#pragma once

// Collects what is written to the trace stream (standard output) while alive.

#include <iostream>
#include <sstream>
#include <string>

class TraceCapture
{
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
