#pragma once
// Python arguments checked and turned into plain C++ values, and results turned into
// NumPy arrays. Wrong types raise TypeError, wrong values ValueError, each naming the
// argument.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <string>
#include <vector>

namespace mnemex::python {

namespace py = pybind11;

// A whole number (int or a NumPy integer; not bool, not float) that fits 64 bits.
std::int64_t WholeNumber(py::handle value, const char* name);
// A real number (int or float, NumPy's too; not bool, not text).
double RealNumber(py::handle value, const char* name);
// A str.
std::string Text(py::handle value, const char* name);
// A file name: str, bytes or os.PathLike.
std::string PathText(py::handle value, const char* name);

// A two-dimensional array of numbers, row by row.
struct Matrix {
    long long Rows = 0;
    long long Columns = 0;
    std::vector<double> Values;
};
// Anything NumPy can read as an array of real numbers (bool, integer or float) with
// `dimensions` dimensions (1 or 2). A vector comes back as one row.
Matrix NumberArray(py::handle value, const char* name, int dimensions);

// A new NumPy array of rows x columns doubles, filled by fill(row, column).
template <typename Fill>
py::array_t<double> NewArray(long long rows, long long columns, Fill&& fill) {
    py::array_t<double> out({static_cast<py::ssize_t>(rows), static_cast<py::ssize_t>(columns)});
    auto view = out.mutable_unchecked<2>();
    for (py::ssize_t r = 0; r < rows; ++r)
        for (py::ssize_t c = 0; c < columns; ++c)
            view(r, c) = fill(static_cast<long long>(r), static_cast<long long>(c));
    return out;
}

// A new one-dimensional NumPy array holding `values`.
py::array_t<double> NewVector(const std::vector<double>& values);

}  // namespace mnemex::python
