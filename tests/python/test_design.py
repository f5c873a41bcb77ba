"""Goal seek and optimisation from Python: the same answers as vortane-calc,
runs that reproduce them, and failures reported in the result, not raised."""

import ast
import math
import os
import subprocess

from pathlib import Path

import pytest

import vortane
from test_vortane import CALC, interrupt_once_under_way

pytestmark = pytest.mark.skipif(not hasattr(vortane, "solve"), reason="a build without goal seek")

LIMITS = ["TemperatureRise<=30", "Barrier1ShearStress>=135", "LeastInletPressure>=0"]
VARY = {"BarrierClearance1": (0.03, 0.1), "ScrewSpeed": (60, 140)}


def calc_out(*arguments):
    return subprocess.run([CALC, *arguments], capture_output=True, text=True)


def test_solve_finds_the_speed_vortane_calc_prints():
    solution = vortane.solve("ScrewSpeed", 40, 140, "TemperatureRise", 30, OutputRate=350)
    assert solution.found and solution.end == "found" and solution.reason == ""
    printed = calc_out("OutputRate=350", "--solve", "ScrewSpeed=40:140", "--target", "TemperatureRise=30")
    assert printed.stdout.splitlines()[0] == "ScrewSpeed=" + solution.text
    rerun = vortane.run(OutputRate=350, ScrewSpeed=solution.text)
    assert rerun.TemperatureRise == solution.result.TemperatureRise
    assert abs(solution.residual) <= 0.001 and solution.residual == rerun.TemperatureRise - 30
    assert solution.result.texts["ScrewSpeed"] == solution.text
    history = solution.history
    assert len(history["ScrewSpeed"]) == solution.runs <= 40
    assert list(history["ScrewSpeed"][:2]) == [40, 140] and history["Outcome"][0] == "complete"


@pytest.mark.parametrize("target, end", [(60, "out_of_range"), (8.56, "in_step")])
def test_solve_without_a_solution_says_why(target, end):
    quantity = "TemperatureRise" if target == 60 else "TotalPressureDrop"
    solution = vortane.solve("ScrewSpeed", 40, 140, quantity, target, OutputRate=350)
    assert not solution.found and solution.end == end and solution.reason
    assert solution.summary.startswith("Not found: ")


def test_optimise_meets_the_limits_as_vortane_calc_does():
    optimum = vortane.optimise("TotalPressureDrop", vary=VARY, limits=LIMITS, threads=2, OutputRate=350)
    assert optimum.found and optimum.end == "converged"
    printed = calc_out("OutputRate=350", "--optimise", "minimise TotalPressureDrop",
                       *[a for f, (lo, hi) in VARY.items() for a in ("--vary", f"{f}={lo}:{hi}")],
                       *[a for limit in LIMITS for a in ("--limit", limit)]).stdout.splitlines()
    assert printed[:2] == [f"{f}={t}" for f, t in optimum.texts.items()]
    rerun = vortane.run(OutputRate=350, **optimum.texts)
    assert rerun.TotalPressureDrop == optimum.objective == optimum.result.TotalPressureDrop
    assert rerun.TemperatureRise <= 30 and rerun.indicators["Barrier1ShearStress"] >= 135
    assert all(margin >= 0 for margin in optimum.margins.values())
    history = optimum.history
    assert len(history["margin TemperatureRise<=30"]) == optimum.runs
    assert not any(math.isnan(v) for v in history["ScrewSpeed"])


def test_optimise_without_limits_says_none_were_set():
    free = vortane.optimise("TotalPressureDrop", vary={"ScrewSpeed": (60, 200)}, threads=2, OutputRate=350)
    assert free.found and free.summary == "Found: the best design, stopped by the tolerance (no limits set)"
    printed = calc_out("OutputRate=350", "--optimise", "minimise TotalPressureDrop", "--vary", "ScrewSpeed=60:200")
    assert printed.stdout.splitlines()[-1] == "stopped: by the tolerance (no limits set)"
    limited = vortane.optimise("TotalPressureDrop", vary={"ScrewSpeed": (60, 200)}, limits=["TemperatureRise<=30"],
                               threads=2, OutputRate=350)
    assert limited.summary == "Found: the best design, stopped by the tolerance"


def test_optimise_without_a_feasible_design_reports_it():
    optimum = vortane.optimise("PowerKW", vary={"ScrewSpeed": (60, 140)}, limits=["TemperatureRise<=1"],
                               maximise=True)
    assert not optimum.found and optimum.end == "infeasible"
    assert "TemperatureRise<=1" in optimum.reason and optimum.objective is None and optimum.texts == {}


def test_feasible_means_the_design_can_run():
    # At 350 kg/hr, 0.03 cm and 96.87 rpm the outlet channel falls below zero.
    design = dict(OutputRate=350, BarrierClearance1=0.03, ScrewSpeed=96.87)
    warned = vortane.run(limits=["TemperatureRise<=30"], **design)
    assert warned.warning_kinds == ["negative-pressure"] and warned.TemperatureRise <= 30
    assert not warned.feasible and warned.accepted_warnings == []
    accepted = vortane.run(limits=["TemperatureRise<=30"], accept_warnings=["negative-pressure"], **design)
    assert accepted.feasible and accepted.accepted_warnings == ["negative-pressure"]
    table = vortane.sweep(("BarrierClearance1", 0.03, 0.1, 0.007), ("ScrewSpeed", 60, 140, 8),
                          limits=["TemperatureRise<=30"], OutputRate=350)
    feasible = table["Feasible"]
    assert feasible.any() and all(text == "" for text in table["Warnings"][feasible])
    optimum = vortane.optimise("Barrier1ShearStress", vary=VARY, limits=["TemperatureRise<=30"], maximise=True,
                               threads=2, OutputRate=350)
    assert optimum.found and optimum.result.warnings == [] and optimum.result.feasible
    with pytest.raises(vortane.Error, match="no kind of warning"):
        vortane.run(accept_warnings=["negative pressure"])


@pytest.mark.parametrize("call", [
    lambda: vortane.solve("ScrewSped", 40, 140, "TemperatureRise", 30),
    lambda: vortane.solve("ScrewSpeed", 140, 40, "TemperatureRise", 30),
    lambda: vortane.solve("ScrewSpeed", 40, 140, "Warmth", 30),
    lambda: vortane.optimise("PowerKW", vary={"ScrewSpeed": 60}),
    lambda: vortane.optimise("PowerKW", vary={"ScrewSpeed": (60, 140)}, limits=["TemperatureRise<30"]),
    lambda: vortane.optimise("PowerKW", vary={}),
    lambda: vortane.optimise("PowerKW", vary={"ScrewSpeed": (60, 140)}, max_runs=0),
    lambda: vortane.optimise("PowerKW", vary={"ScrewSpeed": (60, 140)}, max_runs=-5),
    lambda: vortane.solve("ScrewSpeed", 40, 140, "TemperatureRise", 30, max_runs=1),
])
def test_questions_it_cannot_take_raise_errors(call):
    with pytest.raises(vortane.Error):
        call()


@pytest.mark.skipif(not os.path.isdir("/proc/self/task"), reason="threads listed in /proc")
def test_interrupt_stops_an_optimisation():
    # Below 12 kg/hr the temperature iteration runs to its pass limit, about
    # 0.1 s a run; Ctrl+C once the search's workers run stops it after the runs
    # under way.
    took = interrupt_once_under_way(
        lambda: vortane.optimise("PowerKW", vary={"OutputRate": (5, 12), "ScrewSpeed": (60, 140)}, threads=2))
    assert took < 1.5


def test_a_search_whose_every_run_stopped_says_why_as_vortane_calc_does():
    # ScrewSpeed = 0 faults every run.
    optimum = vortane.optimise("PowerKW", vary={"OutputRate": (100, 300)}, ScrewSpeed=0)
    assert not optimum.found and optimum.end == "every_run_stopped"
    assert optimum.reason == f"every run stopped: Floating point division by zero ({optimum.runs} runs)"
    printed = calc_out("ScrewSpeed=0", "--optimise", "minimise PowerKW", "--vary", "OutputRate=100:300")
    assert printed.returncode == 1
    assert printed.stderr.startswith(f"vortane-calc: no feasible design in the bounds: {optimum.reason}\n")
    solution = vortane.solve("OutputRate", 100, 300, "PowerKW", 5, ScrewSpeed=0)
    assert solution.end == "every_run_stopped" and solution.reason.startswith("every run stopped: Floating")


@pytest.mark.parametrize("name", ["Solution", "Optimum", "ScaleUp"])
def test_stub_declares_the_results(name):
    stub = ast.parse((Path(vortane.__file__).parent / "__init__.pyi").read_text())
    declared = next(node for node in stub.body if isinstance(node, ast.ClassDef) and node.name == name)
    names = {node.name for node in declared.body if isinstance(node, ast.FunctionDef) and not node.name.startswith("_")}
    assert names == {attribute for attribute in dir(getattr(vortane, name)) if not attribute.startswith("_")}


FRONT_LIMITS = ["TemperatureRise<=30", "LeastInletPressure>=0"]
PRESSURE_AND_STRESS = ["minimise TotalPressureDrop", "maximise Barrier1ShearStress"]


def test_front_returns_the_designs_as_arrays_under_the_csv_columns():
    front = vortane.front(PRESSURE_AND_STRESS, VARY, limits=FRONT_LIMITS, divisions=6, OutputRate=350)
    assert front.end == "complete" and front.reason == "" and len(front) >= 4
    printed = calc_out("OutputRate=350", "--front", PRESSURE_AND_STRESS[0], "--front", PRESSURE_AND_STRESS[1],
                       "--vary", "BarrierClearance1=0.03:0.1", "--vary", "ScrewSpeed=60:140",
                       "--limit", FRONT_LIMITS[0], "--limit", FRONT_LIMITS[1])
    assert printed.returncode == 0, printed.stderr
    assert list(front.designs) == printed.stdout.splitlines()[0].split(",")
    table = front.designs
    assert all(len(column) == len(front) for column in table.values())
    assert list(table["Point"]) == list(range(1, len(front) + 1))
    assert table["Feasible"].all() and table["Knee"].sum() == 1 and table["Knee"][front.knee]
    assert list(front.objectives[:, 0]) == list(table["TotalPressureDrop"])
    assert list(front.objectives[:, 1]) == list(table["Barrier1ShearStress (kPa)"])
    # Sorted along the front: more pressure drop buys more stress.
    assert (front.objectives[1:, 0] > front.objectives[:-1, 0]).all()
    assert (front.objectives[1:, 1] > front.objectives[:-1, 1]).all()
    for i, texts in enumerate(front.texts):
        rerun = vortane.run(OutputRate=350, limits=FRONT_LIMITS, **texts)
        assert rerun.feasible and rerun.TotalPressureDrop == front.objectives[i, 0]
        assert float(texts["ScrewSpeed"]) == table["ScrewSpeed"][i]
    # A design's report carries the front, that design marked; the knee's by default.
    knee = front.to_html()
    assert "Trade-off front" in knee and "Knee, this case" in knee
    assert knee.split("Trade-off front")[0].count(front.texts[front.knee]["ScrewSpeed"]) >= 1
    other = 0 if front.knee else 1
    assert f"Point {other + 1}" in front.to_html(other, units="us") and "psi" in front.to_html(other, units="us")
    with pytest.raises(IndexError):
        front.to_html(len(front))


def test_front_of_three_objectives():
    front = vortane.front(PRESSURE_AND_STRESS + ["minimise TemperatureRise"], VARY, limits=FRONT_LIMITS,
                          divisions=2, threads=2, OutputRate=350)
    assert front.end == "complete" and front.objectives.shape == (len(front), 3)
    assert front.knee is not None and list(front.designs["TemperatureRise"]) == list(front.objectives[:, 2])


def test_front_refusals_and_no_design_are_told():
    for objectives in (["minimise TotalPressureDrop"], PRESSURE_AND_STRESS * 2, ["minimise X", "maximise Y"]):
        with pytest.raises(vortane.Error):
            vortane.front(objectives, VARY)
    none = vortane.front(PRESSURE_AND_STRESS, VARY, limits=["TemperatureRise<=1"], divisions=2, OutputRate=350)
    assert none.end == "infeasible" and len(none) == 0 and none.knee is None
    assert "no feasible run" in none.reason and list(none.designs["Point"]) == []


KEEP = ["Barrier1ShearStress", "TemperatureRise"]


def test_scale_up_gives_the_table_vortane_calc_prints():
    scaled = vortane.scale_up(20, 1000, keep=KEEP, threads=2)
    assert scaled.designs == ["Reference", "Constant speed", "Constant peripheral speed", "Constant shear rate",
                              "Constant residence time", "Constant specific energy", "Kept"]
    assert scaled.kept and scaled.runs > 0 and scaled.end in ("converged", "roundoff", "run_limit")
    assert all(abs(scaled.deviations["Kept"][column]) < 2 for column in KEEP)
    printed = calc_out("--scale-to", "BarrelDiameter=20", "--output", "1000", "--keep", KEEP[0], "--keep", KEEP[1])
    assert printed.returncode == 0, printed.stderr
    assert printed.stdout == scaled.table
    kept = scaled.texts["Kept"]
    assert kept["BarrelDiameter"] == "20" and kept["OutputRate"] == "1000"
    rerun = vortane.run(**kept)
    assert rerun.TemperatureRise == scaled.values["Kept"]["TemperatureRise"] == scaled.results["Kept"].TemperatureRise
    # The cubic rule's output, the peripheral speed's slower screw.
    assert math.isclose(float(scaled.texts["Constant speed"]["OutputRate"]), 267 * (20 / 11.43) ** 3, rel_tol=1e-9)
    assert math.isclose(float(scaled.texts["Constant peripheral speed"]["ScrewSpeed"]), 80 * 11.43 / 20,
                        rel_tol=1e-9)


def test_scale_up_to_its_own_diameter_makes_no_search():
    own = vortane.scale_up(11.43, 267, keep=KEEP)
    assert own.runs == 0 and own.kept and len(own) == 7
    assert all(value == 0 for design in own.deviations.values() for value in design.values())


@pytest.mark.parametrize("call", [
    lambda: vortane.scale_up(20, 1000, keep=["Warmth"]),
    lambda: vortane.scale_up(20, 1000, vary={"BarrelDiameter": (15, 25)}),
])
def test_scale_up_refusals_raise_errors(call):
    with pytest.raises(vortane.Error):
        call()
