"""The worked example of docs/python.md runs as it stands and prints what the page shows."""
import contextlib
import io
import pathlib
import re

DOC = pathlib.Path(__file__).parents[2] / "docs" / "python.md"


def worked_example():
    text = DOC.read_text()
    section = text[text.index("## Worked example"):]
    code = re.search(r"```python\n(.*?)```", section, re.S).group(1)
    output = re.search(r"```text\n(.*?)```", section, re.S).group(1)
    return code, output


def test_capacity_example_prints_the_documented_table():
    code, expected = worked_example()
    printed = io.StringIO()
    with contextlib.redirect_stdout(printed):
        exec(compile(code, str(DOC), "exec"), {"__name__": "__main__"})
    assert printed.getvalue() == expected
