#include "text/bgput_parser.h"

namespace tw {
namespace {

int hex_letter(uint8_t b) {
    if (b >= 'a' && b <= 'f') return b - 'a' + 10;
    if (b >= 'A' && b <= 'F') return b - 'A' + 10;
    return -1;
}

int32_t wrap64(int sign, uint32_t value) {
    int64_t v = static_cast<int64_t>(sign) * static_cast<int32_t>(value);
    return static_cast<int32_t>(((v % 64) + 64) % 64);
}

}  // namespace

bool BgputParser::fail() {
    failed_ = true;
    return false;
}

void BgputParser::clear_field() {
    value_ = 0;
    digits_ = 0;
    ended_ = false;
    sign_ = 1;
    base_ = DECIMAL;
}

void BgputParser::add_digit(uint32_t digit) {
    value_ = value_ * (base_ == HEX ? 16u : 10u) + digit;  // wraps like a 32-bit register
    ++digits_;
}

bool BgputParser::store(bool by_cr) {
    cells_[y_][x_] = static_cast<int32_t>(cell_);
    value_ = 0;
    digits_ = 0;
    x_ = y_ = 0;
    cell_ = 0;
    base_ = DECIMAL;
    quote_ = false;
    // A minus of the flip fields must not carry into the next statement's x.
    sign_ = 1;
    state_ = by_cr ? S0 : S14;
    return true;
}

bool BgputParser::line_end(uint8_t b) {
    const bool cr = b == 0x0D;
    switch (state_) {
        case S12:
            if (digits_ == 0) return fail();
            if (value_ != 0) cell_ |= kCellFlipV;
            return store(cr);
        case S9:
            if (digits_ == 0) return fail();
            cell_ = value_;
            return store(cr);
        case S0:
            comment_ = false;
            ended_ = false;
            return true;
        case S14:
            if (digits_ != 0) return fail();
            state_ = S0;
            comment_ = false;
            ended_ = false;
            return true;
        default:
            return fail();
    }
}

bool BgputParser::comma() {
    switch (state_) {
        case S7:
            x_ = wrap64(sign_, value_);
            state_ = S8;
            break;
        case S8:
            y_ = wrap64(sign_, value_);
            state_ = S9;
            break;
        case S9:
            cell_ = value_;
            state_ = S10;
            break;
        case S10:
            if (cell_ >= kCellTileCount || value_ > kCellPaletteMax) return fail();
            cell_ += value_ << kCellPaletteShift;
            state_ = S11;
            break;
        case S11:
            if (value_ != 0) cell_ |= kCellFlipH;
            state_ = S12;
            break;
        default:
            return fail();
    }
    if (digits_ == 0) return fail();
    clear_field();
    return true;
}

bool BgputParser::feed(uint8_t b) {
    if (failed_) return false;
    if (b == 0x0D) ++line_;
    if (comment_ && b != 0x0D) return true;
    if (state_ == S6) {
        if (b == 0x0D) return fail();
        if (b == ',') state_ = S7;
        return true;
    }
    const bool keyword = state_ <= S5;
    switch (b) {
        case 0x09:
        case 0x20:
            if (state_ == S5)
                state_ = S6;
            else if (state_ == S0) {
            } else if (keyword || state_ == S13)
                return fail();
            else if (digits_ != 0) {
                ended_ = true;
                if (state_ == S12) {
                    if (value_ != 0) cell_ |= kCellFlipV;
                    return store(false);
                }
            }
            return true;
        case 0x0D:
        case 0x0A:
            return line_end(b);
        case '\'':
            if (state_ == S0 || state_ == S14) {
                comment_ = true;
                return true;
            }
            return fail();
        case '"':
            if (state_ == S9) {
                if (digits_ != 0) return fail();
                quote_ = true;
                base_ = HEX;
                state_ = S13;
                return true;
            }
            if (state_ == S13) {
                if (digits_ != 4) return fail();
                cell_ = value_ & 0xFFFF;
                return store(false);
            }
            return fail();
        case ',':
            return comma();
        case '-':
            if (state_ == S7 || state_ == S8 || state_ == S11 || state_ == S12) {
                if (sign_ == -1) return fail();
                sign_ = -1;
                return true;
            }
            return fail();
        case '&':
            if (keyword || digits_ != 0 || base_ != DECIMAL) return fail();
            base_ = AMPERSAND;
            return true;
        case 'H':
        case 'h':
            if (keyword || base_ != AMPERSAND || digits_ != 0) return fail();
            base_ = HEX;
            return true;
        case 'G':
        case 'g':
            if (state_ != S1) return fail();
            state_ = S2;
            return true;
        case 'P':
        case 'p':
            if (state_ != S2) return fail();
            state_ = S3;
            return true;
        case 'U':
        case 'u':
            if (state_ != S3) return fail();
            state_ = S4;
            return true;
        case 'T':
        case 't':
            if (state_ != S4) return fail();
            state_ = S5;
            return true;
        default:
            break;
    }
    if (b >= '0' && b <= '9') {
        if (keyword || base_ == AMPERSAND || ended_) return fail();
        add_digit(b - '0');
        return true;
    }
    if ((b == 'B' || b == 'b') && state_ == S0) {
        state_ = S1;
        return true;
    }
    if (int v = hex_letter(b); v >= 0) {
        if (base_ != HEX || ended_) return fail();
        add_digit(static_cast<uint32_t>(v));
        return true;
    }
    return true;  // every other byte is ignored
}

bool BgputParser::finish() {
    // An unended last line is ended by CR; an unfinished statement fails.
    for (int i = 0; i < 3 && !failed_ && state_ != S0; ++i) feed(0x0D);
    return !failed_ && state_ == S0;
}

}  // namespace tw
