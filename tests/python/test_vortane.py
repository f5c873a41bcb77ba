"""The module against vortane-calc on the same texts: runs field by field,
sweeps and profiles bit for bit, case files byte for byte; and the errors."""

import ast
import csv
import math
import os
import signal
import struct
import subprocess
import threading
import time
from pathlib import Path

import numpy as np
import pytest

import vortane

CALC = os.environ.get("VORTANE_CALC") or str(
    Path(vortane.__file__).resolve().parents[2] / "cli" / "vortane-calc")


def calc(tmp_path, *arguments):
    """Runs vortane-calc in tmp_path; its exit status."""
    return subprocess.run([CALC, "--decimal-separator", ".", *arguments], cwd=tmp_path,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def read_csv(path):
    with open(path, newline="", encoding="utf-8") as file:
        rows = list(csv.reader(file))
    return rows[0], rows[1:]


def bits(values):
    return [struct.pack("<d", value) for value in values]


def csv_number(text):
    return float(text) if text else math.nan


# Complete, stopped by the inlet pressure, non-converging, a rejected channel,
# an arithmetic fault, a text that does not convert.
CASES = [
    {},
    {"OutputRate": "30"},
    {"InletPressure": "21", "ScrewSpeed": "60"},
    {"OutputRate": "10"},
    {"BarrierWidth1": "12"},
    {"ChannelDepth": "0"},
    {"Edit7": "0.0x5"},
]


@pytest.mark.parametrize("texts", CASES)
def test_run_equals_vortane_calc(tmp_path, texts):
    arguments = [f"{field}={text}" for field, text in texts.items()]
    calc(tmp_path, "-o", "calc.txt", "--csv", "calc.csv", *arguments)
    result = vortane.run(report=tmp_path / "module.txt", **texts)

    header, rows = read_csv(tmp_path / "calc.csv")
    row = dict(zip(header, rows[0]))
    assert row.pop("Point") == "1"
    assert row.pop("Outcome") == result.outcome
    assert int(row.pop("Passes")) == result.passes
    assert row.pop("Message") == "; ".join(result.messages + ([result.fault] if result.fault else []))
    assert row.pop("Warnings") == "; ".join(result.warnings)
    for column, text in row.items():
        name = column.split(" (")[0]
        value = result.indicators.get(name) if " (" in column else getattr(result, name)
        if text:
            assert bits([float(text)]) == bits([value]), column
        else:
            assert value is None or result.outcome != "complete", column
    assert (tmp_path / "module.txt").exists() == (tmp_path / "calc.txt").exists()
    if (tmp_path / "calc.txt").exists():
        assert (tmp_path / "module.txt").read_bytes() == (tmp_path / "calc.txt").read_bytes()


def test_stopped_runs_are_results():
    rejected = vortane.run(Edit7="0.0x5")
    assert rejected.outcome == "input"
    assert rejected.rejected_field == "BarrierClearance1"
    assert rejected.messages == ["Input data is not proper, change and try again!"]
    assert rejected.indicators == {}
    low = vortane.run(InletPressure=21, ScrewSpeed=60)
    assert (low.outcome, low.messages) == ("pressure", ["Assumed inlet pressure is too low!"])
    assert low.least_inlet_pressure > 21
    assert low.fields["PressureOk"] is False and low.fields["InletChannelCount"] == 5


def test_inputs_a_run_did_not_read_are_nan():
    # Reading stops at the rejected text: its box and those after it are unread.
    rejected = vortane.run(OutputRate="1e400 kg/hr")
    assert (rejected.outcome, rejected.rejected_field) == ("input", "OutputRate")
    assert math.isnan(rejected.fields["OutputRate"]) and math.isnan(rejected.OutputRate)
    assert math.isnan(rejected.fields["ChannelLength"]) and math.isnan(rejected.fields["InletChannelCount"])
    assert rejected.fields["BarrelDiameter"] == 11.43 and rejected.fields["ScrewSpeed"] == 80
    assert rejected.fields["InputOk"] is False
    count = vortane.run(InletChannelCount="5.5")
    assert count.rejected_field == "InletChannelCount" and math.isnan(count.InletChannelCount)
    assert count.ChannelAngle == 15
    assert vortane.run().fields["InletChannelCount"] == 5


@pytest.mark.parametrize("texts", [{"InletMeltTemp": "-500 K"}, {"MeltingPoint": "-460 °F"},
                                   {"OutputRate": "-350 lb/hr"}, {"ChannelDepth": "-6 mm"}])
def test_impossible_typed_values_are_refused_as_vortane_calc_refuses_them(tmp_path, texts):
    refused = subprocess.run([CALC, *[f"{f}={t}" for f, t in texts.items()]], cwd=tmp_path,
                             capture_output=True, text=True)
    assert refused.returncode == 2 and not (tmp_path / "result.txt").exists()
    with pytest.raises(vortane.Error) as error:
        vortane.run(**texts)
    assert refused.stderr == f"vortane-calc: {error.value}\n"
    plain = {field: text.split()[0] for field, text in texts.items()}
    assert vortane.run(**plain).warnings  # a plain number is the run's to judge


def test_values_a_run_did_not_compute_are_nan(tmp_path):
    fault = vortane.run(ScrewSpeed=0)
    assert fault.outcome == "fault" and fault.detail.startswith("ScrewSpeed = 0 is outside")
    assert math.isnan(fault.TemperatureRise) and math.isnan(fault.fields["PowerKW"])
    assert math.isnan(fault.ChannelWidth)  # the channel block is the pressure step's
    assert fault.ScrewSpeed == 0 and fault.InletChannelCount == 5
    low = vortane.run(InletPressure=21)
    assert low.ChannelWidth > 0 and math.isnan(low.TemperatureRise)
    with pytest.raises(vortane.Error, match="is 301 bytes long; a report's name holds at most 255"):
        vortane.run(report=str(tmp_path / ("a" * 200)) + "/" + "b" * (300 - len(str(tmp_path)) - 201))
    assert not any(tmp_path.iterdir())


def test_numbers_stand_for_their_shortest_texts():
    result = vortane.run(OutputRate=0.1 + 0.2, InletChannelCount=np.int64(5), ScrewSpeed=np.float32(60.5))
    assert result.texts["OutputRate"] == "0.30000000000000004"
    assert result.OutputRate == 0.1 + 0.2
    assert result.texts["InletChannelCount"] == "5"
    assert result.texts["ScrewSpeed"] == "60.5"
    comma = vortane.run(decimal_separator=",", OutputRate=30.5, ChannelDepth=6.2e-05)
    assert (comma.texts["OutputRate"], comma.texts["ChannelDepth"]) == ("30,5", "6,2e-05")
    assert comma.OutputRate == 30.5 and comma.texts["BarrelDiameter"] == "11,43"


# The 100 x 100 grid of the speed figures, and every way a point ends:
# complete, fault and pressure; channel and nonconvergent; input ("4.5").
GRIDS = [
    [("OutputRate", "100", "397", "3"), ("ScrewSpeed", "40", "119.2", "0.8")],
    [("InletPressure", "0", "30", "1"), ("ChannelDepth", "0", "0.8", "0.4")],
    [("OutputRate", "5", "15", "5"), ("BarrierWidth1", "1.27", "12", "10.73")],
    [("InletChannelCount", "4", "5", "0.5")],
]


@pytest.mark.parametrize("axes, units", [(axes, "metric") for axes in GRIDS] +
                         [(GRIDS[2], "si"), (GRIDS[2], "us")])
def test_sweep_equals_vortane_calc_to_the_last_bit(tmp_path, axes, units):
    sweeps = [part for a in axes for part in ("--sweep", f"{a[0]}={a[1]}:{a[2]}:{a[3]}")]
    calc(tmp_path, "--csv", "calc.csv", "--units", units, *sweeps)
    header, rows = read_csv(tmp_path / "calc.csv")
    table = vortane.sweep(*axes, units=units)

    assert list(table) == header
    for c, name in enumerate(header):
        texts = [row[c] for row in rows]
        array = table[name]
        assert len(array) == len(rows), name
        if name in ("Outcome", "Message", "Warnings"):
            assert array.tolist() == texts, name
        elif name in ("Point", "Passes"):
            assert array.dtype == np.int64 and array.tolist() == [int(t) for t in texts], name
        else:
            assert array.dtype == np.float64
            assert bits(array) == bits(csv_number(t) for t in texts), name


def interrupt_once_under_way(call, timeout=60):
    """Calls call() and sends SIGINT to this thread once the call's worker
    threads run (Linux: the process's threads in /proc/self/task), as Ctrl+C
    would; the seconds from the signal to the KeyboardInterrupt raised."""
    def threads():
        return len(os.listdir("/proc/self/task"))
    before = threads() + 1  # with the watcher's own
    sent = []

    def watch():
        end = time.monotonic() + timeout
        while threads() <= before:
            if time.monotonic() > end:
                return
            time.sleep(0.002)
        sent.append(time.monotonic())
        signal.pthread_kill(threading.main_thread().ident, signal.SIGINT)

    watcher = threading.Thread(target=watch, daemon=True)
    watcher.start()
    with pytest.raises(KeyboardInterrupt):
        call()
    raised = time.monotonic()
    watcher.join()
    assert sent, "the call never started its worker threads"
    return raised - sent[0]


@pytest.mark.skipif(not os.path.isdir("/proc/self/task"), reason="threads listed in /proc")
def test_sweep_of_slow_points_stops_on_ctrl_c_at_once():
    # Below 9 kg/hr every run goes to the pass limit, about 0.1 s; the workers
    # take 62 of these 1001 points at a time. Ctrl+C ends the sweep after the
    # points under way, not after a worker's whole share.
    took = interrupt_once_under_way(lambda: vortane.sweep(("OutputRate", 5, 9, 0.004), threads=2))
    print(f"Ctrl+C to KeyboardInterrupt: {took * 1000:.0f} ms")
    assert took < 2


@pytest.mark.parametrize("units, suffix", [("metric", ""), ("us", " (psi)")])
def test_profile_equals_vortane_calc(tmp_path, units, suffix):
    calc(tmp_path, "OutputRate=30", "--profile", "profile.csv", "--units", units)
    header, rows = read_csv(tmp_path / "profile.csv")
    profile = vortane.profile(OutputRate=30, units=units)
    columns = dict(zip(header, zip(*rows)))
    for name, array in [("z", profile.z), ("InletFlowFraction", profile.y), ("RelPressureInlet", profile.p1),
                        ("RelPressureOutlet", profile.p2), ("PressureInlet" + suffix, profile.pressure_inlet),
                        ("PressureOutlet" + suffix, profile.pressure_outlet)]:
        assert bits(array) == bits(float(t) for t in columns[name]), name
    stopped = vortane.profile(InletPressure=21, ScrewSpeed=60)
    assert (stopped.result.outcome, stopped.fault, len(stopped.z)) == ("pressure", "the run did not complete", 0)


def test_texts_with_units_run_as_their_converted_numbers(tmp_path):
    typed = vortane.run(report=tmp_path / "typed.txt", OutputRate="350 lb/hr", InletPressure="19.6133 MPa",
                        HeatOfFusion="55.8 BTU/lb")
    plain = vortane.run(report=tmp_path / "plain.txt", OutputRate="158.7573295", InletPressure="200",
                        HeatOfFusion="31")
    assert (tmp_path / "typed.txt").read_bytes() == (tmp_path / "plain.txt").read_bytes()
    assert typed.texts == plain.texts
    with pytest.raises(vortane.Error, match=r'^ScrewSpeed "80 kg/hr": the unit kg/hr is not one ScrewSpeed takes'):
        vortane.run(ScrewSpeed="80 kg/hr")


def test_case_files_as_the_window_and_vortane_calc_keep_them(tmp_path):
    calc(tmp_path, "OutputRate=30", "InletChannelCount=4", "--write-case", "calc.vcase")
    vortane.write_case(tmp_path / "module.vcase", {"OutputRate": 30, "InletChannelCount": 4})
    assert (tmp_path / "module.vcase").read_bytes() == (tmp_path / "calc.vcase").read_bytes()

    texts = vortane.read_case(tmp_path / "calc.vcase", decimal_separator=",")
    assert list(texts)[:3] == ["BarrelDiameter", "ScrewSpeed", "OutputRate"] and len(texts) == 28
    assert (texts["BarrelDiameter"], texts["OutputRate"]) == ("11,43", "30")
    from_file = vortane.run(case=tmp_path / "calc.vcase", ChannelAngle="0")
    assert from_file.fields == vortane.run(OutputRate=30, InletChannelCount=4, ChannelAngle=0).fields


DEFAULT_LAW = {"A0": 6.83729, "A1": -0.661828, "A11": -0.0158406, "A2": -0.0149381,
               "A22": -4.7079e-7, "A12": 1.1946e-3}


def test_fit_viscosity_recovers_the_law_it_was_given():
    # Points of the default law without noise, in mPa.s: ln η (gf.s/cm2) =
    # A0 + A1 ln γ + A11 ln² γ + A2 T + A22 T² + A12 T ln γ; 1 gf.s/cm2 = 98066.5 mPa.s.
    a = DEFAULT_LAW
    t, g = np.meshgrid([150.0, 170.0, 190.0, 210.0, 230.0], np.logspace(0, 4, 9))
    ln = np.log(g)
    eta = np.exp(a["A0"] + a["A1"] * ln + a["A11"] * ln**2 + a["A2"] * t + a["A22"] * t**2
                 + a["A12"] * t * ln) * 98066.5
    fit = vortane.fit_viscosity(t.ravel(), g.ravel(), eta.ravel(), unit="mPa.s")
    for name, value in DEFAULT_LAW.items():
        assert fit.coefficients[name] == pytest.approx(value, rel=1e-9), name
    assert fit.r_squared == pytest.approx(1, abs=1e-12) and abs(fit.max_relative_error) < 1e-9
    assert (fit.point_count, fit.temperature_range, fit.shear_rate_range) == (45, (150, 230), (1, 1e4))


def test_fit_viscosity_equals_vortane_calc(tmp_path):
    data = Path(__file__).resolve().parents[2] / "examples" / "melt-measurements.csv"
    out = subprocess.run([CALC, "--fit-viscosity", str(data)], capture_output=True, text=True).stdout
    entries = dict(line.split(" = ") for line in out.splitlines() if not line.startswith("#"))
    with open(data, newline="") as file:
        rows = [row for row in csv.reader(file) if row and not row[0].startswith("#")][1:]
    fit = vortane.fit_viscosity(*zip(*[map(float, row) for row in rows]))
    assert {name: entries.pop(name) for name in fit.texts} == fit.texts
    assert entries == {"ViscosityTemperatureRange": "150:230", "ViscosityShearRateRange": "1:10000"}
    assert f"# R² of ln η: {fit.r_squared:.6f}" in out


@pytest.mark.parametrize("call,message", [
    (lambda: vortane.run(OutputRat=30), "unknown field OutputRat (did you mean OutputRate?)"),
    (lambda: vortane.run(OutputRate=[30]), "OutputRate: list is neither a text nor a number"),
    (lambda: vortane.run(OutputRate=True), "OutputRate: bool is neither a text nor a number"),
    (lambda: vortane.run(ScrewSpeed=math.inf), "ScrewSpeed: inf is not a finite number"),
    (lambda: vortane.run(decimal_separator="e"), "decimal_separator 'e': the decimal separator"),
    (lambda: vortane.sweep(("ScrewSpeed", 40, 120, 0)), "first ScrewSpeed: STEP must not be zero"),
    (lambda: vortane.run(limits=["TemperatureRise=30"]),
     'limit "TemperatureRise=30" is not QUANTITY<=VALUE or QUANTITY>=VALUE'),
    (lambda: vortane.sweep(("ScrewSpeed", 40, 120, 10), limits=["Speed<=3"]),
     'limit "Speed<=3": unknown quantity Speed; the quantities are ChannelWidth'),
    (lambda: vortane.run(limits="TemperatureRise<=30"), "limits: expected a list of texts"),
    (lambda: vortane.sweep(("ScrewSpeed", 40, 120, 10), ("Speed", 1, 2, 1)), "unknown field Speed"),
    (lambda: vortane.sweep(("ScrewSpeed", 40, 120)), "first: expected (field, from, to, step)"),
    (lambda: vortane.sweep(("ScrewSpeed", 40, 120, 10), threads=0), "threads: 0 is not from 1 to 1024"),
    (lambda: vortane.profile(steps=0), "steps: 0 is not at least 1"),
    (lambda: vortane.write_case(os.devnull, {"OutputRate": "3\n0"}), "OutputRate"),
    (lambda: vortane.fit_viscosity([170] * 5, [1, 2, 3, 4, 5], [1] * 5),
     "fit_viscosity: 5 points: the six coefficients need at least six"),
    (lambda: vortane.fit_viscosity([170], [1], [1], unit="Pa"), "unit: unknown viscosity unit Pa"),
    (lambda: vortane.fit_viscosity([170, 180], [1], [1, 2]), "must be sequences of one length"),
])
def test_errors_name_what_is_wrong(call, message):
    with pytest.raises(vortane.Error) as error:
        call()
    assert isinstance(error.value, ValueError)
    assert message in str(error.value)


def test_fitted_case_warns_where_its_law_leaves_its_data():
    fitted = Path(__file__).resolve().parents[2] / "examples" / "melt-fitted.vcase"
    outside = ("the viscosity law is used at a melt temperature of 235.25 \u2103, "
               "outside the 150 to 230 \u2103 it was fitted on")
    assert outside in vortane.run(case=fitted, OutputRate=30).warnings
    assert not any("viscosity law" in w for w in vortane.run(case=fitted).warnings)
    assert not any("viscosity law" in w for w in vortane.run(case=fitted, OutputRate=30, A0=6.4).warnings)
    table = vortane.sweep(("OutputRate", 30, 40, 10), case=fitted)
    assert outside in table["Warnings"][0] and "viscosity law" not in table["Warnings"][1]


def test_case_file_errors_name_the_file_and_line(tmp_path):
    (tmp_path / "bad.vcase").write_text("OutputRate = 30\nSpeed = 80\n")
    with pytest.raises(vortane.Error, match=r"bad\.vcase:2: unknown field Speed"):
        vortane.read_case(tmp_path / "bad.vcase")
    with pytest.raises(vortane.Error, match="cannot read case file"):
        vortane.run(case=tmp_path / "missing.vcase")


def test_case_limit_naming_no_quantity_is_refused_with_its_line(tmp_path):
    case = tmp_path / "odd.vcase"
    case.write_text("OutputRate = 30\nLimit = TemperatureRis<=25\n")
    expected = (f'{case}:2: limit "TemperatureRis<=25": unknown quantity TemperatureRis '
                "(did you mean TemperatureRise?)")
    for call in (lambda: vortane.run(case=case), lambda: vortane.read_case(case),
                 lambda: vortane.sweep(("ScrewSpeed", 40, 120, 40), case=case)):
        with pytest.raises(vortane.Error) as error:
            call()
        assert str(error.value) == expected


LIMITS = ["TemperatureRise<=30", "Barrier1ShearStress>=120", "OutletAverageMeltTemp<=200", "ChannelWidth>=2.5"]
LIMIT_GRIDS = [
    [("BarrierClearance1", "0.03", "0.1", "0.035"), ("ScrewSpeed", "60", "120", "30")],
    [("InletPressure", "20", "120", "50"), ("ScrewSpeed", "60", "100", "20")],  # some stop
]


@pytest.mark.parametrize("grid, units", [(0, "metric"), (0, "us"), (1, "metric")])
def test_limits_give_the_csvs_columns(tmp_path, grid, units):
    axes = LIMIT_GRIDS[grid]
    sweeps = [part for a in axes for part in ("--sweep", f"{a[0]}={a[1]}:{a[2]}:{a[3]}")]
    limits = [part for limit in LIMITS for part in ("--limit", limit)]
    # A sweep's status is its points' outcomes, whatever the limits say.
    assert calc(tmp_path, "--csv", "calc.csv", "--units", units, "OutputRate=350", *sweeps, *limits) == grid
    header, rows = read_csv(tmp_path / "calc.csv")
    table = vortane.sweep(*axes, units=units, limits=LIMITS, OutputRate=350)

    assert list(table) == header and header[-5] == "Feasible"
    feasible = [row[-5] for row in rows]
    assert table["Feasible"].tolist() == [text == "true" for text in feasible]
    assert "true" in feasible and "false" in feasible
    for c in range(len(header) - 4, len(header)):
        assert bits(table[header[c]]) == bits(csv_number(row[c]) for row in rows), header[c]


def test_run_is_judged_by_the_case_files_limits_and_its_own(tmp_path):
    (tmp_path / "brief.vcase").write_text("OutputRate = 350\nLimit = TemperatureRise<=30\n")
    assert calc(tmp_path, "--case", "brief.vcase", "--limit", "TotalPressureDrop<=30", "--csv", "calc.csv") == 4
    header, rows = read_csv(tmp_path / "calc.csv")
    result = vortane.run(case=tmp_path / "brief.vcase", limits=["TotalPressureDrop<=30"])
    assert (result.limits, result.failed_limits) == (["TemperatureRise<=30", "TotalPressureDrop<=30"],
                                                     ["TotalPressureDrop<=30"])
    assert result.feasible is False and header[-3:] == ["Feasible"] + ["Margin " + l for l in result.limits]
    assert bits(result.margins.values()) == bits(float(text) for text in rows[0][-2:])
    stopped = vortane.run(InletPressure=21, limits=["TemperatureRise<=1000"])
    assert not stopped.feasible and math.isnan(stopped.margins["TemperatureRise<=1000"])


def test_stub_declares_the_module():
    stub = ast.parse((Path(vortane.__file__).parent / "__init__.pyi").read_text())
    classes = {node.name: node for node in stub.body if isinstance(node, ast.ClassDef)}
    declared = {getattr(node, "name", None) or getattr(getattr(node, "target", None), "id", None)
                for node in classes["Result"].body} - {None}
    assert declared == {name for name in dir(vortane.Result) if not name.startswith("_")}
    functions = {node.name for node in stub.body if isinstance(node, ast.FunctionDef)}
    # A build without goal seek and optimisation lacks what the stub declares of them.
    searches = set() if hasattr(vortane, "solve") else {"Optimum", "Solution", "optimise", "solve"}
    assert functions | set(classes) == set(vortane.__all__) | searches
    assert (Path(vortane.__file__).parent / "py.typed").exists()
