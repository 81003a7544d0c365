"""Reads summary workbooks written by the program with openpyxl (a reader that is not
ours) and checks them cell by cell against the workbook a summary must be.

The workbooks come from make_summary_workbook (a network filled by formulas that are
computed again here) and, when available, from `mnemex-batch --xlsx` after real training.
"""

import datetime
import json
import math
import os
import subprocess
import tempfile
import unittest

import openpyxl
from openpyxl.styles.numbers import is_date_format

MAKE_SUMMARY = os.environ.get("MNEMEX_MAKE_SUMMARY", "")
BATCH = os.environ.get("MNEMEX_BATCH", "")
EXAMPLES = os.environ.get("MNEMEX_EXAMPLES", "")
COMMA_LOCPATH = os.environ.get("MNEMEX_COMMA_LOCPATH", "")

SUMMARY_TABS = ["General Information", "Network Responses", "Errors",
                "Connection Weights", "SSE Data", "Desired Outputs", "Inputs"]


def formula_input(i, p):
    return ((7 * i + 3 * p) % 11 - 5) / 4.0


def formula_desired(j, p):
    return ((5 * j + p) % 7 - 3) / 2.0


def formula_weight(j, i):
    return ((3 * j + 5 * i) % 13 - 6) / 8.0


def column_letters(column):
    letters = ""
    while column > 0:
        column, rest = divmod(column - 1, 26)
        letters = chr(ord("A") + rest) + letters
    return letters


def absolute(row, column):
    return "$%s$%d" % (column_letters(column), row)


def area(sheet, top, left, bottom, right):
    return "'%s'!%s:%s" % (sheet, absolute(top, left), absolute(bottom, right))


def label(prefix, k):
    return prefix + " " + str(k)


def recall(weights, inputs, desired):
    """Activity and error of every output unit, summed over inputs in order from 0."""
    activity = []
    for row in weights:
        net = 0.0
        for w, x in zip(row, inputs):
            net = w * x + net
        activity.append(net)
    return activity, [d - a for d, a in zip(desired, activity)]


def defined_names(book):
    return {d.name: d.attr_text for d in book.defined_names.definedName}


def run(args, env=None):
    result = subprocess.run(args, capture_output=True, text=True, errors="replace", env=env,
                            timeout=240)
    if result.returncode != 0:
        raise AssertionError("%s failed (%d): %s%s" % (args[0], result.returncode,
                                                        result.stdout, result.stderr))
    return result


class SummaryChecks(unittest.TestCase):
    """Checks shared by every summary workbook."""

    def assertClose(self, actual, expected, where):
        # The file keeps 16 significant digits of each number.
        self.assertIsInstance(actual, (int, float), where)
        self.assertTrue(math.isclose(actual, expected, rel_tol=1e-15, abs_tol=1e-300),
                        "%s: %r != %r" % (where, actual, expected))

    def check_label_cell(self, cell, text):
        self.assertEqual(cell.value, text, cell.coordinate)
        self.assertTrue(cell.font.bold, cell.coordinate)
        self.assertEqual(cell.alignment.horizontal, "center", cell.coordinate)

    def check_value_cell(self, cell, expected):
        self.assertClose(cell.value, expected, "%s!%s" % (cell.parent.title, cell.coordinate))
        self.assertEqual(cell.alignment.horizontal, "center", cell.coordinate)
        self.assertEqual(cell.number_format, "###0.00", cell.coordinate)

    def check_table(self, sheet, column_prefix, row_prefix, values):
        """A table sheet: header row, label column, values from B2, margins formatted."""
        rows = len(values)
        columns = len(values[0]) if rows else 0
        # Read the extent first: looking at a cell makes openpyxl create it.
        self.assertEqual(sheet.max_row, rows + 2)
        self.assertEqual(sheet.max_column, columns + 2)
        self.check_label_cell(sheet["A1"], "Pattern")
        for j in range(1, columns + 1):
            self.check_label_cell(sheet.cell(1, j + 1), label(column_prefix, j))
        for r in range(1, rows + 1):
            self.check_label_cell(sheet.cell(r + 1, 1), label(row_prefix, r))
            for j in range(1, columns + 1):
                self.check_value_cell(sheet.cell(r + 1, j + 1), values[r - 1][j - 1])
        # The named block has one empty row below and one empty column to the right,
        # formatted like the values.
        for r in range(2, rows + 3):
            margin = sheet.cell(r, columns + 2)
            self.assertIsNone(margin.value, margin.coordinate)
            self.assertEqual(margin.alignment.horizontal, "center", margin.coordinate)
            self.assertEqual(margin.number_format, "###0.00", margin.coordinate)
        for j in range(2, columns + 3):
            margin = sheet.cell(rows + 2, j)
            self.assertIsNone(margin.value, margin.coordinate)
            self.assertEqual(margin.number_format, "###0.00", margin.coordinate)
        outside = sheet.cell(rows + 3, 2)
        self.assertIsNone(outside.value)
        self.assertEqual(outside.number_format, "General")

    def check_sse(self, sheet, history):
        self.assertEqual(sheet.max_row, len(history) + 1)
        self.check_label_cell(sheet["A1"], "Sweep")
        self.check_label_cell(sheet["B1"], "SSE")
        for r, (sweep, sse) in enumerate(history, start=2):
            self.assertClose(sheet.cell(r, 1).value, sweep, "SSE Data!A%d" % r)
            self.assertClose(sheet.cell(r, 2).value, sse, "SSE Data!B%d" % r)
            self.assertEqual(sheet.cell(r, 2).number_format, "General")
            self.assertFalse(sheet.cell(r, 2).font.bold)

    def check_general(self, sheet, file_name, rule, rate, sweeps, before, after):
        texts = ["DISTRIBUTED ASSOCIATIVE MEMORY PROGRAM", "Results Of Training With File:",
                 "Date of Analysis:", "Time of Analysis:", "Learning Rule:", "Learning Rate:",
                 "Sweeps Of Training:"]
        for row, text in enumerate(texts, start=1):
            self.assertEqual(sheet.cell(row, 1).value, text)
        self.assertIsNone(sheet["B1"].value)
        self.assertEqual(sheet["B2"].value, file_name)
        self.assertEqual(sheet["B5"].value, rule)
        self.assertClose(sheet["B6"].value, rate, "B6")
        self.assertEqual(sheet["B7"].value, sweeps)
        self.assertIsInstance(sheet["B7"].value, int)

        date_cell, time_cell = sheet["B3"], sheet["B4"]
        self.assertTrue(date_cell.is_date and is_date_format(date_cell.number_format))
        self.assertTrue(time_cell.is_date and is_date_format(time_cell.number_format))
        self.assertIn("y", date_cell.number_format.lower())
        self.assertIn("h", time_cell.number_format.lower())
        self.assertIsInstance(time_cell.value, datetime.time)
        stamp = datetime.datetime.combine(date_cell.value.date(), time_cell.value)
        self.assertEqual(date_cell.value.time(), datetime.time(0, 0))
        self.assertLessEqual(before.replace(microsecond=0), stamp)
        self.assertLessEqual(stamp, after)

        for row in range(1, 9):
            a, b = sheet.cell(row, 1), sheet.cell(row, 2)
            self.assertTrue(a.font.bold and b.font.bold, "row %d" % row)
            self.assertEqual(a.alignment.horizontal, "right", a.coordinate)
            self.assertEqual(b.alignment.horizontal, "center", b.coordinate)
        self.assertAlmostEqual(sheet.column_dimensions["A"].width, 50, delta=1)
        self.assertAlmostEqual(sheet.column_dimensions["B"].width, 20, delta=1)

    def check_names(self, book, inputs, outputs, patterns, history):
        i, o, p, s = inputs, outputs, patterns, history
        self.assertEqual(defined_names(book), {
            "Inputs": area("Inputs", 2, 2, p + 2, i + 2),
            "Outputs": area("Desired Outputs", 2, 2, p + 2, o + 2),
            "SSEData": area("SSE Data", 2, 1, s + 2, 2),
            "Weights": area("Connection Weights", 2, 2, i + 2, o + 2),
            "Error": area("Errors", 2, 2, p + 2, o + 2),
            "Actual": area("Network Responses", 2, 2, p + 2, o + 2),
            "TextStuff": "'General Information'!$A$1:$B$8",
            "InLabels": area("Connection Weights", 2, 1, i + 1, 1),
            "OutLabels": area("Network Responses", 1, 1, 1, o + 1),
            "PatLabels": area("Network Responses", 2, 1, p + 1, 1),
        })


def make_summaries(folder, outs, inputs=3, outputs=5, patterns=12, history=20,
                   default_sheets=1, env=None):
    paths = [os.path.join(folder, name) for name in outs]
    args = [MAKE_SUMMARY, "--inputs", str(inputs), "--outputs", str(outputs),
            "--patterns", str(patterns), "--history", str(history),
            "--default-sheets", str(default_sheets)]
    for path in paths:
        args += ["--out", path]
    run(args, env=env)
    return paths


@unittest.skipUnless(MAKE_SUMMARY, "make_summary_workbook not given")
class FormulaWorkbook(SummaryChecks):
    """A network with more outputs than inputs plus one and a full SSE history."""

    I, O, P, S = 3, 5, 12, 2000

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.before = datetime.datetime.now()
        (cls.path,) = make_summaries(cls.folder.name, ["summary.xlsx"], cls.I, cls.O, cls.P,
                                     cls.S)
        cls.after = datetime.datetime.now()
        cls.book = openpyxl.load_workbook(cls.path)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_sheets_in_tab_order_with_one_blank_sheet_last(self):
        self.assertEqual(self.book.sheetnames, SUMMARY_TABS + ["Sheet1"])
        blank = self.book["Sheet1"]
        self.assertEqual((blank.max_row, blank.max_column), (1, 1))
        self.assertIsNone(blank["A1"].value)

    def test_general_information_is_the_active_sheet(self):
        self.assertEqual(self.book.active.title, "General Information")

    def test_ten_names_with_their_final_ranges(self):
        self.check_names(self.book, self.I, self.O, self.P, self.S)
        self.assertEqual(defined_names(self.book)["SSEData"], "'SSE Data'!$A$2:$B$2002")

    def test_inputs(self):
        values = [[formula_input(i, p) for i in range(1, self.I + 1)]
                  for p in range(1, self.P + 1)]
        self.check_table(self.book["Inputs"], "IN ", "PAT ", values)
        self.assertEqual(self.book["Inputs"]["A11"].value, "PAT  10")

    def test_desired_outputs(self):
        values = [[formula_desired(j, p) for j in range(1, self.O + 1)]
                  for p in range(1, self.P + 1)]
        self.check_table(self.book["Desired Outputs"], "OUT ", "PAT ", values)

    def test_connection_weights(self):
        values = [[formula_weight(j, i) for j in range(1, self.O + 1)]
                  for i in range(1, self.I + 1)]
        self.check_table(self.book["Connection Weights"], "OUT ", "IN ", values)
        self.assertEqual(self.book["Connection Weights"]["A1"].value, "Pattern")

    def recalls(self):
        weights = [[formula_weight(j, i) for i in range(1, self.I + 1)]
                   for j in range(1, self.O + 1)]
        for p in range(1, self.P + 1):
            yield recall(weights, [formula_input(i, p) for i in range(1, self.I + 1)],
                         [formula_desired(j, p) for j in range(1, self.O + 1)])

    def test_errors(self):
        values = [error for _, error in self.recalls()]
        self.check_table(self.book["Errors"], "ERR ", "PAT ", values)

    def test_network_responses(self):
        values = [activity for activity, _ in self.recalls()]
        self.check_table(self.book["Network Responses"], "ACT ", "PAT ", values)

    def test_full_sse_history(self):
        history = [(10.0 * r, 1000.0 / r) for r in range(1, self.S + 1)]
        self.check_sse(self.book["SSE Data"], history)
        self.assertEqual(self.book["SSE Data"]["A2001"].value, 20000)

    def test_general_information(self):
        self.check_general(self.book["General Information"], "formula.net", "Delta", 0.25,
                           10 * self.S, self.before, self.after)


@unittest.skipUnless(MAKE_SUMMARY, "make_summary_workbook not given")
class SecondBuild(unittest.TestCase):
    """Two builds in one application whose default is three sheets per new workbook."""

    def test_second_build_makes_a_second_workbook_with_one_blank_sheet(self):
        with tempfile.TemporaryDirectory() as folder:
            first, second = make_summaries(folder, ["first.xlsx", "second.xlsx"],
                                           default_sheets=3)
            book1 = openpyxl.load_workbook(first)
            book2 = openpyxl.load_workbook(second)
            self.assertEqual(book1.sheetnames, SUMMARY_TABS + ["Sheet1", "Sheet2", "Sheet3"])
            self.assertEqual(book2.sheetnames, SUMMARY_TABS + ["Sheet1"])
            for book in (book1, book2):
                self.assertEqual(book.active.title, "General Information")
                self.assertEqual(len(defined_names(book)), 10)


@unittest.skipUnless(MAKE_SUMMARY and COMMA_LOCPATH, "no comma locale folder given")
class DecimalCommaLocale(unittest.TestCase):
    """The user's locale writes 0,25 for a quarter; the file must still say 0.25."""

    def test_numbers_read_back_the_same_under_a_decimal_comma_locale(self):
        env = dict(os.environ, LOCPATH=COMMA_LOCPATH, LC_ALL="de_DE.UTF-8")
        probe = subprocess.run(
            ["python3", "-c",
             "import locale; locale.setlocale(locale.LC_ALL, ''); "
             "print(locale.localeconv()['decimal_point'])"],
            capture_output=True, text=True, env=env)
        if probe.stdout.strip() != ",":
            self.skipTest("no decimal-comma locale could be made here")
        with tempfile.TemporaryDirectory() as folder:
            (comma,) = make_summaries(folder, ["comma.xlsx"], env=env)
            book = openpyxl.load_workbook(comma)
            self.assertEqual(book["General Information"]["B6"].value, 0.25)
            self.assertEqual(book["Inputs"]["B2"].value, formula_input(1, 1))
            self.assertEqual(book["SSE Data"]["B3"].value, 500.0)
            self.assertTrue(math.isclose(book["SSE Data"]["B4"].value, 1000.0 / 3,
                                         rel_tol=1e-15))
            self.assertAlmostEqual(book["General Information"].column_dimensions["A"].width,
                                   50, delta=1)


@unittest.skipUnless(BATCH and EXAMPLES, "mnemex-batch not built")
class BatchWorkbook(SummaryChecks):
    """The batch command's --xlsx after real Delta training of an example file."""

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.net = os.path.join(EXAMPLES, "letters.net")
        cls.xlsx = os.path.join(cls.folder.name, "batch summary.xlsx")
        cls.json = os.path.join(cls.folder.name, "result.json")
        cls.before = datetime.datetime.now()
        run([BATCH, cls.net, "--rule", "delta", "--rate", "0.05", "--epochs", "60",
             "--print-interval", "5", "--json", cls.json, "--xlsx", cls.xlsx])
        cls.after = datetime.datetime.now()
        cls.book = openpyxl.load_workbook(cls.xlsx)
        with open(cls.json) as f:
            cls.result = json.load(f)
        cls.patterns = read_net_file(cls.net)

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_workbook_of_the_trained_network(self):
        inputs, desired = self.patterns
        weights = self.result["weights"]
        n_in, n_out, n_pat = len(inputs[0]), len(desired[0]), len(inputs)
        history = self.result["history"]
        self.assertEqual(self.book.sheetnames, SUMMARY_TABS + ["Sheet1"])
        self.assertEqual(self.book.active.title, "General Information")
        self.check_names(self.book, n_in, n_out, n_pat, len(history))
        self.check_table(self.book["Inputs"], "IN ", "PAT ", inputs)
        self.check_table(self.book["Desired Outputs"], "OUT ", "PAT ", desired)
        self.check_table(self.book["Connection Weights"], "OUT ", "IN ",
                         [list(col) for col in zip(*weights)])
        recalls = [recall(weights, x, d) for x, d in zip(inputs, desired)]
        self.check_table(self.book["Errors"], "ERR ", "PAT ", [e for _, e in recalls])
        self.check_table(self.book["Network Responses"], "ACT ", "PAT ",
                         [a for a, _ in recalls])
        self.check_sse(self.book["SSE Data"], [tuple(row) for row in history])
        self.check_general(self.book["General Information"], "letters.net", "Delta", 0.05,
                           self.result["epochs"], self.before, self.after)

    def test_file_name_that_is_not_utf8_still_gives_a_readable_workbook(self):
        folder = os.fsencode(self.folder.name)
        odd = os.path.join(folder, b"caf\xe9 \xff.net")  # Latin-1 bytes, not UTF-8
        with open(self.net, "rb") as source, open(odd, "wb") as copy:
            copy.write(source.read())
        xlsx = os.path.join(self.folder.name, "odd.xlsx")
        run([os.fsencode(BATCH), odd, b"--xlsx", os.fsencode(xlsx)])
        book = openpyxl.load_workbook(xlsx)
        self.assertEqual(book["General Information"]["B2"].value, "caf\ufffd \ufffd.net")

    def test_unwritable_path_fails_with_the_general_message(self):
        target = os.path.join(self.folder.name, "missing-folder", "summary.xlsx")
        result = subprocess.run([BATCH, self.net, "--xlsx", target], capture_output=True,
                                text=True, timeout=120)
        self.assertEqual(result.returncode, 1)
        self.assertIn("This version of the code has encountered an error with excel.",
                      result.stderr)
        self.assertIn(target, result.stderr)
        self.assertFalse(os.path.exists(target))


def read_net_file(path):
    """The pattern store of a training file: counts, then input and desired values."""
    with open(path) as f:
        numbers = [float(t) for t in f.read().replace(",", " ").split()]
    n_out, _spare, n_in, n_pat = (int(v) for v in numbers[:4])
    values = numbers[4:]
    # Every input vector comes first, then every desired output vector.
    inputs = [values[p * n_in:(p + 1) * n_in] for p in range(n_pat)]
    start = n_pat * n_in
    desired = [values[start + p * n_out:start + (p + 1) * n_out] for p in range(n_pat)]
    return inputs, desired


if __name__ == "__main__":
    unittest.main()
