"""The material library from Python: listed as vortane-calc lists it, and a
grade's values run as vortane-calc runs them."""

import csv
import os
import subprocess
from pathlib import Path

import pytest

import vortane

CALC = os.environ.get("VORTANE_CALC") or str(
    Path(vortane.__file__).resolve().parents[2] / "cli" / "vortane-calc")

CROSS = """Name = Cross test
Family = PS
Law = CrossWLF
Law.n = 0.3
Law.tau = 30000 Pa
Law.D1 = 1e13 Pa.s
Law.D2 = 263.15 K
Law.A1 = 28
Law.A2 = 51.6 K
Law.Source = Design Formulas, p. 3
TemperatureRange = 200 to 260 degC
ShearRateRange = 10 to 10000 1/s
Range.Source = a book
MeltDensity = 0.95 g/cm3
MeltDensity.Source = a handbook
"""

GRADE = """Name = My PP
Family = PP
Law = Six
Law.Source = own measurements, 2026-12-01
TemperatureRange = 200 to 260 degC
ShearRateRange = 10 to 1000 1/s
Range.Source = own measurements, 2026-12-01
A0 = 6.83729
A1 = -0.661828
A11 = -0.0158406
A2 = -0.0149381
A22 = -4.7079E-7
A12 = 1.1946E-3
"""


@pytest.fixture
def user_folder(tmp_path, monkeypatch):
    """An empty user's folder of grades, for the module and vortane-calc alike."""
    monkeypatch.setenv("XDG_DATA_HOME", str(tmp_path / "data"))
    folder = tmp_path / "data" / "vortane" / "materials"
    folder.mkdir(parents=True)
    return folder


def calc(tmp_path, *arguments):
    return subprocess.run([CALC, *arguments], cwd=tmp_path,
                          capture_output=True, text=True)


def test_materials_are_the_csv_of_vortane_calc(tmp_path, user_folder):
    (user_folder / "PP-mine.vgrade").write_text(GRADE, encoding="utf-8")
    assert calc(tmp_path, "--list-materials", "--csv", "list.csv").returncode == 0
    with open(tmp_path / "list.csv", newline="", encoding="utf-8") as file:
        rows = list(csv.DictReader(file))
    grades = vortane.materials()
    assert [grade["Name"] for grade in grades] == [row["Name"] for row in rows]
    for grade, row in zip(grades, rows):
        for column in ("Family", "Source", "TemperatureRange", "ShearRateRange"):
            assert grade[column] == row[column]
        assert grade["FitError"] == (float(row["FitError"]) if row["FitError"] else None)
    mine = grades[-1]
    assert (mine["Name"], mine["User"], mine["FitError"]) == ("My PP", True, 0.0)
    assert all(not grade["User"] for grade in grades[:-1])


def test_run_with_a_material_equals_vortane_calc(tmp_path, user_folder):
    (user_folder / "PS-cross.vgrade").write_text(CROSS, encoding="utf-8")
    assert calc(tmp_path, "--decimal-separator", ".", "--material", "Cross test", "OutputRate=200",
                "-o", "calc.txt").returncode == 0
    result = vortane.run(material="cross TEST", OutputRate=200, report=tmp_path / "module.txt")
    assert (tmp_path / "module.txt").read_bytes() == (tmp_path / "calc.txt").read_bytes()
    assert result.MeltDensity == 0.95
    html = result.to_html()
    assert "Cross test" in html and "Design Formulas, p. 3" in html


def test_unknown_and_bad_grades_are_refused(tmp_path, user_folder):
    (user_folder / "PS-cross.vgrade").write_text(CROSS, encoding="utf-8")
    with pytest.raises(vortane.Error, match=r"unknown material cross \(did you mean Cross test\?\)"):
        vortane.run(material="cross")
    with pytest.raises(vortane.Error, match="material: give the grade's name as a str"):
        vortane.run(material=3)
    (user_folder / "PP-bad.vgrade").write_text(GRADE + "Law.n = 1\n", encoding="utf-8")
    with pytest.raises(vortane.Error, match=r"PP-bad.vgrade:14: Law Six takes no Law.n"):
        vortane.materials()
    # The bad file left out and named, the others still listed.
    with pytest.warns(RuntimeWarning, match=r"PP-bad.vgrade:14: Law Six takes no Law.n"):
        assert "Cross test" in [grade["Name"] for grade in vortane.materials(strict=False)]
