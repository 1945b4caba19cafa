#pragma once
// The product's number rules: integer texts as the platform converts them, rounding to
// nearest with ties to even, and decimal numbers written and read with a decimal comma.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

// Accepts leading blanks, an optional sign, decimal digits or a "$"/"0x" hexadecimal number
// (hexadecimal up to 8 digits, read as 32-bit two's complement). Nothing may trail.
std::optional<int32_t> TryStrToInt(std::string_view text);
// As TryStrToInt, failing with "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// Round to the nearest integer, ties to even (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);
// RoundHalfEven into a 32-bit integer; fails on NaN or a result outside the integer range.
int32_t RoundToInt(double value);
// a + b with the same overflow failure as RoundToInt.
int32_t CheckedAdd(int32_t a, int32_t b);

// A decimal number with "," as the separator (optionally also "."), leading and trailing
// blanks allowed, optional sign and exponent. Fails with "'<text>' is not a valid floating
// point value".
std::optional<double> TryParseDecimal(std::string_view text, bool acceptPoint = false);
double StrToFloat(std::string_view text);

// General number format: at most 15 significant digits, trailing zeros dropped, decimal
// comma; "0,95904", "1,04270937604271", "-0,1", "0".
std::string FloatToText(double value);

}  // namespace qm
