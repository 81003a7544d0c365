#pragma once
// Label helpers of the spreadsheet summary: a header row and a label column on the
// active sheet of the application.

#include <string>

#include "reports/workbook/SpreadsheetApplication.h"

namespace mnemex {

// A label: the prefix, then k with one leading blank for its sign ("PAT " and 10 give
// "PAT  10").
std::string LabelText(const std::string& prefix, int k);

// Names A1 .. (1, count+1) `rangeName`, writes "Pattern" in A1 and prefix-labels 1..count
// after it, bold and centred. count must lie within 0..32767 (else an overflow error).
void MakeColumnLabels(sheets::SpreadsheetApplication& app, const std::string& rangeName,
                      const std::string& prefix, int count);

// Names A2 .. (count+1, 1) `rangeName` and writes prefix-labels 1..count down it, bold
// and centred.
void MakeRowLabels(sheets::SpreadsheetApplication& app, const std::string& rangeName,
                   const std::string& prefix, int count);

}  // namespace mnemex
