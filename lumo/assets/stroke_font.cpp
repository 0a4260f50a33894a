#include "lumo/assets/stroke_font.h"

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <numbers>

namespace lumo {

namespace {

struct StrokeGlyph {
    double advance;
    // Pen commands: M x y (move), L x y (line), O cx cy rx ry (closed
    // ellipse), A cx cy rx ry a0 a1 (elliptic arc from angle a0 to a1 in
    // degrees, joined to the pen when it is down).
    const char* path;
};

// Bytes 32 to 126.
constexpr StrokeGlyph kGlyphs[] = {
    {4.0, ""},                                                                          // space
    {3.0, "M1.5 10 L1.5 3 M1.5 0.4 L1.5 0"},                                            // !
    {5.0, "M1.5 10 L1.5 7 M3.5 10 L3.5 7"},                                             // "
    {9.0, "M3.3 9 L2.8 1 M6.3 9 L5.8 1 M1 6.3 L8 6.3 M1 3.6 L8 3.6"},                   // #
    {8.0, "A4 7.5 2.8 2.5 25 270 A4 2.5 3 2.5 90 -155 M4 11 L4 -1"},                    // $
    {10.0, "O2.8 7.8 1.6 2.2 M8 10 L2 0 O7.2 2.2 1.6 2.2"},                             // %
    {9.0, "M8 0 L2.7 6.3 A4.1 8.2 1.6 1.8 230 -50 L1.8 3 A3.8 2 2.4 2 160 340 L8 5.5"}, // &
    {3.0, "M1.5 10 L1.5 7"},                                                            // '
    {5.0, "A4.6 3.5 2.8 7.5 112 248"},                                                  // (
    {5.0, "A0.4 3.5 2.8 7.5 68 -68"},                                                   // )
    {7.0, "M3.5 10 L3.5 5 M1.3 9 L5.7 6 M5.7 9 L1.3 6"},                                // *
    {8.0, "M4 8 L4 2 M1 5 L7 5"},                                                       // +
    {3.0, "M1.8 0.8 L1.8 0 L0.8 -2"},                                                   // ,
    {6.0, "M1 4 L5 4"},                                                                 // -
    {3.0, "M1.5 0.4 L1.5 0"},                                                           // .
    {6.0, "M5 10 L1 -1"},                                                               // /
    {8.0, "O4 5 3 5 M6 8.5 L2 1.5"},                                                    // 0
    {8.0, "M2 8 L4.5 10 L4.5 0 M2 0 L7 0"},                                             // 1
    {8.0, "A4 7 3 3 160 -30 L1 0 L7 0"},                                                // 2
    {8.0, "A4 7.5 2.8 2.5 150 -90 A4 2.5 3 2.5 90 -150"},                               // 3
    {8.0, "M5.5 0 L5.5 10 L1 3 L7.5 3"},                                                // 4
    {8.0, "M7 10 L2.1 10 L1.8 5.7 A4 3.2 3 3.2 128 -150"},                              // 5
    {8.0, "M6.6 9.4 A4.5 5 3.5 5 50 180 L1 3.2 O4 3.2 3 3.2"},                          // 6
    {8.0, "M1 10 L7 10 L3 0"},                                                          // 7
    {8.0, "O4 7.6 2.6 2.4 O4 2.6 3 2.6"},                                               // 8
    {8.0, "O4 6.8 3 3.2 M7 6.8 L7 5 A3.5 5 3.5 5 0 -120"},                              // 9
    {3.0, "M1.5 6.6 L1.5 6.2 M1.5 0.4 L1.5 0"},                                         // :
    {3.0, "M1.8 6.6 L1.8 6.2 M1.8 0.8 L1.8 0 L0.8 -2"},                                 // ;
    {8.0, "M7 8.5 L1 5 L7 1.5"},                                                        // <
    {8.0, "M1 6.5 L7 6.5 M1 3.5 L7 3.5"},                                               // =
    {8.0, "M1 8.5 L7 5 L1 1.5"},                                                        // >
    {7.5, "A3.7 7.5 2.7 2.5 160 -60 L3.7 3.5 L3.7 2.8 M3.7 0.4 L3.7 0"},                // ?
    {11.5, "O5.8 4.6 1.9 2.1 M7.7 6.8 L7.7 3.2 A9 3.2 1.3 1.4 180 360 L10.3 4.6 A5.8 4.6 4.5 5.4 0 "
           "300"},                                // @
    {9.0, "M1 0 L4.5 10 L8 0 M2.3 3.5 L6.7 3.5"}, // A
    {9.0, "M1.5 0 L1.5 10 L5 10 A5 7.6 2.5 2.4 90 -90 L1.5 5.2 M5 5.2 A5.2 2.6 2.8 2.6 90 -90 L1.5 "
          "0"},                                                                   // B
    {9.5, "A4.8 5 3.8 5 40 320"},                                                 // C
    {9.5, "M1.5 0 L1.5 10 L4 10 A4 5 4 5 90 -90 L1.5 0"},                         // D
    {8.5, "M7.5 10 L1.5 10 L1.5 0 L7.5 0 M1.5 5.2 L6 5.2"},                       // E
    {8.0, "M7.5 10 L1.5 10 L1.5 0 M1.5 5.2 L6 5.2"},                              // F
    {10.0, "A4.8 5 3.8 5 40 355 M8.6 4.6 L5.4 4.6"},                              // G
    {9.0, "M1.5 0 L1.5 10 M7.5 0 L7.5 10 M1.5 5.2 L7.5 5.2"},                     // H
    {5.0, "M1 10 L4 10 M2.5 10 L2.5 0 M1 0 L4 0"},                                // I
    {7.5, "M6 10 L6 3 A3.5 3 2.5 3 0 -180"},                                      // J
    {8.5, "M1.5 0 L1.5 10 M7.5 10 L1.5 3.5 M3.6 5.7 L7.5 0"},                     // K
    {7.5, "M1.5 10 L1.5 0 L7 0"},                                                 // L
    {11.0, "M1.5 0 L1.5 10 L5.5 2 L9.5 10 L9.5 0"},                               // M
    {9.0, "M1.5 0 L1.5 10 L7.5 0 L7.5 10"},                                       // N
    {10.0, "O5 5 4 5"},                                                           // O
    {8.5, "M1.5 0 L1.5 10 L5 10 A5 7.4 2.6 2.6 90 -90 L1.5 4.8"},                 // P
    {10.0, "O5 5 4 5 M5.5 2.5 L8.8 -0.5"},                                        // Q
    {9.0, "M1.5 0 L1.5 10 L5 10 A5 7.4 2.6 2.6 90 -90 L1.5 4.8 M4.8 4.8 L7.8 0"}, // R
    {9.0, "A4.5 7.5 3 2.5 25 270 A4.5 2.5 3.2 2.5 90 -155"},                      // S
    {9.0, "M0.5 10 L8.5 10 M4.5 10 L4.5 0"},                                      // T
    {9.0, "M1.5 10 L1.5 3.5 A4.5 3.5 3 3.5 180 360 L7.5 10"},                     // U
    {9.0, "M0.5 10 L4.5 0 L8.5 10"},                                              // V
    {12.0, "M0.5 10 L3 0 L6 8 L9 0 L11.5 10"},                                    // W
    {9.0, "M1 10 L8 0 M8 10 L1 0"},                                               // X
    {9.0, "M0.5 10 L4.5 5 L8.5 10 M4.5 5 L4.5 0"},                                // Y
    {9.0, "M1 10 L8 10 L1 0 L8 0"},                                               // Z
    {5.0, "M4 11 L1.8 11 L1.8 -2 L4 -2"},                                         // [
    {6.0, "M1 10 L5 -1"},                                                         // backslash
    {5.0, "M1 11 L3.2 11 L3.2 -2 L1 -2"},                                         // ]
    {7.0, "M1 6.5 L3.5 10 L6 6.5"},                                               // ^
    {8.0, "M0 -2 L8 -2"},                                                         // _
    {4.0, "M1.2 10 L2.8 8.5"},                                                    // `
    {8.0, "O4 3.5 2.8 3.5 M6.8 7 L6.8 0"},                                        // a
    {8.0, "M1.5 10 L1.5 0 O4.3 3.5 2.8 3.5"},                                     // b
    {7.5, "A4.3 3.5 3 3.5 45 315"},                                               // c
    {8.0, "M6.8 10 L6.8 0 O4 3.5 2.8 3.5"},                                       // d
    {8.0, "M1.3 3.6 L7.2 3.6 A4.25 3.5 2.95 3.5 2 310"},                          // e
    {6.0, "M5.7 9.7 A4.8 8 1.7 2 60 180 L3.1 0 M1 7 L5.5 7"},                     // f
    {8.0, "O4 3.5 2.8 3.5 M6.8 7 L6.8 -1 A4 -1 2.8 2 0 -160"},                    // g
    {8.5, "M1.5 10 L1.5 0 M1.5 4.5 A4.2 4.5 2.7 2.5 180 0 L6.9 0"},               // h
    {3.0, "M1.5 7 L1.5 0 M1.5 9.4 L1.5 10"},                                      // i
    {4.5, "M3 7 L3 -1.5 A1 -1.5 2 1.5 0 -120 M3 9.4 L3 10"},                      // j
    {7.5, "M1.5 10 L1.5 0 M6.5 7 L1.5 2.5 M3.4 4.2 L6.8 0"},                      // k
    {4.0, "M1.5 10 L1.5 1.2 A2.7 1.2 1.2 1.2 180 300"},                           // l
    {11.5, "M1.5 7 L1.5 0 M1.5 4.8 A3.6 4.8 2.1 2.2 180 0 L5.7 0 M5.7 4.8 A7.8 4.8 2.1 2.2 180 0 "
           "L9.9 0"},                                                // m
    {8.5, "M1.5 7 L1.5 0 M1.5 4.5 A4.2 4.5 2.7 2.5 180 0 L6.9 0"},   // n
    {8.3, "O4.2 3.5 2.9 3.5"},                                       // o
    {8.0, "M1.5 7 L1.5 -3 O4.3 3.5 2.8 3.5"},                        // p
    {8.0, "M6.8 7 L6.8 -3 O4 3.5 2.8 3.5"},                          // q
    {6.5, "M1.5 7 L1.5 0 M1.5 4 A4.3 4 2.8 3 180 60"},               // r
    {7.0, "A3.8 5.25 2.4 1.75 20 270 A3.8 1.75 2.6 1.75 90 -160"},   // s
    {6.0, "M3 9.5 L3 1.2 A4.3 1.2 1.3 1.2 180 300 M1 7 L5.5 7"},     // t
    {8.5, "M1.5 7 L1.5 2.5 A4.2 2.5 2.7 2.5 180 360 M6.9 7 L6.9 0"}, // u
    {8.0, "M1 7 L4 0 L7 7"},                                         // v
    {11.0, "M0.8 7 L3 0 L5.5 6 L8 0 L10.2 7"},                       // w
    {8.0, "M1 7 L7 0 M7 7 L1 0"},                                    // x
    {8.0, "M1 7 L4.1 0.2 M7.2 7 L3.4 -1.8 L2.8 -2.8 L1.6 -3"},       // y
    {8.0, "M1.2 7 L6.8 7 L1.2 0 L6.8 0"},                            // z
    {5.5,
     "M4.5 11 A4.5 9.5 1.5 1.5 90 180 L3 6 L1.5 4.5 L3 3 L3 -0.5 A4.5 -0.5 1.5 1.5 180 270"}, // {
    {3.0, "M1.5 11 L1.5 -3"},                                                                 // |
    {5.5, "M1 11 A1 9.5 1.5 1.5 90 0 L2.5 6 L4 4.5 L2.5 3 L2.5 -0.5 A1 -0.5 1.5 1.5 0 -90"},  // }
    {8.0, "M1 4 L2.5 5.2 L5.5 3.8 L7 5"},                                                     // ~
};
static_assert(sizeof(kGlyphs) / sizeof(kGlyphs[0]) == kLastGlyph - kFirstGlyph + 1);

const StrokeGlyph* glyph_of(int byte)
{
    if (byte < kFirstGlyph || byte > kLastGlyph) return nullptr;
    return &kGlyphs[byte - kFirstGlyph];
}

// Reads the pen commands of one glyph into segments.
class PathReader {
public:
    explicit PathReader(const char* text) : cursor_(text) {}

    std::vector<StrokeSegment> read()
    {
        while (*cursor_ != '\0') {
            const char command = *cursor_++;
            switch (command) {
            case 'M':
                move_to();
                break;
            case 'L':
                line_to();
                break;
            case 'O':
                ellipse();
                break;
            case 'A':
                arc();
                break;
            default:
                break; // blanks between commands
            }
        }
        return std::move(segments_);
    }

private:
    const char* cursor_;
    std::vector<StrokeSegment> segments_;
    bool pen_down_ = false;
    double px_ = 0, py_ = 0;

    double number()
    {
        char* end = nullptr;
        const double value = std::strtod(cursor_, &end);
        cursor_ = end;
        return value;
    }

    // Coordinates are read one statement at a time: argument order is unspecified.
    void move_to()
    {
        px_ = number();
        py_ = number();
        pen_down_ = true;
    }

    void line_to()
    {
        const double x = number();
        const double y = number();
        line_to(x, y);
    }

    void line_to(double x, double y)
    {
        if (pen_down_) segments_.push_back({px_, py_, x, y});
        pen_down_ = true;
        px_ = x;
        py_ = y;
    }

    void trace_arc(double cx, double cy, double rx, double ry, double a0, double a1)
    {
        const int steps = std::max(8, static_cast<int>(std::fabs(a1 - a0) / 12.0));
        for (int i = 0; i <= steps; ++i) {
            const double angle = (a0 + (a1 - a0) * i / steps) * std::numbers::pi / 180.0;
            line_to(cx + rx * std::cos(angle), cy + ry * std::sin(angle));
        }
    }

    void ellipse()
    {
        const double cx = number(), cy = number(), rx = number(), ry = number();
        pen_down_ = false;
        trace_arc(cx, cy, rx, ry, 0.0, 360.0);
        pen_down_ = false;
    }

    void arc()
    {
        const double cx = number(), cy = number(), rx = number(), ry = number();
        const double a0 = number(), a1 = number();
        trace_arc(cx, cy, rx, ry, a0, a1);
    }
};

} // namespace

double stroke_advance(int byte)
{
    const StrokeGlyph* glyph = glyph_of(byte);
    return glyph == nullptr ? 0.0 : glyph->advance;
}

std::vector<StrokeSegment> stroke_segments(int byte)
{
    const StrokeGlyph* glyph = glyph_of(byte);
    if (glyph == nullptr) return {};
    return PathReader(glyph->path).read();
}

} // namespace lumo
