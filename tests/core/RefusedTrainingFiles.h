#pragma once
// Training files the reader must refuse, with the error number and a part of the message
// each refusal must show. Shared by the reader's own tests and by the comparison with the
// reader it replaced.

#include <ostream>
#include <string>
#include <vector>

#include "core/RunTimeError.h"

namespace mnemex::testing {

struct BadFile {
    const char* name;
    std::string text;
    int number;
    const char* mentions;  // a part the message must contain
};

inline void PrintTo(const BadFile& bad, std::ostream* os) {
    *os << bad.name;
}

// 400 patterns of one input and one output: 799 plain values each followed by
// `separator`, then `last` in place of the 800th.
inline std::string AfterPlainValues(const std::string& separator, const std::string& last) {
    std::string text = "1 0 1 400\n";
    for (int k = 0; k < 799; ++k)
        text += (k % 3 == 0 ? "-0.25" : k % 3 == 1 ? "7" : "+12.125") + separator;
    return text + last;
}

inline std::vector<BadFile> RefusedTrainingFiles() {
    return {
        BadFile{"Empty", "", kInputPastEndOfFile, "value 1 (number of output units) is missing"},
        BadFile{"Blank", " \n\r\n\t ", kInputPastEndOfFile, "value 1"},
        BadFile{"TooFewValues", "1 0 2 2\n1 2\n3", kInputPastEndOfFile, "value 8"},
        BadFile{"MissingDesired", "1 0 1 2 5 6 7", kInputPastEndOfFile,
                "value 8 (a desired output value)"},
        BadFile{"Word", "1 0 1 1\nabc 2", kTypeMismatch, "\"abc\" on line 2"},
        BadFile{"NotANumberWord", "1 0 1 1 nan 2", kTypeMismatch, "\"nan\""},
        BadFile{"Infinity", "1 0 1 1 inf 2", kTypeMismatch, "\"inf\""},
        BadFile{"TooLarge", "1 0 1 1\n\n1e400 2", kOverflow, "too large to hold on line 3"},
        BadFile{"EmptyField", "1,0,1,1,,2,3", kTypeMismatch, "empty field"},
        BadFile{"LeadingComma", ",1,0,1,1,2,3", kTypeMismatch, "empty field"},
        BadFile{"HugeInputCount", "1 0 40000 1 1", kOverflow, "between 0 and 32767"},
        BadFile{"HugeOutputCount", "32768 0 1 1 1", kOverflow, "number of output units"},
        BadFile{"HugePatternCount", "1 0 1 99999 1", kOverflow, "number of patterns"},
        BadFile{"NegativeCount", "1 0 -1 1", kOverflow, "number of input units"},
        BadFile{"FractionalCount", "1 0 1.5 1 1 1", kTypeMismatch, "whole number"},
        BadFile{"NulBytes", std::string("1 0 1 1 \0\0\0 2", 14), kTypeMismatch, "\"???\""},
        BadFile{"Binary",
                "\x7f"
                "ELF\x02\x01\x01",
                kTypeMismatch, "on line 1"},
        BadFile{"LongToken", "1 0 1 1 " + std::string(5000, '7') + " 1", kTypeMismatch, "too long"},
        BadFile{"SignOnly", "1 0 1 1 - 1", kTypeMismatch, "\"-\""},
        BadFile{"HexadecimalNumber", "1 0 1 1 0x1p3 1", kTypeMismatch, "\"0x1p3\""},
        BadFile{"ExponentWithoutDigits", "1 0 1 1 2.5e+ 1", kTypeMismatch, "\"2.5e+\""},
        BadFile{"TwoSigns", "1 0 1 1 +-1 1", kTypeMismatch, "\"+-1\""},
        BadFile{"RoundsToInfinity", "1 0 1 1 -1.7976931348623159e308 1", kOverflow,
                "too large to hold on line 1 (value 5, an input value)"},
        BadFile{"OneCharacterTooLong", "1 0 1 1 " + std::string(1001, '1') + " 1", kTypeMismatch,
                "too long"},
        // After hundreds of plain values, read many at a time: the line still counted, and
        // each form that ends such a run refused as a single value would be.
        BadFile{"WordAfterManyLines", AfterPlainValues("\n", "0.5x\n"), kTypeMismatch,
                "\"0.5x\" on line 801"},
        BadFile{"TwoPointsAfterManyValues", AfterPlainValues(" ", "1.2.3 "), kTypeMismatch,
                "\"1.2.3\" on line 2"},
        BadFile{"SignInsideAfterManyValues", AfterPlainValues(",", "-1-2,"), kTypeMismatch,
                "\"-1-2\""},
        BadFile{"EmptyFieldAfterManyValues", AfterPlainValues(",", ",0.5,"), kTypeMismatch,
                "empty field between two commas on line 2"}};
}

}  // namespace mnemex::testing
