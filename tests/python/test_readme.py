"""Every Python block of README.md runs, and the module's docstring examples hold."""

import contextlib
import doctest
import io
import pathlib
import re

import pytest

import folix

README = (pathlib.Path(__file__).parents[2] / "README.md").read_text(encoding="utf-8")
BLOCKS = re.findall(r"^```python\n(.*?)^```$", README, re.MULTILINE | re.DOTALL)
# What the README says its first example prints.
PRINTED = re.search(r"It prints\n\n```\n(.*?)```", README, re.DOTALL).group(1)


@pytest.mark.parametrize("block", BLOCKS, ids=[f"block-{i + 1}" for i in range(len(BLOCKS))])
def test_readme_block_runs(block, tmp_path, monkeypatch, request):
    if "dask" in block:
        monkeypatch.setenv("FOLIX_SCHEDULER", request.getfixturevalue("dask_client").scheduler.address)
    monkeypatch.chdir(tmp_path)
    monkeypatch.setenv("MPLBACKEND", "Agg")
    printed = io.StringIO()
    with contextlib.redirect_stdout(printed):
        exec(compile(block, "README.md", "exec"), {"__name__": "__main__"})  # pylint: disable=exec-used
    if block == BLOCKS[0]:
        assert printed.getvalue() == PRINTED and (tmp_path / "python_example.png").stat().st_size > 0


def test_module_docstring_examples():
    test = doctest.DocTestParser().get_doctest(folix.__doc__, {}, "folix", None, 0)
    runner = doctest.DocTestRunner()
    runner.run(test)
    assert runner.failures == 0 and runner.tries > 0
