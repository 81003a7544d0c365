// The Python module `mnemex`: the associative memory of the desktop program and the batch
// command, with the same numbers bit for bit, driven from Python and NumPy.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "python/NetworkSession.h"
#include "python/PythonArguments.h"
#include "python/SignalWatch.h"

namespace py = pybind11;
using namespace mnemex::python;

namespace {

// A network and whether a call on it is training right now. `busy` is only read and
// written with the GIL held, so it needs no lock of its own.
struct Network {
    NetworkSession session;
    bool busy = false;

    // Every call but `training` goes through here first.
    NetworkSession& Use() {
        if (busy)
            throw StateError(
                "this network is training in another call; wait for that call to return");
        return session;
    }
};

// Marks the network busy for the lifetime of the object (constructed and destroyed with
// the GIL held).
class BusyMark {
  public:
    explicit BusyMark(Network& n) : n_(n) { n_.busy = true; }
    ~BusyMark() { n_.busy = false; }
    BusyMark(const BusyMark&) = delete;
    BusyMark& operator=(const BusyMark&) = delete;

  private:
    Network& n_;
};

// The settings of a train() or continue_training() call: `base` with every keyword that
// was given (not None) put over it.
TrainingSettings SettingsFrom(TrainingSettings base, py::handle rule, py::handle rate,
                              py::handle epochs, py::handle minError, py::handle stop,
                              py::handle printInterval, py::handle order, py::handle seed) {
    if (!rule.is_none())
        base.Rule = RuleFromName(Text(rule, "rule"));
    if (!rate.is_none())
        base.Rate = RealNumber(rate, "rate");
    if (!epochs.is_none())
        base.Epochs = WholeNumber(epochs, "epochs");
    if (!minError.is_none())
        base.MinError = RealNumber(minError, "min_error");
    if (!stop.is_none())
        base.Stop = StopFromName(Text(stop, "stop"));
    if (!printInterval.is_none())
        base.PrintInterval = WholeNumber(printInterval, "print_interval");
    if (!order.is_none())
        base.Order = OrderFromName(Text(order, "order"));
    if (!seed.is_none())
        base.Seed = CheckedSeed(SeedNumber(seed, "seed"));
    return base;
}

// Runs training without the GIL, so other Python threads go on meanwhile; Ctrl-C ends it
// after the current epoch and is raised once the network holds the run as far as it got.
RunSummary Train(Network& n, const TrainingSettings& settings, bool continuing) {
    NetworkSession& session = n.Use();
    SignalWatch watch;
    RunSummary summary;
    {
        BusyMark mark(n);
        py::gil_scoped_release release;
        summary = continuing ? session.Continue(settings, watch) : session.Train(settings, watch);
    }
    if (watch.Raised)
        throw py::error_already_set(*watch.Raised);
    return summary;
}

// Runs file work (`fn(stop)`) without the GIL, so other Python threads go on meanwhile; a
// slow or large file never holds them up, and Ctrl-C ends the reading at the next piece and
// is raised, whatever the work itself ended in.
template <typename Fn>
void WithoutGil(Fn&& fn) {
    SignalWatch watch;
    const mnemex::StopCheck stop = [&watch] { return watch.StopRequested(); };
    std::exception_ptr failed;
    {
        py::gil_scoped_release release;
        try {
            fn(stop);
        } catch (...) {
            failed = std::current_exception();
        }
    }
    if (watch.Raised)
        throw py::error_already_set(*watch.Raised);
    if (failed)
        std::rethrow_exception(failed);
}

py::array_t<double> HistoryArray(const std::vector<std::array<double, 2>>& rows) {
    return NewArray(static_cast<long long>(rows.size()), 2, [&](long long r, long long c) {
        return rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    });
}

std::string SectionsText(py::handle sections) {
    if (sections.is_none())
        return std::string();
    if (PyUnicode_Check(sections.ptr())) {
        std::string text = Text(sections, "sections");
        if (text.empty())
            throw ArgumentError("sections must name at least one section");
        return text;
    }
    if (!py::isinstance<py::iterable>(sections))
        throw py::type_error("sections must be a str or a list of str, not " +
                             std::string(py::str(py::type::handle_of(sections).attr("__name__"))));
    std::string joined;
    for (py::handle item : sections) {
        joined += joined.empty() ? "" : ",";
        joined += Text(item, "each section");
    }
    if (joined.empty())
        throw ArgumentError("sections must name at least one section");
    return joined;
}

std::string Describe(const Network& n) {
    const auto& s = n.session.State();
    return "<mnemex.Network \"" + s.TrainingFileName + "\": " + std::to_string(s.NumInputs) +
           " inputs, " + std::to_string(s.NumOutputs) + " outputs, " +
           std::to_string(s.NumPatterns) + " patterns, " + std::to_string(s.EpochCount) +
           " epochs trained>";
}

const char* const kModuleDoc =
    R"(A distributed associative memory: a one-layer network of linear units.

Every input unit is joined to every output unit by a weight; an output unit's
response is the weighted sum of the inputs. Training presents every pattern once
per epoch, changes the weights by the Hebb rule (rate x input x desired output) or
the Delta rule (rate x input x (desired - response)) and measures the total sum of
squared error (SSE). The same training file and settings give the same weights,
bit for bit, as the desktop program Mnemex and the command mnemex-batch.

    import mnemex
    net = mnemex.load("letters.net")
    run = net.train(rule="delta", rate=0.02, epochs=100, min_error=0.01, stop="both")
    print(run.epochs, run.total_sse)      # 48 0.00991...
    net.recall(3)                         # responses to pattern 3 (numbered from 1)

Experiments as mnemex-batch offers them: train(order='permuted', seed=N),
test_all(), least_squares(), fixed_weight_sse(), probe_distorted() and the weight
exports write_weights_csv() and write_weights_npy(). save_state() and
load_state() keep a network to resume later, to the bit, in the file format of
the desktop program's "Save Network..." and of mnemex-batch --save-state.

Units and patterns are numbered from 1 wherever a number is asked for; NumPy
arrays are indexed from 0 as usual (row 0 is pattern 1).

Errors: TrainingFileError (a ValueError) for a file or arrays that cannot be
loaded, TrainingError when a run overflows or runs out of memory, WorkbookError
(an OSError) when the spreadsheet cannot be written, ValueError and TypeError for
bad arguments, OverflowError for figures too large for a double, OSError for a
weight export or saved network that cannot be written, SavedNetworkError (a
ValueError) for a saved network that cannot be opened, RuntimeError for a call on
a network that is training elsewhere.
)";

const char* const kTrainDoc =
    R"(train(*, rule='hebb', rate=0.1, epochs=100, min_error=0.05, stop='epochs', print_interval=10, order='file', seed=1) -> TrainingRun

Start Training: every weight back to 0, then a new run from epoch 0.

rule            'hebb' or 'delta'
rate            learning rate, 0 or more
epochs          the run ends at this epoch (when stop is 'epochs' or 'both');
                must be greater than 0
min_error       the run ends when the total SSE falls strictly below this
                (when stop is 'error' or 'both')
stop            'epochs', 'error' or 'both': which tests end the run
print_interval  an SSE history row every this many epochs (0: none after the
                untrained row)
order           'file': every epoch presents the patterns in file order;
                'permuted': every epoch in a new order, shuffled reproducibly from
                the seed and the epoch number (the history's untrained row is
                still measured in file order)
seed            seed of the permuted order, 0 to 9223372036854775807; ignored
                with file order

The same settings give the same weights, bit for bit, as mnemex-batch with
--order permuted --seed N.

The defaults are the setup page's initial settings. Settings the setup page would
refuse raise ValueError with its message and change nothing. A run that overflows
raises TrainingError with the run's message; the network keeps the run as far as
it got. Ctrl-C ends the run after the current epoch and raises KeyboardInterrupt,
leaving the network as far as it got (continue_training() goes on from there).
The GIL is released while training, so other threads run meanwhile; any other
call on this network in the meantime raises RuntimeError.)";

const char* const kContinueDoc =
    R"(continue_training(*, rule=None, rate=None, epochs=None, min_error=None, stop=None, print_interval=None, order=None, seed=None) -> TrainingRun

Continue Training: keep the weights, the epoch count and the SSE history and train
`epochs` more epochs (the run ends at the present epoch count plus `epochs`).
Takes train()'s keywords; each one left out (None) is the last run's. History rows
come every print_interval epochs counted from this call's start. In permuted
order each epoch's order depends only on the seed and the overall epoch number,
so a continued run presents every epoch as one long run would.

Raises RuntimeError when there is no run to continue: before the first train(),
and after a run that ended with a TrainingError (as the desktop program hides
Continue Training then). Otherwise as train().)";

const char* const kTestAllDoc = R"(test_all() -> list[dict]

Recalls every pattern with the weights as they stand and measures the response a
against the desired output t over the n output units, as mnemex-batch --test-all
does: one dict per pattern, in pattern order, with

pattern  the pattern's number (from 1)
sse      sum of (t - a)^2, the pattern's squared error of recall
ndp      normalised dot product (a . t) / n
nvl      normalised vector length sqrt((a . a) / n)
vcor     vector correlation, the cosine (a . t) / (|a| |t|); 0 when a or t is 0

Changes nothing. Raises OverflowError when a measure is too large for a double.)";

const char* const kLeastSquaresDoc = R"(least_squares() -> dict

The best memory one set of fixed weights can hold: W = D X+, X+ the Moore-Penrose
pseudoinverse of the inputs, as mnemex-batch --least-squares computes it. Returns
{'total_sse': float, 'weights': array (output units, input units), 'rank': int}:
the total SSE of every pattern recalled with W, W itself and the rank of the
inputs. Beyond the size that decomposes in a few seconds (inputs x patterns x
the smaller of the two above 4e9) returns {'skipped': the reason} instead.

The epoch's total SSE adds each pattern's error right after its own learning
step, so it can fall below what any fixed weights give; compare total_sse with
fixed_weight_sse(). Changes nothing.)";

const char* const kFixedWeightDoc = R"(fixed_weight_sse() -> float

The total SSE of the weights as they stand, held fixed: every pattern recalled
with them, as mnemex-batch --least-squares reports it ("fixed_weight_sse").
Changes nothing.)";

const char* const kProbeDoc =
    R"(probe_distorted(pattern, noise_sd=0.0, zero_fraction=0.0, seed=1) -> dict

Probes the memory with a damaged copy of pattern `pattern`'s inputs (1 to
num_patterns): Gaussian noise of standard deviation noise_sd added to every input
unit, then round(zero_fraction x num_inputs) input units, chosen at random, set to
0. All draws come from one std::mt19937_64 seeded with `seed` (0 to
9223372036854775807), so a seed always gives the same probe, and the same units
are zeroed whatever the noise. Returns

inputs   the distorted input vector (array of num_inputs)
zeroed   the input units set to 0 (numbered from 1), in the order drawn
outputs  the responses to it (array of num_outputs)
sse, ndp, nvl, vcor   the responses measured against the pattern's desired
         output, as test_all() measures them

Changes nothing.)";

const char* const kWeightsCsvDoc = R"(write_weights_csv(path) -> None

Writes the weights as CSV, byte for byte as mnemex-batch --weights-csv: one line
per output unit, its weights to input units 1, 2, ... separated by commas, each
in the shortest form that reads back as the same double, no header. The file is
written whole or not at all; raises OSError (of the subclass the system's error
gives, e.g. PermissionError) when it cannot be written.)";

const char* const kWeightsNpyDoc = R"(write_weights_npy(path) -> None

Writes the weights as a NumPy .npy file, byte for byte as mnemex-batch
--weights-npy: little-endian doubles of shape (output units, input units), which
numpy.load reads back equal to net.weights. Written whole or not at all; raises
OSError when it cannot be written.)";

py::dict MeasuresDict(const mnemex::PatternMeasures& m) {
    py::dict d;
    d["pattern"] = m.Pattern;
    d["sse"] = m.SSE;
    d["ndp"] = m.Ndp;
    d["nvl"] = m.Nvl;
    d["vcor"] = m.Vcor;
    return d;
}

py::array_t<double> WeightArray(const mnemex::WeightMatrix& w) {
    return NewArray(w.NumOutputs(), w.NumInputs(), [&](long long j, long long i) {
        return w.Weight(static_cast<int>(j) + 1, static_cast<int>(i) + 1);
    });
}

py::dict LeastSquaresDict(const mnemex::LeastSquaresResult& ls) {
    py::dict d;
    if (!ls.Solved) {
        d["skipped"] = ls.Note;
        return d;
    }
    d["total_sse"] = ls.TotalSSE;
    d["weights"] = WeightArray(ls.Weights);
    d["rank"] = ls.Rank;
    return d;
}

py::dict ProbeDict(const NetworkSession::DistortedProbe& probe) {
    py::dict d;
    d["pattern"] = probe.Measures.Pattern;
    d["inputs"] = NewVector(probe.Distorted.Inputs);
    d["zeroed"] = probe.Distorted.Zeroed;
    d["outputs"] = NewVector(probe.Outputs);
    d["sse"] = probe.Measures.SSE;
    d["ndp"] = probe.Measures.Ndp;
    d["nvl"] = probe.Measures.Nvl;
    d["vcor"] = probe.Measures.Vcor;
    return d;
}

// An OSError carrying errno, message and file name; Python picks the subclass (such as
// PermissionError) from the errno, as for its own file operations.
void RaiseExportFailure(const ExportFailure& e) {
    const py::object name = py::reinterpret_steal<py::object>(
        PyUnicode_DecodeFSDefaultAndSize(e.Path.data(), static_cast<py::ssize_t>(e.Path.size())));
    if (!name)
        return;  // the decoding error stays set
    PyErr_SetObject(PyExc_OSError, py::make_tuple(e.Error, e.what(), name).ptr());
}

}  // namespace

PYBIND11_MODULE(mnemex, m) {
    py::options options;
    options.disable_function_signatures();
    m.doc() = kModuleDoc;
    m.attr("__version__") = MNEMEX_VERSION;

    auto fileError = py::register_exception<PatternError>(m, "TrainingFileError", PyExc_ValueError);
    fileError.attr("__doc__") =
        "A training file or pattern arrays that cannot be loaded; the message names the file,\n"
        "the value and the line at fault. A ValueError.";
    auto trainingError =
        py::register_exception<TrainingFailure>(m, "TrainingError", PyExc_Exception);
    trainingError.attr("__doc__") =
        "A training run ended by a run-time error (an overflow, out of memory); the message\n"
        "is the one the desktop program shows. The network keeps the run as far as it got.";
    auto workbookError = py::register_exception<WorkbookFailure>(m, "WorkbookError", PyExc_OSError);
    workbookError.attr("__doc__") =
        "The spreadsheet summary could not be written; the message says why. An OSError.";
    auto savedError =
        py::register_exception<SavedNetworkRefusal>(m, "SavedNetworkError", PyExc_ValueError);
    savedError.attr("__doc__") =
        "A saved network that cannot be opened: damaged, of a newer format, or not trained on\n"
        "the training file given. The message names the file and the reason. A ValueError.";
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p)
                std::rethrow_exception(p);
        } catch (const ArgumentError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const StateError& e) {
            PyErr_SetString(PyExc_RuntimeError, e.what());
        } catch (const ArithmeticFailure& e) {
            PyErr_SetString(PyExc_OverflowError, e.what());
        } catch (const ExportFailure& e) {
            RaiseExportFailure(e);
        } catch (const SaveFailure& e) {
            PyErr_SetString(PyExc_OSError, e.what());
        }
    });

    py::class_<RunSummary>(m, "TrainingRun",
                           "What a training run left: returned by train() and continue_training().")
        .def_property_readonly(
            "epochs", [](const RunSummary& r) { return r.Epochs; },
            "Epochs trained so far in the run (int), counted from the last train().")
        .def_property_readonly(
            "total_sse", [](const RunSummary& r) { return r.TotalSSE; },
            "Total SSE of the last epoch (float): the sum over the patterns of each pattern's\n"
            "squared error, measured right after its own learning step.")
        .def_property_readonly(
            "change", [](const RunSummary& r) { return r.Change; },
            "Change in total SSE over the last epoch (previous - last; positive when the error\n"
            "fell), or None when the run ended at epoch 1.")
        .def_property_readonly(
            "history", [](const RunSummary& r) { return HistoryArray(r.History); },
            "SSE history as a NumPy array (rows, 2): epoch, total SSE. Row 0 is epoch 0 (the\n"
            "untrained network), then one row every print_interval epochs, at most 2000 rows.")
        .def("__repr__", [](const RunSummary& r) {
            return "TrainingRun(epochs=" + std::to_string(r.Epochs) +
                   ", total_sse=" + std::string(py::repr(py::float_(r.TotalSSE))) + ", change=" +
                   (r.Change ? std::string(py::repr(py::float_(*r.Change))) : "None") + ")";
        });

    py::class_<Network>(m, "Network",
                        "A pattern store and the memory trained on it.\n\n"
                        "Network(inputs, targets, name='arrays') takes the patterns from arrays;\n"
                        "mnemex.load(path) reads them from a training file.")
        .def(py::init([](py::handle inputs, py::handle targets, py::handle name) {
                 const Matrix x = NumberArray(inputs, "inputs", 2);
                 const Matrix d = NumberArray(targets, "targets", 2);
                 if (x.Rows != d.Rows)
                     throw PatternError(
                         "inputs and targets must have a row for every pattern: "
                         "inputs has " +
                         std::to_string(x.Rows) + " rows, targets " + std::to_string(d.Rows));
                 auto n = std::make_unique<Network>();
                 n->session.SetPatterns(
                     Text(name, "name"),
                     mnemex::PatternArrays{x.Columns, d.Columns, x.Rows, x.Values, d.Values});
                 return n;
             }),
             py::arg("inputs"), py::arg("targets"), py::arg("name") = "arrays",
             R"(Network(inputs, targets, name='arrays')

A network for the patterns given as arrays: inputs (patterns, input units) and
targets (patterns, output units), anything NumPy reads as real numbers. Checked
as a training file is: at most 32767 units and patterns, every value finite
(TrainingFileError otherwise). `name` stands for the training file's name in the
report and the workbook. All weights start at 0.)")
        .def_property_readonly(
            "num_inputs", [](Network& n) { return n.Use().State().NumInputs; },
            "Number of input units.")
        .def_property_readonly(
            "num_outputs", [](Network& n) { return n.Use().State().NumOutputs; },
            "Number of output units.")
        .def_property_readonly(
            "num_patterns", [](Network& n) { return n.Use().State().NumPatterns; },
            "Number of training patterns.")
        .def_property_readonly(
            "name", [](Network& n) { return n.Use().State().TrainingFileName; },
            "The training file's name (without its folder), or the name given with the arrays.")
        .def_property_readonly(
            "inputs",
            [](Network& n) {
                const auto& s = n.Use().State();
                return NewArray(s.NumPatterns, s.NumInputs, [&](long long p, long long i) {
                    return s.InputPatterns(static_cast<int>(i) + 1, static_cast<int>(p) + 1);
                });
            },
            "Input patterns, a new NumPy array (patterns, input units).")
        .def_property_readonly(
            "targets",
            [](Network& n) {
                const auto& s = n.Use().State();
                return NewArray(s.NumPatterns, s.NumOutputs, [&](long long p, long long j) {
                    return s.DesiredOutputs(static_cast<int>(j) + 1, static_cast<int>(p) + 1);
                });
            },
            "Desired outputs, a new NumPy array (patterns, output units).")
        .def_property_readonly(
            "weights", [](Network& n) { return WeightArray(n.Use().State().Weights); },
            "Connection weights, a new NumPy array (output units, input units).")
        .def_property_readonly(
            "epochs", [](Network& n) { return n.Use().State().EpochCount; },
            "Epochs trained since the last train() (0 before any).")
        .def_property_readonly(
            "total_sse", [](Network& n) { return n.Use().State().TotalSSE; },
            "Total SSE of the last epoch trained (0.0 before any).")
        .def_property_readonly(
            "history",
            [](Network& n) { return HistoryArray(n.Use().Summary(std::nullopt, false).History); },
            "SSE history so far, a NumPy array (rows, 2): epoch, total SSE.")
        .def_property_readonly(
            "training", [](const Network& n) { return n.busy; },
            "True while a train() or continue_training() call on this network is running\n"
            "(in another thread); every other attribute raises RuntimeError meanwhile.")
        .def(
            "train",
            [](Network& n, py::handle rule, py::handle rate, py::handle epochs, py::handle minError,
               py::handle stop, py::handle printInterval, py::handle order, py::handle seed) {
                const TrainingSettings s = SettingsFrom(TrainingSettings{}, rule, rate, epochs,
                                                        minError, stop, printInterval, order, seed);
                return Train(n, s, false);
            },
            py::kw_only(), py::arg("rule") = py::none(), py::arg("rate") = py::none(),
            py::arg("epochs") = py::none(), py::arg("min_error") = py::none(),
            py::arg("stop") = py::none(), py::arg("print_interval") = py::none(),
            py::arg("order") = py::none(), py::arg("seed") = py::none(), kTrainDoc)
        .def(
            "continue_training",
            [](Network& n, py::handle rule, py::handle rate, py::handle epochs, py::handle minError,
               py::handle stop, py::handle printInterval, py::handle order, py::handle seed) {
                const TrainingSettings s = SettingsFrom(n.Use().LastSettings(), rule, rate, epochs,
                                                        minError, stop, printInterval, order, seed);
                return Train(n, s, true);
            },
            py::kw_only(), py::arg("rule") = py::none(), py::arg("rate") = py::none(),
            py::arg("epochs") = py::none(), py::arg("min_error") = py::none(),
            py::arg("stop") = py::none(), py::arg("print_interval") = py::none(),
            py::arg("order") = py::none(), py::arg("seed") = py::none(), kContinueDoc)
        .def(
            "reset", [](Network& n) { n.Use().Reset(); },
            R"(reset() -> None

Reset Weights And Train Again: every weight back to 0. The epoch count and the
history stay, so a continue_training() after it trains from zero weights while
counting epochs on, as the desktop program does; train() starts afresh.)")
        .def(
            "recall",
            [](Network& n, py::handle pattern) {
                return NewVector(n.Use().Recall(WholeNumber(pattern, "pattern")));
            },
            py::arg("pattern"),
            R"(recall(pattern) -> numpy.ndarray

The output units' responses to training pattern `pattern` (1 to num_patterns),
as the probe page shows them: a new array of num_outputs values.)")
        .def(
            "recall_vector",
            [](Network& n, py::handle x) {
                NetworkSession& session = n.Use();
                return NewVector(session.RecallVector(NumberArray(x, "x", 1).Values));
            },
            py::arg("x"),
            R"(recall_vector(x) -> numpy.ndarray

The output units' responses to any input vector x of num_inputs finite numbers,
summed exactly as for a training pattern (recall_vector(net.inputs[p - 1]) equals
recall(p) bit for bit). Changes nothing.)")
        .def(
            "test_all",
            [](Network& n) {
                py::list rows;
                for (const auto& m : n.Use().TestAll())
                    rows.append(MeasuresDict(m));
                return rows;
            },
            kTestAllDoc)
        .def(
            "least_squares", [](Network& n) { return LeastSquaresDict(n.Use().LeastSquares()); },
            kLeastSquaresDoc)
        .def(
            "fixed_weight_sse", [](Network& n) { return n.Use().FixedWeightSSE(); },
            kFixedWeightDoc)
        .def(
            "probe_distorted",
            [](Network& n, py::handle pattern, py::handle noiseSd, py::handle zeroFraction,
               py::handle seed) {
                NetworkSession& session = n.Use();
                return ProbeDict(session.ProbeDistorted(
                    WholeNumber(pattern, "pattern"), RealNumber(noiseSd, "noise_sd"),
                    RealNumber(zeroFraction, "zero_fraction"), SeedNumber(seed, "seed")));
            },
            py::arg("pattern"), py::arg("noise_sd") = 0.0, py::arg("zero_fraction") = 0.0,
            py::arg("seed") = 1, kProbeDoc)
        .def(
            "write_weights_csv",
            [](Network& n, py::handle path) {
                NetworkSession& session = n.Use();
                session.WriteWeightsCsv(PathText(path, "path"));
            },
            py::arg("path"), kWeightsCsvDoc)
        .def(
            "write_weights_npy",
            [](Network& n, py::handle path) {
                NetworkSession& session = n.Use();
                session.WriteWeightsNpy(PathText(path, "path"));
            },
            py::arg("path"), kWeightsNpyDoc)
        .def(
            "report",
            [](Network& n, py::handle sections) {
                NetworkSession& session = n.Use();
                const std::string text = session.Report(SectionsText(sections));
                return py::bytes(text);
            },
            py::arg("sections") = py::none(),
            R"(report(sections=None) -> bytes

The text report of the report page, byte for byte as mnemex-batch --report writes
it (lines end in CR CR LF, table cells end in TAB). `sections` is a
comma-separated str or a list of names: general, responses, errors, weights,
inputs, outputs, sse, all. None gives the sections the page ticks at first:
general, responses, errors, weights. Dated now in the current LC_TIME locale
(call locale.setlocale(locale.LC_TIME, '') for the user's own forms).)")
        .def(
            "write_workbook",
            [](Network& n, py::handle path) {
                NetworkSession& session = n.Use();
                session.WriteWorkbook(PathText(path, "path"));
            },
            py::arg("path"),
            R"(write_workbook(path) -> None

Writes the spreadsheet summary (.xlsx) of the network as the testing hub builds it
and mnemex-batch --xlsx writes it: seven sheets (General Information, Network
Responses, Errors, Connection Weights, SSE Data, Desired Outputs, Inputs) and
their workbook names. Replaces any file at path; raises WorkbookError when it
cannot be written.)")
        .def(
            "save_state",
            [](Network& n, py::handle path) {
                NetworkSession& session = n.Use();
                const std::string name = PathText(path, "path");
                BusyMark mark(n);
                WithoutGil([&](const mnemex::StopCheck& stop) { session.SaveState(name, stop); });
            },
            py::arg("path"),
            R"(save_state(path) -> None

Saves the whole training state (settings, epoch count, weights, SSE history, the
training file's name and SHA-256) as the JSON file the desktop program's "Save
Network..." and mnemex-batch --save-state write. mnemex.load_state() resumes it to
the bit. Only a network loaded from a training file, after a run that ended
without an error, can be saved (RuntimeError otherwise); SavedNetworkError when
its training file is a pipe, device or socket (it cannot be read again to hash
it); OSError when the file cannot be written. Other threads run while the files
are read and written, and Ctrl-C ends the work.)")
        .def("__repr__", [](Network& n) { return Describe(n); });

    m.def(
        "load",
        [](py::handle path) {
            auto n = std::make_unique<Network>();
            n->session.Load(PathText(path, "path"));
            return n;
        },
        py::arg("path"),
        R"(load(path) -> Network

Reads a training file (.net): the number of output units, a count that is
ignored, the number of input units, the number of patterns, then every pattern's
input vector and every pattern's desired output vector, separated by commas
and/or white space. Raises TrainingFileError (a ValueError) with the reader's
message, naming the file, the value and the line at fault.)");

    m.def(
        "load_state",
        [](py::handle path, py::handle trainingFile) {
            auto n = std::make_unique<Network>();
            const std::string state = PathText(path, "path");
            const std::string training =
                trainingFile.is_none() ? std::string() : PathText(trainingFile, "training_file");
            WithoutGil([&](const mnemex::StopCheck& stop) {
                n->session.LoadState(state, training, stop);
            });
            return n;
        },
        py::arg("path"), py::arg("training_file") = py::none(),
        R"(load_state(path, training_file=None) -> Network

Opens a saved network (save_state(), the desktop program's "Save Network...",
mnemex-batch --save-state) on its training file: `training_file`, or when None
the file the state names, which must be a plain file name (no folder) of a
regular file beside the state file. The network comes back as the run left it:
continue_training() carries on with the saved settings exactly as in the session
that saved it, its seed included. Raises SavedNetworkError (a ValueError) for a
damaged or truncated file, one larger than its sizes call for, a newer format
version, numbers that are not finite, a state or training file that is a pipe,
device or socket, and a training file that is missing, another file (its SHA-256
differs) or of other sizes; when the file the state names cannot be used, the
message asks for training_file=. Other threads run while the files are read, and
Ctrl-C ends the reading.)");
}
