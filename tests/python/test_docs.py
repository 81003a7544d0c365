"""The examples of docs/python.md run as they stand and print what the page shows; the type
stub names every method the module has."""
import ast
import contextlib
import io
import pathlib
import re

import pytest

import mnemex

ROOT = pathlib.Path(__file__).parents[2]
DOC = ROOT / "docs" / "python.md"
STUB = ROOT / "python" / "mnemex.pyi"


def example_under(heading):
    text = DOC.read_text()
    section = text[text.index(heading):]
    code = re.search(r"```python\n(.*?)```", section, re.S).group(1)
    output = re.search(r"```text\n(.*?)```", section, re.S).group(1)
    return code, output


@pytest.mark.parametrize("heading", [
    "## Worked example",
    "## Pattern order and fixed weights",
])
def test_example_prints_the_documented_output(monkeypatch, heading):
    code, expected = example_under(heading)
    monkeypatch.chdir(ROOT)  # the examples name files from the source folder
    printed = io.StringIO()
    with contextlib.redirect_stdout(printed):
        exec(compile(code, str(DOC), "exec"), {"__name__": "__main__"})
    assert printed.getvalue() == expected


def stub_members(class_name):
    tree = ast.parse(STUB.read_text())
    cls = next(node for node in tree.body
               if isinstance(node, ast.ClassDef) and node.name == class_name)
    return {node.name for node in cls.body
            if isinstance(node, ast.FunctionDef) and not node.name.startswith("_")}


@pytest.mark.parametrize("class_name", ["Network", "TrainingRun"])
def test_stub_names_every_public_member(class_name):
    cls = getattr(mnemex, class_name)
    assert stub_members(class_name) == {name for name in dir(cls) if not name.startswith("_")}
