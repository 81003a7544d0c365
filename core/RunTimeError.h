#pragma once
// Run-time errors: a number and a description, as the long operations trap and report them.

#include <cmath>
#include <stdexcept>
#include <string>

namespace mnemex {

enum ErrorNumber : int {
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kDivisionByZero = 11,
    kTypeMismatch = 13,
    kUserInterrupt = 18,
    kFileNotFound = 53,
    kInputPastEndOfFile = 62,
};

struct RunTimeError {
    int Number = 0;
    std::string Description;
    std::string HelpFile;  // the help-file reference; this implementation carries none
};

// The platform's description of an error number ("Overflow", "Out of memory", ...).
std::string DescriptionOf(int number);

// An error of the given number with its standard description.
RunTimeError MakeError(int number);

// Thrown by the core routines; only the long operations catch it.
class RunTimeException : public std::runtime_error {
  public:
    explicit RunTimeException(RunTimeError error);
    explicit RunTimeException(int number) : RunTimeException(MakeError(number)) {}
    const RunTimeError& Error() const { return error_; }

  private:
    RunTimeError error_;
};

// `value` itself, or RunTimeException(kOverflow) when it is infinite or not a number.
inline double FiniteOrOverflow(double value) {
    if (!std::isfinite(value))
        throw RunTimeException(kOverflow);
    return value;
}

// Where users are asked to report unexpected errors.
inline constexpr const char* kMaintainerAddress = "mnemex-maintainers@lists.mnemex.org";

// Message shown when training (or checking its settings) fails, lines joined by CR.
std::string TrainingErrorMessage(const RunTimeError& error);

// A message whose lines are joined by CR, as one text for a console or an exception: the
// lines joined by newlines, no line break at the end.
std::string ConsoleText(const std::string& message);

// Message shown when building the spreadsheet summary fails, lines joined by CR.
std::string SpreadsheetErrorMessage(const RunTimeError& error);

// Runs fn and turns whatever it throws into a RunTimeError (std::bad_alloc becomes
// "Out of memory"). Returns an empty error number 0 on success.
template <typename Fn>
RunTimeError TrapErrors(Fn&& fn);

}  // namespace mnemex

#include <new>

namespace mnemex {

template <typename Fn>
RunTimeError TrapErrors(Fn&& fn) {
    try {
        fn();
    } catch (const RunTimeException& e) {
        return e.Error();
    } catch (const std::bad_alloc&) {
        return MakeError(kOutOfMemory);
    } catch (const std::length_error&) {
        return MakeError(kOutOfMemory);
    }
    return {};
}

}  // namespace mnemex
