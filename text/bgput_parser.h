#pragma once
// BGPUT statements of the target BASIC, byte by byte, into a 64 x 64 map.
//
//   BGPUT layer, x, y, cell
//   BGPUT layer, x, y, character, palette, horizontal flip, vertical flip
//   BGPUT layer, x, y, "hhhh"
//
// Numbers are decimal or &H hexadecimal; x and y wrap modulo 64; comments
// start with an apostrophe and run to the next CR. Any error rejects the text.

#include <cstdint>

#include "text/screen_cells.h"

namespace tw {

class BgputParser {
  public:
    explicit BgputParser(ScreenCells& cells) : cells_(cells) {}
    // False once the text has failed; later bytes change nothing.
    bool feed(uint8_t b);
    // At the end of the text: true when it parsed (an unended last line is ended by CR).
    bool finish();
    bool failed() const { return failed_; }
    uint64_t line() const { return line_; }  // 1-based, for messages

  private:
    enum State { S0, S1, S2, S3, S4, S5, S6, S7, S8, S9, S10, S11, S12, S13, S14 };
    enum Base { DECIMAL, AMPERSAND, HEX };
    bool fail();
    void add_digit(uint32_t digit);
    bool store(bool by_cr);
    void clear_field();
    bool line_end(uint8_t b);
    bool comma();

    ScreenCells& cells_;
    State state_ = S0;
    uint32_t value_ = 0;
    int digits_ = 0;
    int sign_ = 1;
    Base base_ = DECIMAL;
    bool ended_ = false;
    bool quote_ = false;
    bool comment_ = false;
    int32_t x_ = 0, y_ = 0;
    uint32_t cell_ = 0;
    bool failed_ = false;
    uint64_t line_ = 1;
};

}  // namespace tw
