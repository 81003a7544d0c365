#include "core/RunTimeError.h"

namespace mnemex {

std::string DescriptionOf(int number) {
    switch (number) {
        case kOverflow:
            return "Overflow";
        case kOutOfMemory:
            return "Out of memory";
        case kSubscriptOutOfRange:
            return "Subscript out of range";
        case kDivisionByZero:
            return "Division by zero";
        case kUserInterrupt:
            return "User interrupt occurred";
        case kTypeMismatch:
            return "Type mismatch";
        case kFileNotFound:
            return "File not found";
        case kInputPastEndOfFile:
            return "Input past end of file";
        default:
            return "Application-defined or object-defined error";
    }
}

RunTimeError MakeError(int number) {
    return RunTimeError{number, DescriptionOf(number), {}};
}

RunTimeException::RunTimeException(RunTimeError error)
    : std::runtime_error(error.Description), error_(std::move(error)) {}

namespace {

constexpr char kCR = '\r';

std::string OutOfMemoryMessage() {
    std::string m = "Out of memory error: ";
    m += kCR;
    m += "Please try closing some applications and retrying.";
    m += kCR;
    return m;
}

std::string GeneralMessage(const char* firstLine, const std::string& lastLine) {
    std::string m = firstLine;
    m += kCR;
    m += "It would be helpful if you could report this error to ";
    m += kMaintainerAddress;
    m += kCR;
    m += "Please include the following error message as well as";
    m += kCR;
    m += "where the error occured and what version of windows you are using:";
    m += kCR;
    m += lastLine;
    return m;
}

}  // namespace

std::string TrainingErrorMessage(const RunTimeError& error) {
    if (error.Number == kOutOfMemory)
        return OutOfMemoryMessage();
    return GeneralMessage("This version of the code has encountered an error.",
                          error.Description + " " + error.HelpFile);
}

std::string SpreadsheetErrorMessage(const RunTimeError& error) {
    if (error.Number == kOutOfMemory)
        return OutOfMemoryMessage();
    return GeneralMessage("This version of the code has encountered an error with excel.",
                          error.Description + error.HelpFile);
}

std::string ConsoleText(const std::string& message) {
    std::string text = message;
    for (char& c : text)
        if (c == '\r')
            c = '\n';
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

}  // namespace mnemex
