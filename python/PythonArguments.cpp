#include "python/PythonArguments.h"

#include <cstring>

#include "python/NetworkSession.h"

namespace mnemex::python {

namespace {

std::string TypeName(py::handle value) {
    return py::str(py::type::handle_of(value).attr("__name__"));
}

[[noreturn]] void WrongType(py::handle value, const char* name, const char* wanted) {
    throw py::type_error(std::string(name) + " must be " + wanted + ", not " + TypeName(value));
}

}  // namespace

std::int64_t WholeNumber(py::handle value, const char* name) {
    if (PyBool_Check(value.ptr()) || !PyIndex_Check(value.ptr()))
        WrongType(value, name, "a whole number");
    py::object index = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
    if (!index)
        throw py::error_already_set();
    int overflow = 0;
    const long long n = PyLong_AsLongLongAndOverflow(index.ptr(), &overflow);
    if (overflow != 0)
        throw ArgumentError(std::string(name) + " must be " +
                            (overflow > 0 ? "at most 2147483647" : "at least -2147483648") +
                            ", not " + std::string(py::str(index)));
    if (n == -1 && PyErr_Occurred())
        throw py::error_already_set();
    return n;
}

double RealNumber(py::handle value, const char* name) {
    const bool number = PyFloat_Check(value.ptr()) || PyLong_Check(value.ptr()) ||
                        PyIndex_Check(value.ptr()) || py::hasattr(value, "__float__");
    if (PyBool_Check(value.ptr()) || PyUnicode_Check(value.ptr()) || PyBytes_Check(value.ptr()) ||
        PyComplex_Check(value.ptr()) || !number)
        WrongType(value, name, "a real number");
    const double d = PyFloat_AsDouble(value.ptr());
    if (d == -1.0 && PyErr_Occurred()) {
        if (PyErr_ExceptionMatches(PyExc_OverflowError)) {
            PyErr_Clear();
            throw ArgumentError(std::string(name) + " is too large to be a double");
        }
        throw py::error_already_set();
    }
    return d;
}

std::string Text(py::handle value, const char* name) {
    if (!PyUnicode_Check(value.ptr()))
        WrongType(value, name, "a str");
    return value.cast<std::string>();
}

std::string PathText(py::handle value, const char* name) {
    const bool pathLike = PyUnicode_Check(value.ptr()) || PyBytes_Check(value.ptr()) ||
                          py::hasattr(value, "__fspath__");
    if (!pathLike)
        WrongType(value, name, "a file name (str, bytes or os.PathLike)");
    const py::object text = py::module_::import("os").attr("fsdecode")(value);
    // The file system encoding may hold undecodable bytes as surrogates; give them back.
    const py::object bytes = py::module_::import("os").attr("fsencode")(text);
    const std::string path = bytes.cast<std::string>();
    if (path.find('\0') != std::string::npos)
        throw ArgumentError(std::string(name) + " must not contain a NUL character");
    return path;
}

Matrix NumberArray(py::handle value, const char* name, int dimensions) {
    const py::module_ np = py::module_::import("numpy");
    py::array array;
    try {
        array = np.attr("asarray")(value);
    } catch (const py::error_already_set& e) {
        // Ragged nested lists and the like: not an array of numbers at all.
        throw ArgumentError(std::string(name) + " cannot be read as an array of numbers: " +
                            std::string(py::str(e.value())));
    }
    const char kind = array.dtype().kind();
    if (kind != 'b' && kind != 'i' && kind != 'u' && kind != 'f')
        throw py::type_error(std::string(name) + " must hold real numbers, not values of dtype " +
                             std::string(py::str(array.dtype())));
    if (array.ndim() != dimensions)
        throw ArgumentError(std::string(name) + " must have " + std::to_string(dimensions) +
                            (dimensions == 1 ? " dimension" : " dimensions") + ", not " +
                            std::to_string(array.ndim()));
    const py::array_t<double, py::array::c_style | py::array::forcecast> doubles(array);
    Matrix m;
    m.Rows = dimensions == 1 ? 1 : static_cast<long long>(doubles.shape(0));
    m.Columns = static_cast<long long>(doubles.shape(dimensions - 1));
    m.Values.assign(doubles.data(), doubles.data() + doubles.size());
    return m;
}

py::array_t<double> NewVector(const std::vector<double>& values) {
    py::array_t<double> out(static_cast<py::ssize_t>(values.size()));
    if (!values.empty())
        std::memcpy(out.mutable_data(), values.data(), values.size() * sizeof(double));
    return out;
}

}  // namespace mnemex::python
